// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/aboutbox.h"
#include "about/tvccreditscroll.h"
#include "about/tvctimer.h"
#include "toolkit/application.h"

#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QImage>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <vector>

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

// Stamps the moment the GUI thread starts each tick. The worker's next sleep
// starts only once a tick has been served, so the time from one tick to the
// next beyond the interval is the sleep's overrun plus the hand-off.
class StampingTimer : public TvcTimer
{
public:
    std::vector<double> microseconds;
    std::size_t wanted = 0;
    QEventLoop *loop = nullptr;
    Clock::time_point previous;

    void FireTick() override
    {
        const auto started = Clock::now();
        if (previous != Clock::time_point{})
            microseconds.push_back(std::chrono::duration<double, std::micro>(started - previous).count()
                                   - 1000.0 * Interval());
        previous = started;
        if (microseconds.size() >= wanted) {
            setEnabled(false);
            loop->quit();
        }
    }
};

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * double(values.size() - 1) + 0.5);
    return values[index];
}

// Hand-off latency, the end of the worker's sleep to the start of FireTick,
// with the sleep's own overrun on top (an upper bound), and an otherwise idle
// GUI thread waiting in its event loop.
void HandOffLatency(benchmark::State &state)
{
    std::vector<double> all;
    for (auto _ : state) {
        QEventLoop loop;
        StampingTimer timer;
        timer.loop = &loop;
        timer.wanted = static_cast<std::size_t>(state.range(0));
        timer.microseconds.reserve(timer.wanted);
        timer.setInterval(2);
        timer.setOnTimer([](QObject *) {});
        loop.exec();
        all.insert(all.end(), timer.microseconds.begin(), timer.microseconds.end());
    }
    state.counters["median_us"] = percentile(all, 0.5);
    state.counters["p99_us"] = percentile(all, 0.99);
    state.counters["ticks"] = double(all.size());
}
BENCHMARK(HandOffLatency)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);

// What a priority change costs the GUI thread while the worker ticks every
// 20 ms: 60 changes between tpIdle and tpNormal, one every 50 ms. Run as an
// ordinary user on a busy machine, a lowered worker gets little CPU time,
// and no change may wait for it: a call in which the GUI thread went to sleep
// (a voluntary context switch) counts as a wait; being preempted does not.
void PriorityChange(benchmark::State &state)
{
    double longestCall = 0, longestGap = 0;
    int waits = 0;
    const auto sleeps = [] {
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        return usage.ru_nvcsw;
    };
    for (auto _ : state) {
        QEventLoop loop;
        TvcTimer timer;
        Clock::time_point last;
        timer.setInterval(20);
        timer.setOnTimer([&](QObject *) {
            const auto now = Clock::now();
            if (last != Clock::time_point{})
                longestGap = std::max(longestGap, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
        });
        int changes = 0;
        QTimer changer;
        QObject::connect(&changer, &QTimer::timeout, [&] {
            const auto slept = sleeps();
            const auto started = Clock::now();
            timer.setPriority(changes % 2 == 0 ? tpIdle : tpNormal);
            waits += sleeps() != slept;
            longestCall = std::max(longestCall,
                                   std::chrono::duration<double, std::milli>(Clock::now() - started).count());
            if (++changes == 60)
                loop.quit();
        });
        changer.start(50);
        loop.exec();
    }
    state.counters["longest_call_ms"] = longestCall;
    state.counters["longest_gap_ms"] = longestGap;
    state.counters["waits"] = waits;
}
BENCHMARK(PriorityChange)->Iterations(1)->Unit(benchmark::kMillisecond);

// One frame of the About box's credits, composed off-screen.
void ScrollerFrame(benchmark::State &state)
{
    TAboutBox box;
    TvcCreditScroll *credits = box.vcCreditScroll1;
    credits->setInterval(0);
    for (auto _ : state) {
        credits->Ticker()->FireTick();
        QImage frame = credits->ComposeFrame();
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(ScrollerFrame)->Unit(benchmark::kMicrosecond);

// The same frame through the control's whole paint: composed, then copied
// onto the control's surface.
void ScrollerPaint(benchmark::State &state)
{
    TAboutBox box;
    TvcCreditScroll *credits = box.vcCreditScroll1;
    credits->setInterval(0);
    QImage surface(credits->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        credits->Ticker()->FireTick();
        credits->render(&surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(ScrollerPaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app("about_bench");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

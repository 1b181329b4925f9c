#include "about/aboutbox.h"
#include "about/tvccreditscroll.h"
#include "about/tvctimer.h"
#include "about/tvctimerthread.h"
#include "toolkit/application.h"

#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Stamps the moment the GUI thread starts a tick against the moment the
// worker's sleep ran out.
class StampingTimer : public TvcTimer
{
public:
    std::vector<double> microseconds;
    std::size_t wanted = 0;
    QEventLoop *loop = nullptr;

    void FireTick() override
    {
        const auto started = Clock::now();
        microseconds.push_back(std::chrono::duration<double, std::micro>(started - Worker()->LastWake()).count());
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

// Hand-off latency, end of the worker's sleep to the start of FireTick, with
// an otherwise idle GUI thread waiting in its event loop.
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

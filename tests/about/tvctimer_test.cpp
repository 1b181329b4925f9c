// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/tvctimer.h"
#include "about/tvctimer_p.h"
#include "support/testmain.h"
#include "toolkit/failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Generous: the machine may be slow and loaded.
constexpr int Patience = 20000;

using Change = std::function<void(TvcTimer &, const TNotifyEvent &)>;
// A change to timer `t`; `h` is the handler the test gave it.
#define CHANGE(...) Change([](TvcTimer &t, [[maybe_unused]] const TNotifyEvent &h) { __VA_ARGS__; })

// A thread's nice value and scheduling policy as the kernel reports them:
// fields 19 and 41 of /proc/.../stat, counted after the command name.
std::pair<int, int> schedulingOf(pid_t tid)
{
    QFile file(QStringLiteral("/proc/self/task/%1/stat").arg(tid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return {fields.value(16).toInt(), fields.value(38).toInt()};
}

// The kernel's id of the one credits worker thread of this process.
pid_t workerThreadId()
{
    for (const QFileInfo &task : QDir(QStringLiteral("/proc/self/task")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(task.filePath() + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "vcTimer")
            return task.fileName().toInt();
    }
    return 0;
}

// Whether thread `tid` waits in a futex with no time limit: the worker does
// so for the GUI thread to serve its tick, while its sleep has one.
bool waitsWithoutTimeLimit(pid_t tid)
{
    QFile file(QStringLiteral("/proc/self/task/%1/syscall").arg(tid));
    const QList<QByteArray> call = file.open(QIODevice::ReadOnly) ? file.readAll().split(' ') : QList<QByteArray>();
    return call.size() > 4 && call[0].toLong() == SYS_futex && call[4] == "0x0";
}

int processNice()
{
    return getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
}

// The lowest nice value a thread of this process can reach.
int niceFloor()
{
    rlimit limit{};
    getrlimit(RLIMIT_NICE, &limit);
    if (geteuid() == 0 || limit.rlim_cur == RLIM_INFINITY)
        return -20;
    return 20 - static_cast<int>(limit.rlim_cur);
}

} // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(TThreadPriority)

class TvcTimerTest : public QObject
{
    Q_OBJECT

private slots:
    void constructedTimerRunsWithDefaults();
    void propertyChanges_data();
    void propertyChanges();
    void pauseStopsHandOffsAndResumeRestarts_data();
    void pauseStopsHandOffsAndResumeRestarts();
    void slowHandlerOnGuiThreadBuildsNoBacklog();
    void throwingHandlerEndsWorker();
    void zeroAndEndlessIntervalsNeverTick();
    void ticksGoOnWithoutSpinning();
    void priorityReachesTheScheduler_data();
    void priorityReachesTheScheduler();
    void destroyWhileHandOffPending();
    void handlerDestroyingItsTimer();
    // Quits the application, so it runs last.
    void quitWhileHandOffWaits();
};

void TvcTimerTest::constructedTimerRunsWithDefaults()
{
    TvcTimer timer;
    // Priority, Enabled and OnTimer start as the "equal ..." rows of
    // propertyChanges and the pause below require.
    QCOMPARE(timer.Interval(), 1000u);
    QVERIFY(!timer.Worker()->Suspended());
    QVERIFY(!timer.Worker()->Ended());
    // The first effective change pauses it: no handler yet.
    timer.setInterval(500);
    QVERIFY(timer.Worker()->Suspended());
}

void TvcTimerTest::propertyChanges_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("resumes");
    QTest::addColumn<bool>("suspended");
    // The timer starts ticking at 50 ms, at tpNormal, with a handler; it
    // runs again only while all three conditions hold.
    QTest::newRow("equal Interval") << CHANGE(t.setInterval(50)) << 0 << false;
    QTest::newRow("equal Priority") << CHANGE(t.setPriority(tpNormal)) << 0 << false;
    QTest::newRow("equal Enabled") << CHANGE(t.setEnabled(true)) << 0 << false;
    QTest::newRow("same OnTimer") << CHANGE(t.setOnTimer(h)) << 1 << false;
    QTest::newRow("new Interval") << CHANGE(t.setInterval(60)) << 1 << false;
    // The change cuts the minute's sleep short: the next tick comes well within the test's patience.
    QTest::newRow("long Interval, then short") << CHANGE(t.setInterval(60000); QTest::qWait(100); t.setInterval(50)) << 2 << false;
    QTest::newRow("new Priority") << CHANGE(t.setPriority(tpLower)) << 1 << false;
    QTest::newRow("disabled") << CHANGE(t.setEnabled(false)) << 0 << true;
    QTest::newRow("Interval 0") << CHANGE(t.setInterval(0)) << 0 << true;
    QTest::newRow("OnTimer cleared") << CHANGE(t.setOnTimer({})) << 0 << true;
    QTest::newRow("disabled, Interval changed") << CHANGE(t.setEnabled(false); t.setInterval(70)) << 0 << true;
    QTest::newRow("disabled, OnTimer set") << CHANGE(t.setEnabled(false); t.setOnTimer(h)) << 0 << true;
    QTest::newRow("Interval 0, enabled again") << CHANGE(t.setInterval(0); t.setEnabled(false); t.setEnabled(true)) << 0 << true;
    QTest::newRow("disabled and enabled again") << CHANGE(t.setEnabled(false); t.setEnabled(true)) << 1 << false;
}

void TvcTimerTest::propertyChanges()
{
    QFETCH(Change, change);
    QFETCH(int, resumes);
    QFETCH(bool, suspended);
    TvcTimer timer;
    int ticks = 0;
    const TNotifyEvent handler = [&](QObject *) { ++ticks; };
    timer.setInterval(50);
    timer.setOnTimer(handler);
    // A worker let run again sets its priority (wiping this mark) before its next sleep.
    QVERIFY(QTest::qWaitFor([&] { return ticks > 0; }, Patience));
    const sched_param param{};
    QCOMPARE(sched_setscheduler(workerThreadId(), SCHED_BATCH, &param), 0);
    change(timer, handler);
    QCOMPARE(timer.Worker()->Suspended(), suspended);
    const int before = ticks;
    QVERIFY(suspended || QTest::qWaitFor([&] { return ticks >= before + 2; }, Patience));
    QCOMPARE(schedulingOf(workerThreadId()).second != SCHED_BATCH, resumes > 0);
}

void TvcTimerTest::pauseStopsHandOffsAndResumeRestarts_data()
{
    QTest::addColumn<Change>("pause");
    QTest::addColumn<Change>("resume");
    QTest::newRow("Enabled") << CHANGE(t.setEnabled(false)) << CHANGE(t.setEnabled(true));
    QTest::newRow("Interval") << CHANGE(t.setInterval(0)) << CHANGE(t.setInterval(30));
    QTest::newRow("OnTimer") << CHANGE(t.setOnTimer({})) << CHANGE(t.setOnTimer(h));
}

void TvcTimerTest::pauseStopsHandOffsAndResumeRestarts()
{
    QFETCH(Change, pause);
    QFETCH(Change, resume);
    TvcTimer timer;
    int ticks = 0;
    const TNotifyEvent handler = [&](QObject *) { ++ticks; };
    timer.setInterval(30);
    timer.setOnTimer(handler);
    QVERIFY(QTest::qWaitFor([&] { return ticks >= 2; }, Patience));
    // Let the worker get well into a sleep or a hand-off before pausing.
    std::this_thread::sleep_for(std::chrono::milliseconds(35));
    pause(timer, handler);
    const int paused = ticks;
    QTest::qWait(3 * 30 + 60);
    QCOMPARE(ticks, paused);
    resume(timer, handler);
    QVERIFY(QTest::qWaitFor([&] { return ticks >= paused + 3; }, Patience));
}

void TvcTimerTest::slowHandlerOnGuiThreadBuildsNoBacklog()
{
    using namespace std::chrono;
    TvcTimer timer;
    std::vector<steady_clock::time_point> starts;
    int wrong = 0;
    timer.setInterval(20);
    timer.setOnTimer([&](QObject *sender) {
        wrong += sender != &timer || QThread::currentThread() != qApp->thread();
        starts.push_back(steady_clock::now());
        std::this_thread::sleep_for(milliseconds(60));
    });
    QVERIFY(QTest::qWaitFor([&] { return starts.size() >= 6; }, Patience));
    timer.setEnabled(false);
    QCOMPARE(wrong, 0);
    // Each sleep starts only once the previous tick has run: no gap can be
    // shorter than handler time plus interval, whatever the load.
    for (std::size_t i = 1; i < starts.size(); ++i)
        QCOMPARE_GE(duration_cast<microseconds>(starts[i] - starts[i - 1]).count(), 79000);
}

void TvcTimerTest::throwingHandlerEndsWorker()
{
    TvcTimer timer;
    int calls = 0;
    timer.setInterval(10);
    timer.setOnTimer([&](QObject *) {
        ++calls;
        throw Failure(QStringLiteral("tick went wrong"));
    });
    QVERIFY(QTest::qWaitFor([&] { return timer.Worker()->Ended(); }, Patience));
    QCOMPARE(calls, 1);
    try {
        std::rethrow_exception(timer.Worker()->FatalException());
    } catch (const Failure &failure) {
        QCOMPARE(failure.message(), QStringLiteral("tick went wrong"));
    } catch (...) {
        QFAIL("the worker did not keep the handler's failure");
    }

    // A later change cannot bring it back, and returns at once.
    QElapsedTimer clock;
    clock.start();
    timer.setInterval(15);
    timer.setOnTimer([&](QObject *) { ++calls; });
    QVERIFY(clock.elapsed() < Patience);
    QTest::qWait(150);
    QCOMPARE(calls, 1);
    QVERIFY(timer.Worker()->Ended());

    // The GUI thread carries on serving other timers.
    TvcTimer other;
    int otherTicks = 0;
    other.setInterval(10);
    other.setOnTimer([&](QObject *) { ++otherTicks; });
    QVERIFY(QTest::qWaitFor([&] { return otherTicks >= 2; }, Patience));
}

void TvcTimerTest::zeroAndEndlessIntervalsNeverTick()
{
    TvcTimer zero, endless;
    int ticks = 0;
    const TNotifyEvent count = [&](QObject *) { ++ticks; };
    zero.setOnTimer(count);
    zero.setInterval(0);
    endless.setInterval(TvcTimer::Infinite);
    endless.setOnTimer(count);
    QTest::qWait(200);
    // Once in the endless wait, a shorter interval does not end it.
    endless.setInterval(10);
    QTest::qWait(200);
    QCOMPARE(ticks, 0);
    QVERIFY(zero.Worker()->Suspended());
    QVERIFY(!zero.Worker()->Ended());
    QVERIFY(!endless.Worker()->Suspended());
    // Destruction still wakes and joins both workers (the test would hang).
}

void TvcTimerTest::ticksGoOnWithoutSpinning()
{
    TvcTimer timer;
    QEventLoop loop;
    int ticks = 0, until = 0;
    timer.setInterval(10);
    timer.setOnTimer([&](QObject *) {
        if (++ticks == until)
            loop.quit();
    });
    // A second of ticking costs the process little CPU: a hand-off left unread would spin the GUI thread.
    const std::clock_t cpu = std::clock();
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    QCOMPARE_LT(std::clock() - cpu, CLOCKS_PER_SEC / 3);
    QVERIFY(ticks > 0);

    // A thousand short ticks go on. With the worker and the GUI thread on one CPU where the system
    // allows it, the GUI thread is often woken to serve a tick before the worker has gone to wait.
    cpu_set_t all, one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    QCOMPARE(sched_getaffinity(0, sizeof all, &all), 0);
    if (sched_setaffinity(0, sizeof one, &one) != 0 || sched_setaffinity(workerThreadId(), sizeof one, &one) != 0)
        qInfo("not pinned to one CPU");
    until = ticks + 1000;
    timer.setInterval(1);
    QTimer::singleShot(Patience, &loop, &QEventLoop::quit);
    loop.exec();
    sched_setaffinity(0, sizeof all, &all);
    QCOMPARE_GE(ticks, until);
}

void TvcTimerTest::priorityReachesTheScheduler_data()
{
    QTest::addColumn<TThreadPriority>("priority");
    QTest::addColumn<int>("offset");
    QTest::newRow("tpIdle") << tpIdle << 19;
    QTest::newRow("tpLowest") << tpLowest << 10;
    QTest::newRow("tpLower") << tpLower << 5;
    QTest::newRow("tpHigher") << tpHigher << -5;
    QTest::newRow("tpHighest") << tpHighest << -10;
    QTest::newRow("tpTimeCritical") << tpTimeCritical << -20;
}

void TvcTimerTest::priorityReachesTheScheduler()
{
    QFETCH(TThreadPriority, priority);
    QFETCH(int, offset);
    TvcTimer timer;
    int ticks = 0;
    timer.setInterval(20);
    timer.setOnTimer([&](QObject *) { ++ticks; });
    QVERIFY(QTest::qWaitFor([&] { return workerThreadId() > 0; }, Patience));
    const pid_t tid = workerThreadId();
    QCOMPARE(schedulingOf(tid).first, processNice());

    timer.setPriority(priority);
    // A raise the system refuses settles on the nearest nice value allowed.
    const int expected = std::max(std::clamp(processNice() + offset, -20, 19), std::min(processNice(), niceFloor()));
    const std::pair<int, int> wanted(expected, priority == tpIdle ? SCHED_IDLE : SCHED_OTHER);
    (void)QTest::qWaitFor([&] { return schedulingOf(tid) == wanted; }, Patience);
    QCOMPARE(schedulingOf(tid).first, expected);
    constexpr int SchedIdle = 5;
    QCOMPARE(schedulingOf(tid).second == SchedIdle, priority == tpIdle);

    // Back at tpNormal by the second tick: where a thread may not rise, it
    // keeps the nearest level allowed, and SCHED_IDLE where it may not leave.
    timer.setPriority(tpNormal);
    const int before = ticks;
    QVERIFY(QTest::qWaitFor([&] { return ticks >= before + 2; }, Patience));
    const int back = std::max(processNice(), std::min(expected, niceFloor()));
    QCOMPARE(schedulingOf(tid).first, back);
    QCOMPARE(schedulingOf(tid).second == SchedIdle, priority == tpIdle && back < niceFloor());
}

void TvcTimerTest::destroyWhileHandOffPending()
{
    // A tick the handler sees after its timer has gone is a late tick.
    struct Probe {
        bool timerGone = false;
        int lateTicks = 0, ticks = 0;
    };
    int pendingAtDestruction = 0, totalTicks = 0;
    constexpr int Rounds = 1200;
    for (int round = 0; round < Rounds; ++round) {
        auto probe = std::make_shared<Probe>();
        auto *timer = new TvcTimer;
        timer->setInterval(1);
        timer->setOnTimer([probe](QObject *) {
            ++probe->ticks;
            probe->lateTicks += probe->timerGone;
        });
        // Serve a few ticks, then leave the GUI thread deaf for a while so
        // that a hand-off is queued when the timer goes.
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::microseconds(500 * (round % 5)));
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::microseconds(300 * (round % 7)));
        pendingAtDestruction += waitsWithoutTimeLimit(workerThreadId());
        delete timer;
        probe->timerGone = true;
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        totalTicks += probe->ticks;
        QCOMPARE(probe->lateTicks, 0);
    }
    qInfo("%d of %d rounds destroyed a timer with a hand-off queued; %d ticks served",
          pendingAtDestruction, Rounds, totalTicks);
    QVERIFY(pendingAtDestruction > 0);
    QVERIFY(totalTicks > 0);
}

void TvcTimerTest::handlerDestroyingItsTimer()
{
    auto *timer = new TvcTimer;
    bool destroyed = false;
    connect(timer, &QObject::destroyed, this, [&] { destroyed = true; });
    timer->setInterval(5);
    timer->setOnTimer([timer](QObject *) { delete timer; });
    QVERIFY(QTest::qWaitFor([&] { return destroyed; }, Patience));
}

void TvcTimerTest::quitWhileHandOffWaits()
{
    auto *timer = new TvcTimer;
    int ticks = 0;
    timer->setInterval(1);
    timer->setOnTimer([&](QObject *) { ++ticks; });
    QTimer::singleShot(50, qApp, [] {
        // Keep the GUI thread deaf long enough for a hand-off to queue up.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    QVERIFY(ticks > 0);

    // Nobody serves hand-offs now; the worker must not wait for one.
    QElapsedTimer clock;
    clock.start();
    while (!timer->Worker()->Ended() && clock.elapsed() < Patience)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    QVERIFY(timer->Worker()->Ended());
    const int served = ticks;
    delete timer;
    QCoreApplication::processEvents();
    QCOMPARE(ticks, served);
}

THWACKLE_TEST_MAIN(TvcTimerTest)
#include "tvctimer_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/tvctimer.h"
#include "about/tvctimer_p.h"
#include "support/testmain.h"
#include "toolkit/failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
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
    return std::min(processNice(), 20 - static_cast<int>(limit.rlim_cur));
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
    void priorityReachesTheScheduler_data();
    void priorityReachesTheScheduler();
    void priorityChangesAsOrdinaryUser();
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
    const TNotifyEvent handler = [](QObject *) {};
    timer.setInterval(50);
    timer.setOnTimer(handler);
    const auto before = timer.Worker()->ResumeCount();
    change(timer, handler);
    QCOMPARE(timer.Worker()->ResumeCount() - before, std::uint64_t(resumes));
    QCOMPARE(timer.Worker()->Suspended(), suspended);
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
    timer.setInterval(20);
    timer.setOnTimer([](QObject *) {});
    QVERIFY(QTest::qWaitFor([&] { return workerThreadId() > 0; }, Patience));
    const pid_t tid = workerThreadId();
    QCOMPARE(schedulingOf(tid).first, processNice());

    timer.setPriority(priority);
    // A raise the system refuses settles on the nearest nice value allowed.
    const int expected = std::max(std::clamp(processNice() + offset, -20, 19), niceFloor());
    (void)QTest::qWaitFor([&] { return schedulingOf(tid).first == expected; }, Patience);
    QCOMPARE(schedulingOf(tid).first, expected);
    constexpr int SchedIdle = 5;
    QCOMPARE(schedulingOf(tid).second == SchedIdle, priority == tpIdle);
}

void TvcTimerTest::priorityChangesAsOrdinaryUser()
{
    // Root may set any level, so the test runs again in a child process with
    // an RLIMIT_NICE of 0, as most users have, which gives up root before its
    // first timer. The child execs at once: threads started in a fork of a
    // threaded process are beyond ThreadSanitizer, and so is QProcess's way
    // of forking. It starts as root, as the build tree and the sanitizers'
    // files may sit where an ordinary user cannot go (a clone in root's home).
    if (!qEnvironmentVariableIsSet("THWACKLE_TEST_UNPRIVILEGED")) {
        const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
        QByteArray function(QTest::currentTestFunction());
        char *const arguments[] = {const_cast<char *>(program.constData()), function.data(), nullptr};
        int output[2];
        QVERIFY(pipe2(output, O_CLOEXEC) == 0);
        qputenv("THWACKLE_TEST_UNPRIVILEGED", "1");
        const pid_t child = fork();
        if (child == 0) {
            const rlimit noRaise{0, 0};
            if (dup2(output[1], STDOUT_FILENO) >= 0 && dup2(output[1], STDERR_FILENO) >= 0
                && setrlimit(RLIMIT_NICE, &noRaise) == 0)
                execv(arguments[0], arguments);
            _exit(127);
        }
        qunsetenv("THWACKLE_TEST_UNPRIVILEGED");
        close(output[1]);
        QVERIFY(child > 0);
        QFile fromChild;
        QVERIFY(fromChild.open(output[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        const QByteArray report = fromChild.readAll();
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0,
                 report.isEmpty() ? "the child could not start" : report.constData());
        return;
    }
    // setuid reaches every thread of the process, Qt's included.
    if (geteuid() == 0) {
        QVERIFY2(setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0, strerror(errno));
    }
    QVERIFY(geteuid() != 0 && getuid() != 0);

    // Each level's nice offset from the process's base for a user without
    // privilege: nothing above the base, so the raising levels stay there.
    const std::map<TThreadPriority, int> reachable{
        {tpIdle, 19}, {tpLowest, 10}, {tpLower, 5}, {tpNormal, 0},
        {tpHigher, 0}, {tpHighest, 0}, {tpTimeCritical, 0}};
    // Changes made by the test, or by the handler while its tick holds the
    // worker (never from tpIdle there: under load its ticks may be rare).
    const std::vector<std::pair<bool, std::vector<TThreadPriority>>> sequences{
        {false, {tpLowest, tpNormal}},
        {false, {tpIdle, tpNormal, tpTimeCritical, tpNormal}},
        {false, {tpLower, tpLowest, tpLower, tpIdle, tpHighest, tpLowest, tpIdle, tpHigher}},
        {true, {tpLowest, tpNormal, tpLower, tpHighest}},
    };
    for (std::size_t row = 0; row < sequences.size(); ++row) {
        TvcTimer timer;
        int ticks = 0;
        std::optional<TThreadPriority> next;
        timer.setInterval(10);
        timer.setOnTimer([&](QObject *) {
            ++ticks;
            if (next)
                timer.setPriority(*std::exchange(next, std::nullopt));
        });
        for (const TThreadPriority priority : sequences[row].second) {
            if (sequences[row].first)
                next = priority;
            else
                timer.setPriority(priority);
            constexpr int SchedIdle = 5, SchedOther = 0;
            const std::pair<int, int> wanted{std::min(processNice() + reachable.at(priority), 19),
                                             priority == tpIdle ? SchedIdle : SchedOther};
            std::pair<int, int> seen;
            (void)QTest::qWaitFor([&] { return (seen = schedulingOf(workerThreadId())) == wanted; }, Patience);
            QVERIFY2(seen == wanted, qPrintable(QStringLiteral("sequence %1, priority %2: nice %3 policy %4")
                                                    .arg(row).arg(int(priority)).arg(seen.first).arg(seen.second)));
        }
        // The worker still ticks after all that.
        const int before = ticks;
        QVERIFY(QTest::qWaitFor([&] { return ticks >= before + 2; }, Patience));
    }
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
        pendingAtDestruction += timer->Worker()->HandOffWaiting();
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

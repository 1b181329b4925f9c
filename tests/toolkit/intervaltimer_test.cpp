// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game clock's timer: ticks come through the event loop at its interval,
// a start begins a fresh interval, a stop silences it at once.

#include "support/testmain.h"
#include "toolkit/intervaltimer.h"

#include <QElapsedTimer>

class IntervalTimerTest : public QObject
{
    Q_OBJECT

private slots:
    void ticksAtItsIntervalFromStart()
    {
        IntervalTimer timer;
        timer.setInterval(40);
        QList<qint64> ticks;
        QElapsedTimer clock;
        connect(&timer, &IntervalTimer::timeout, this, [&] { ticks << clock.nsecsElapsed(); });
        clock.start();
        QVERIFY(timer.start());
        QVERIFY(timer.isActive());
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 5, 20000);
        timer.stop();
        // Never early: the n-th tick comes no sooner than n intervals.
        for (int n = 0; n < ticks.size(); ++n)
            QVERIFY2(ticks[n] >= (n + 1) * 40'000'000LL - 1'000'000LL, qPrintable(QString::number(ticks[n])));
    }

    void stopSilencesAndStartBeginsAFreshInterval()
    {
        IntervalTimer timer;
        timer.setInterval(30);
        int ticks = 0;
        connect(&timer, &IntervalTimer::timeout, this, [&] { ++ticks; });
        QVERIFY(timer.start());
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 1, 20000);
        timer.stop();
        QVERIFY(!timer.isActive());
        const int stoppedAt = ticks;
        QTest::qWait(150);
        QCOMPARE(ticks, stoppedAt);

        // An expiry left unread when the timer stops must not come through
        // right after a restart.
        QElapsedTimer clock;
        qint64 firstAfterRestart = -1;
        connect(&timer, &IntervalTimer::timeout, this, [&] {
            if (firstAfterRestart < 0)
                firstAfterRestart = clock.elapsed();
        });
        clock.start();
        QVERIFY(timer.start());
        QTRY_VERIFY_WITH_TIMEOUT(firstAfterRestart >= 0, 20000);
        QVERIFY2(firstAfterRestart >= 25, qPrintable(QString::number(firstAfterRestart)));
    }

    void stopInsideItsOwnTickHolds()
    {
        IntervalTimer timer;
        timer.setInterval(10);
        int ticks = 0;
        connect(&timer, &IntervalTimer::timeout, this, [&] {
            ++ticks;
            timer.stop();
        });
        QVERIFY(timer.start());
        QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 20000);
        QTest::qWait(100);
        QCOMPARE(ticks, 1);
    }

    void noIntervalNoTimer()
    {
        IntervalTimer timer;
        QVERIFY(!timer.start());
        QVERIFY(!timer.isActive());
    }
};

THWACKLE_TEST_MAIN(IntervalTimerTest)
#include "intervaltimer_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The longest game the options allow, on the game's own clock sped up to a
// tick a millisecond, and then a thousand games back to back, ticked
// directly; struck at all the way. Resident memory stays flat once warmed
// up, no counter overflows, and every tick is accounted for: each expiry of
// the clock is one tick, and the clock stops on the last. The figures are
// printed; nothing here is judged on time.

#include "support/programwindows.h"
#include "support/testmain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <random>

#include <unistd.h>

namespace {

constexpr int ShortGames = 1000;
constexpr int WarmUpTicks = 1000;
constexpr qint64 MemorySlack = 1024 * 1024;

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.size() > 1 ? pages[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

void setGameTime(int ticks)
{
    TestSupport::answerNextModal([ticks](QWidget *) {
        OptionsForm->GameTimeSet->setText(QString::number(ticks));
        QTest::mouseClick(OptionsForm->OKBtn, Qt::LeftButton);
    });
    ShootForm->Options1->trigger();
    QCOMPARE(ShootForm->GameLength, ticks);
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void longGameAndThousandGames()
    {
        GameWindow windows(createProgramWindows);
        SeedRandom(20260101); // the same targets every run, so the figures compare
        std::mt19937 random(20260101);
        TestSupport::ErrorBoxRecorder errorBoxes;
        QElapsedTimer took;
        took.start();
        TShootForm &form = *ShootForm;
        qint64 expiries = 0, handTicks = 0, lengths = 0, hits = 0, misses = 0, escapes = 0, warm = -1, highest = -1;
        connect(form.Timer1, &IntervalTimer::timeout, this, [&expiries] { ++expiries; });
        for (int game = 0; game <= ShortGames && !QTest::currentTestFailed(); ++game) {
            const bool onTheClock = game == 0;
            if (game < 2)
                setGameTime(onTheClock ? 9999 : 150);
            form.Timer1->setInterval(onTheClock ? 1 : 150);
            if (onTheClock)
                form.New1->trigger();
            else
                startHandTickedGame(form);
            lengths += form.GameLength;
            while (!form.GameStopped) {
                if (onTheClock) {
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
                } else {
                    form.Timer1Timer();
                    ++handTicks;
                }
                // A press somewhere on the play area every pass, and now and
                // then a strike at a target that is up.
                QPoint at(int(random() % 521), int(random() % 288));
                const int spot = int(random() % 8);
                if (form.TargetSlots[size_t(spot)].ExpiryTick != 0 && random() % 3 == 0)
                    at = spriteCentre(spot);
                QTest::mouseClick(form.Image2, Qt::LeftButton, Qt::NoModifier, at);
                QCoreApplication::processEvents(); // paints what the tick drew
                const qint64 ticks = expiries + handTicks;
                if (warm < 0 && ticks >= WarmUpTicks)
                    warm = residentBytes();
                else if (warm > 0 && (ticks % 500 == 0 || form.GameStopped))
                    highest = std::max(highest, residentBytes());
            }
            QCOMPARE(form.TickCount, form.GameLength);
            QCOMPARE(form.TimeLabel->text(), QStringLiteral("0"));
            QVERIFY(!form.Timer1->isActive());
            QCOMPARE(qint64(form.Score), HitPoints * qint64(form.Hits) + MissPoints * qint64(form.Misses)
                                             + EscapePoints * qint64(form.Escaped));
            hits += form.Hits;
            misses += form.Misses;
            escapes += form.Escaped;
        }

        qInfo("soak: a 9999-tick game and %d games of 150 ticks, %lld ticks in all (%lld hits, %lld misses, "
              "%lld escapes) in %.1f s", ShortGames, expiries + handTicks, hits, misses, escapes, double(took.elapsed()) / 1000.0);
        qInfo("soak: resident memory after %d ticks %lld KiB, highest after that %lld KiB, at the end %lld KiB",
              WarmUpTicks, warm / 1024, highest / 1024, residentBytes() / 1024);
        QCOMPARE(expiries + handTicks, lengths);
        QCOMPARE(lengths, 9999 + 150 * qint64(ShortGames));
        QVERIFY(errorBoxes.texts().isEmpty());
#if defined(__SANITIZE_ADDRESS__)
        // AddressSanitizer holds freed blocks back for a while: resident
        // memory says nothing there, and LeakSanitizer judges the leaks.
        qInfo("soak: memory not judged under AddressSanitizer");
#else
        QVERIFY(warm > 0);
        QVERIFY2(highest - warm <= MemorySlack, "resident memory grew after warm-up");
#endif
    }
};

THWACKLE_TEST_MAIN(SoakTest)
#include "soak_test.moc"

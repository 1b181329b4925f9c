// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The longest game the options allow and then a thousand games back to back,
// ticked directly and struck at all the way: resident memory stays flat once
// warmed up, no counter overflows, and every tick is accounted for. The
// figures are printed; nothing here is judged on time.

#include "app/programwindows.h"
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

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed blocks back for a while: resident memory says
// nothing there, and LeakSanitizer judges the leaks instead.
constexpr bool MemoryMeaningful = false;
#else
constexpr bool MemoryMeaningful = true;
#endif

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
}

class Soak
{
public:
    // Plays one game to its end, counting the ticks it takes.
    void playGame()
    {
        TShootForm &form = *ShootForm;
        startHandTickedGame(form);
        m_lengths += form.GameLength;
        while (!form.GameStopped) {
            form.Timer1Timer();
            ++m_ticksSeen;
            strike(form);
            QCoreApplication::processEvents(); // paints what the tick drew
            if (m_ticksSeen == WarmUpTicks)
                m_warm = residentBytes();
            if (m_ticksSeen % 500 == 0)
                sampleMemory();
        }
        QCOMPARE(form.TickCount, form.GameLength);
        QCOMPARE(form.TimeLabel->text(), QStringLiteral("0"));
        QVERIFY(form.Hits >= 0 && form.Misses >= 0 && form.Escaped >= 0);
        QCOMPARE(qint64(form.Score), 5 * qint64(form.Hits) - 2 * qint64(form.Misses) - qint64(form.Escaped));
        m_hits += form.Hits;
        m_misses += form.Misses;
        m_escapes += form.Escaped;
    }

    void sampleMemory()
    {
        if (m_warm > 0)
            m_highest = std::max(m_highest, residentBytes());
    }

    qint64 ticksSeen() const { return m_ticksSeen; }
    qint64 lengths() const { return m_lengths; }
    qint64 warm() const { return m_warm; }
    qint64 highest() const { return m_highest; }
    QString counters() const
    {
        return QStringLiteral("%1 hits, %2 misses, %3 escapes").arg(m_hits).arg(m_misses).arg(m_escapes);
    }

private:
    // A press somewhere on the play area every tick, and now and then a
    // strike at a target that is up.
    void strike(TShootForm &form)
    {
        QPoint at(int(m_random() % 521), int(m_random() % 288));
        const int spot = int(m_random() % 8);
        if (form.TargetSlots[size_t(spot)].ExpiryTick != 0 && m_random() % 3 == 0)
            at = spriteCentre(spot);
        QTest::mouseClick(form.Image2, Qt::LeftButton, Qt::NoModifier, at);
    }

    std::mt19937 m_random{20260101};
    qint64 m_ticksSeen = 0;
    qint64 m_lengths = 0; // the sum of the lengths of the games played
    qint64 m_warm = -1;
    qint64 m_highest = -1;
    qint64 m_hits = 0;
    qint64 m_misses = 0;
    qint64 m_escapes = 0;
};

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void longGameAndThousandGames()
    {
        ProgramWindows windows;
        SeedRandom(20260101); // the same targets every run, so the figures compare
        TestSupport::ErrorBoxRecorder errorBoxes;
        QElapsedTimer took;
        took.start();
        Soak soak;

        setGameTime(9999);
        QCOMPARE(ShootForm->GameLength, 9999);
        soak.playGame();
        const qint64 longTicks = soak.ticksSeen();
        setGameTime(150);
        QCOMPARE(ShootForm->GameLength, 150);
        for (int game = 0; game < ShortGames && !QTest::currentTestFailed(); ++game) {
            soak.playGame();
            soak.sampleMemory();
        }
        const qint64 end = residentBytes();

        qInfo("soak: a %lld-tick game and %d games of 150 ticks, %lld ticks in all (%s) in %.1f s", longTicks,
              ShortGames, soak.ticksSeen(), qPrintable(soak.counters()), double(took.elapsed()) / 1000.0);
        qInfo("soak: resident memory after %d ticks %lld KiB, highest after that %lld KiB, at the end %lld KiB",
              WarmUpTicks, soak.warm() / 1024, soak.highest() / 1024, end / 1024);
        QCOMPARE(soak.ticksSeen(), soak.lengths());
        QCOMPARE(soak.lengths(), 9999 + 150 * qint64(ShortGames));
        QVERIFY(errorBoxes.texts().isEmpty());
        if (!MemoryMeaningful) {
            qInfo("soak: memory not judged under AddressSanitizer");
            return;
        }
        QVERIFY(soak.warm() > 0);
        QVERIFY2(soak.highest() - soak.warm() <= MemorySlack, "resident memory grew after warm-up");
    }
};

THWACKLE_TEST_MAIN(SoakTest)
#include "soak_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Playing as a player does: real mouse presses on the window, the real game
// clock, and what the window shows afterwards.

#include "support/gamefixture.h"
#include "support/testmain.h"

#include <QToolButton>

#include <cerrno>

#include <sys/syscall.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

// While set, the system has no timer to give. The game clock is linked into
// this test, so its call comes here; Qt and the other libraries keep the real
// one. (Lowering the open-file limit would refuse the timer too, but the
// sanitizers need a descriptor of their own while they check a call.)
bool g_noTimers = false;

class NoTimers
{
public:
    NoTimers() { g_noTimers = true; }
    ~NoTimers() { g_noTimers = false; }
};

} // namespace

extern "C" int timerfd_create(clockid_t clock, int flags) noexcept
{
    if (g_noTimers) {
        errno = EMFILE;
        return -1;
    }
    return int(syscall(SYS_timerfd_create, clock, flags));
}

class PlayTest : public QObject
{
    Q_OBJECT

private slots:
    void scriptedGameRunsFromNewToGameOver()
    {
        GameWindow form;
        form->GameLength = 40; // 6 seconds
        form->SpawnRange = 8;
        QTest::mouseClick(form->NewButton, Qt::LeftButton);
        QVERIFY(form->Timer1->isActive());
        QVERIFY(!form->Image3->isVisible());

        // Strike every target that shows up, through the window, as it comes.
        QWidget *client = form->centralWidget();
        int strikes = 0;
        const bool over = QTest::qWaitFor([&] {
            if (form->GameStopped)
                return true;
            for (int spot = 0; spot < 8; ++spot) {
                const TargetSlot &slot = form->TargetSlots[size_t(spot)];
                if (slot.ExpiryTick != 0 && !slot.Hit) {
                    QWidget *target = client->childAt(spriteCentre(spot));
                    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                                      target->mapFrom(client, spriteCentre(spot)));
                    ++strikes;
                }
            }
            return false;
        }, 60000);
        QVERIFY(over);
        QCOMPARE(form->TickCount, 40);
        QVERIFY(form->GameOverImage->isVisible());
        QCOMPARE(form->TimeLabel->text(), QStringLiteral("0"));
        QVERIFY(strikes > 0);
        QCOMPARE(form->Hits, strikes);
        QCOMPARE(form->Score, 5 * form->Hits - form->Escaped - 2 * form->Misses);
        QCOMPARE(form->ScoreLabel->text(), QString::number(form->Score));
    }

    void spritesSurviveARepaintAndWipesShowThePicture()
    {
        GameWindow form;
        form->SpawnRange = 0;
        form->TargetLife = 2;
        startHandTickedGame(*form);
        const QImage empty = form->Image2->grab().toImage();

        form->Timer1Timer();
        const QPoint centre = spriteCentre(0);
        // grab() paints the whole control afresh, as uncovering it would.
        QCOMPARE(pixelOf(form->Image2, centre), form->LiveBitmap.pixel(38, 28));
        QCOMPARE(pixelOf(form->Image2, SpotTable[0]), form->LiveBitmap.pixel(0, 0));
        QCOMPARE(QColor(form->LiveBitmap.pixel(0, 0)), QColor(0, 255, 255));

        QTest::mouseClick(form->Image2, Qt::LeftButton, Qt::NoModifier, centre);
        QCOMPARE(pixelOf(form->Image2, centre), form->DeadBitmap.pixel(38, 28));

        // Struck on tick 1 with a life of 2: the splash stays through tick 5.
        for (int i = 0; i < 5; ++i)
            form->Timer1Timer();
        QCOMPARE(form->TargetSlots[0].ExpiryTick, 0);
        const QImage wiped = form->Image2->grab().toImage();
        QCOMPARE(wiped.copy(QRect(SpotTable[0], QSize(76, 56))), empty.copy(QRect(SpotTable[0], QSize(76, 56))));
    }

    void windowColourShowsBesideAndBelowThePlayArea()
    {
        GameWindow form;
        const QImage window = form->centralWidget()->grab().toImage();
        const QColor aqua(0, 255, 255);
        QCOMPARE(QColor(window.pixel(520, 100)), aqua);
        QCOMPARE(QColor(window.pixel(521, 200)), aqua);
        QCOMPARE(QColor(window.pixel(300, 284)), aqua);
        QCOMPARE(QColor(window.pixel(10, 287)), aqua);
    }

    void glyphsShowThePanelThroughTheirBackground()
    {
        GameWindow form;
        const QColor teal(0, 128, 128);
        for (QToolButton *button : {form->NewButton, form->PauseButton, form->StopButton}) {
            const QImage shown = button->grab().toImage();
            const QImage glyph = button->icon().pixmap(32, 32).toImage();
            const QPoint corner((button->width() - 32) / 2, (button->height() - 32) / 2 + 31);
            QCOMPARE(qAlpha(glyph.pixel(0, 31)), 0);
            QCOMPARE(QColor(shown.pixel(corner)), teal);
            // The glyph itself is drawn: some of its pixels are not the panel.
            int drawn = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    drawn += QColor(shown.pixel(corner + QPoint(x, y - 31))) != teal;
            QVERIFY2(drawn > 100, qPrintable(button->objectName()));
        }
    }

    void newWithoutATimerReportsItAndStopsThere()
    {
        GameWindow form;
        TestSupport::ErrorBoxRecorder recorder;
        {
            NoTimers none;
            QTest::mouseClick(form->NewButton, Qt::LeftButton);
        }
        QTRY_COMPARE_WITH_TIMEOUT(recorder.texts(), QStringList{QStringLiteral("Not enough timers available.")}, 10000);
        // New ends where it failed: the start picture is gone, nothing else moved.
        QVERIFY(!form->Image3->isVisible());
        QVERIFY(form->GameStopped);
        QVERIFY(form->New1->isEnabled());
        QVERIFY(!form->Timer1->isActive());
        // With timers to give again the same command works.
        QTest::mouseClick(form->NewButton, Qt::LeftButton);
        QVERIFY(form->Timer1->isActive());
        QVERIFY(!form->GameStopped);
    }
};

THWACKLE_TEST_MAIN(PlayTest)
#include "play_test.moc"

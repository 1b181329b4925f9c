// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real windows on Wayland, under a weston of the test's own with its
// headless backend (scripts/with-display): a game played through, and what
// minimising does there. Wayland never tells a window that it was minimised;
// Qt takes it as out of sight once the compositor stops asking for frames. A
// running game pauses then and carries on when the window is back; a game
// paused by hand stays paused.

#include "app/platformchoice.h"
#include "support/programwindows.h"
#include "support/testmain.h"

#include <QTimer>
#include <QWindow>

#include <functional>
#include <optional>

namespace {

constexpr int Timeout = 60000; // weston and Qt may take their time on a loaded machine

bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, Timeout); }

// Should the compositor be slow to ask for a frame, Qt may pause a game for a
// moment: the test waits such a moment out.
bool waitFor(State state)
{
    return waitFor([state] { return gameState(*ShootForm) == state; });
}

} // namespace

class WaylandTest : public QObject
{
    Q_OBJECT
    std::optional<GameWindow> m_windows;

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        QVERIFY(m_windows.emplace(createProgramWindows, false, Timeout).shown());
    }

    void playsAGame()
    {
        TShootForm &form = *ShootForm;
        QTest::mouseClick(form.NewButton, Qt::LeftButton);
        int spot = -1;
        QVERIFY(waitFor([&] { // a target comes up in the end
            for (spot = 0; gameState(form) == State::Playing && spot < 8; ++spot) {
                if (form.TargetSlots[spot].ExpiryTick != 0 && !form.TargetSlots[spot].Hit)
                    return true;
            }
            return false;
        }));
        const int score = form.Score;
        strike(form, spriteCentre(spot));
        strike(form, QPoint(300, 270));
        QCOMPARE(form.Hits, 1);
        QCOMPARE(form.Misses, 1);
        QCOMPARE(form.ScoreLabel->text(), QString::number(score + 3));

        QTest::mouseClick(form.PauseButton, Qt::LeftButton);
        QCOMPARE(gameState(form), State::Paused);
        const int pausedAt = form.TickCount;
        QTest::qWait(500);
        QCOMPARE(form.TickCount, pausedAt);
        form.Pause1->trigger();
        QVERIFY(waitFor([&] { return form.TickCount > pausedAt; }));
        QVERIFY(waitFor(State::Playing));
        QTest::mouseClick(form.StopButton, Qt::LeftButton);
        QCOMPARE(gameState(form), State::GameOver);
    }

    void platformChoice_data() // weston draws no title bars; its X server is XWayland
    {
        QTest::addColumn<QByteArray>("named");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<QByteArray>("chosen");
        QTest::newRow("XWayland at hand: X11") << QByteArray() << true << QByteArray("xcb;wayland");
        QTest::newRow("no XWayland: Qt's default") << QByteArray() << false << QByteArray();
        QTest::newRow("named by the user") << QByteArray("wayland") << true << QByteArray("wayland");
    }
    void platformChoice()
    {
        QFETCH(QByteArray, named);
        QFETCH(bool, x11);
        const QByteArray display = qgetenv("DISPLAY"), platform = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM", named);
        qputenv("DISPLAY", x11 ? display : QByteArray());
        PlatformChoice::choose();
        const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", platform);
        QTEST(chosen, "chosen");
    }

    // As Qt's title bar asks, which weston would answer with a screen-sized
    // window, and end the game should it commit any other size.
    void maximiseRequest()
    {
        TShootForm &form = *ShootForm;
        QWindow *window = form.windowHandle();
        const QSize size = window->size();
        form.New1->trigger();
        window->setWindowStates(Qt::WindowMaximized);
        QCOMPARE(window->windowStates(), Qt::WindowNoState);
        const int ticks = form.TickCount;
        QVERIFY(waitFor([&] { return form.TickCount > ticks + 3; }));
        QCOMPARE(window->size(), size);
        form.Stop1->trigger();
    }

    void minimising_data()
    {
        QTest::addColumn<State>("before");
        QTest::addColumn<State>("outOfSight");
        QTest::addColumn<State>("backInSight");
        QTest::newRow("running: pauses, carries on") << State::Playing << State::Paused << State::Playing;
        QTest::newRow("paused by hand: stays paused") << State::Paused << State::Paused << State::Paused;
        QTest::newRow("after a game: nothing") << State::GameOver << State::GameOver << State::GameOver;
    }
    void minimising()
    {
        QFETCH(State, before);
        QFETCH(State, outOfSight);
        QFETCH(State, backInSight);
        TShootForm &form = *ShootForm;
        QWindow *window = form.windowHandle();
        QVERIFY(QTest::qWaitForWindowExposed(&form, Timeout));
        if (before != State::GameOver)
            form.New1->trigger();
        if (before == State::Paused)
            form.Pause1->trigger();

        // The compositor stops asking for frames only from a window that
        // draws, as a running game does anyway.
        QTimer drawing;
        connect(&drawing, &QTimer::timeout, &form, [&form] { form.update(); });
        drawing.start(100);
        form.showMinimized(); // as Qt's own title bar does: xdg_toplevel.set_minimized
        QVERIFY2(waitFor([window] { return !window->isExposed(); }), "out of sight");
        QCOMPARE(gameState(form), outOfSight);
        const int ticks = form.TickCount;
        QTest::qWait(500);
        QCOMPARE(form.TickCount, ticks);

        // Headless weston has no seat to bring the window back with; mapping
        // it anew is what the program sees of that.
        form.hide();
        form.show();
        QVERIFY2(waitFor([window] { return window->isExposed(); }), "back in sight");
        QCOMPARE(gameState(form), backInSight);
        if (backInSight == State::Playing) {
            QVERIFY(waitFor([&] { return form.TickCount > ticks; }));
            QVERIFY(waitFor(State::Playing));
        } else if (backInSight == State::Paused) {
            form.Pause1->trigger();
        }
        form.Stop1->trigger();
        QCOMPARE(gameState(form), State::GameOver);
    }
};

THWACKLE_TEST_MAIN(WaylandTest)
#include "wayland_test.moc"

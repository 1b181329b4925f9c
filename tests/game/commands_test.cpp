// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's four states and every way between them: menu items, tool
// buttons, minimising and restoring, and the game running out.

#include "support/gamefixture.h"
#include "support/testmain.h"

#include <QScreen>
#include <QToolButton>

namespace {

void act(TShootForm &form, const QString &event)
{
    if (event == QLatin1String("New"))
        form.New1->trigger();
    else if (event == QLatin1String("NewButton"))
        QTest::mouseClick(form.NewButton, Qt::LeftButton);
    else if (event == QLatin1String("Pause"))
        form.Pause1->trigger();
    else if (event == QLatin1String("PauseButton"))
        QTest::mouseClick(form.PauseButton, Qt::LeftButton);
    else if (event == QLatin1String("Stop"))
        form.Stop1->trigger();
    else if (event == QLatin1String("StopButton"))
        QTest::mouseClick(form.StopButton, Qt::LeftButton);
    else if (event == QLatin1String("Minimise"))
        form.setWindowState(Qt::WindowMinimized);
    else if (event == QLatin1String("Restore"))
        form.setWindowState(Qt::WindowNoState);
    else if (event == QLatin1String("RunOut")) {
        form.GameLength = form.TickCount + 1;
        form.Timer1Timer();
    } else
        QFAIL(qPrintable(QStringLiteral("unknown event ") + event));
}

} // namespace

class CommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void startsReady()
    {
        GameWindow form;
        verifyState(*form, State::Ready);
        QCOMPARE(form->windowTitle(), QStringLiteral("Thwackle"));
        QCOMPARE(form->centralWidget()->size(), QSize(522, 409));
        const QPoint offCentre = form->geometry().center() - form->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, "centred on the screen");
        QCOMPARE(form->TargetLife, 15);
        QCOMPARE(form->SpawnRange, 30);
        QCOMPARE(form->GameLength, 150);
        QCOMPARE(scoreboard(*form), QStringLiteral("00 0 0 0 0").split(QLatin1Char(' ')));
        QVERIFY(!form->About1->isVisible());
        QCOMPARE(form->Timer1->interval(), 150);
        QCOMPARE(Application::instance()->cursors().current(), MaletCursor);
        QCOMPARE(form->NewButton->toolTip(), QStringLiteral("Start a new game"));
        QCOMPARE(form->PauseButton->toolTip(), QStringLiteral("Pause your game"));
        QCOMPARE(form->StopButton->toolTip(), QStringLiteral("Stop the game"));
        // Every control answers to its designed name.
        for (const char *name : {"Image2", "Image1", "GameOverImage", "TimeLabel", "MissLabel", "HitsLabel",
                                 "EscapedLabel", "ScoreLabel", "Image3", "Panel1", "NewButton", "PauseButton",
                                 "StopButton", "Timer1", "MainMenu1", "Gamr1", "New1", "Options1", "Stop1", "N1",
                                 "Exit1", "Pause1", "About1"})
            QVERIFY2(form->findChild<QObject *>(QLatin1String(name)), name);
    }

    void transitions_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<State>("state");
        const auto row = [](const char *name, const char *events, State state) {
            QTest::newRow(name) << QString::fromLatin1(events).split(QLatin1Char(' ')) << state;
        };
        row("new by menu", "New", State::Playing);
        row("new by button", "NewButton", State::Playing);
        row("pause by menu", "New Pause", State::Paused);
        row("pause by button", "New PauseButton", State::Paused);
        row("continue", "New Pause Pause", State::Playing);
        row("continue by button", "New PauseButton PauseButton", State::Playing);
        row("stop by menu", "New Stop", State::GameOver);
        row("stop by button", "New StopButton", State::GameOver);
        row("runs out", "New RunOut", State::GameOver);
        row("new after game over", "New Stop NewButton", State::Playing);
        row("new button during a game does nothing", "New NewButton", State::Playing);
        row("stop button in ready does nothing", "StopButton", State::Ready);
        row("pause in ready does nothing", "Pause PauseButton", State::Ready);
        row("pause after a game does nothing", "New Stop Pause", State::GameOver);
        row("stop unavailable while paused", "New Pause Stop StopButton", State::Paused);
        row("minimise pauses", "New Minimise", State::Paused);
        row("restore continues", "New Minimise Restore", State::Playing);
        row("paused by hand runs when minimised", "New Pause Minimise", State::Playing);
        row("and pauses again when restored", "New Pause Minimise Restore", State::Paused);
        row("minimise in ready", "Minimise Restore", State::Ready);
        row("minimise after a game", "New Stop Minimise", State::GameOver);
        row("restore after a game", "New Stop Minimise Restore", State::GameOver);
        row("stop after continue", "New Pause Pause Stop", State::GameOver);
    }
    void transitions()
    {
        QFETCH(QStringList, events);
        QFETCH(State, state);
        GameWindow form;
        for (const QString &event : events)
            act(*form, event);
        verifyState(*form, state);
    }

    void stopByHandKeepsTheTimeLeftOfTheLastTick()
    {
        GameWindow form;
        startHandTickedGame(*form);
        form->Timer1Timer();
        form->Timer1Timer();
        form->Stop1->trigger();
        QCOMPARE(form->TimeLabel->text(), QStringLiteral("148"));
    }

    void exitClosesTheWindowInAnyState_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::newRow("ready") << QStringList{};
        QTest::newRow("playing") << QStringList{QStringLiteral("New")};
        QTest::newRow("paused") << QStringList{QStringLiteral("New"), QStringLiteral("Pause")};
    }
    void exitClosesTheWindowInAnyState()
    {
        QFETCH(QStringList, events);
        GameWindow form;
        for (const QString &event : events)
            act(*form, event);
        form->Exit1->trigger();
        QVERIFY(!form->isVisible());
    }
};

THWACKLE_TEST_MAIN(CommandsTest)
#include "commands_test.moc"

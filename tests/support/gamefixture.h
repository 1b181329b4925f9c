// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/playarea.h"
#include "game/random.h"
#include "game/shootform.h"
#include "game/spottable.h"
#include "toolkit/application.h"
#include "toolkit/intervaltimer.h"
#include "toolkit/picturebox.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>

// A fresh game window for one test, shown, created as start-up creates it:
// the application's main window, so minimising and restoring reach it.
// `create`, when given, makes it together with the windows beside it. Keys
// need the window active; on a display server with no window manager nothing
// activates it, and exposed is all there is.
class GameWindow
{
public:
    explicit GameWindow(TShootForm *(*create)() = nullptr, bool active = true, int timeout = 5000)
    {
        if (create)
            m_form = create();
        else
            Application::instance()->createForm(m_form);
        m_form->show();
        m_shown = active ? QTest::qWaitForWindowActive(m_form, timeout) : QTest::qWaitForWindowExposed(m_form, timeout);
        if (!m_shown)
            qWarning("game window not shown");
    }
    ~GameWindow() { Application::instance()->destroyForms(); }
    GameWindow(const GameWindow &) = delete;
    GameWindow &operator=(const GameWindow &) = delete;

    bool shown() const { return m_shown; }
    TShootForm *get() const { return m_form; }
    TShootForm *operator->() const { return m_form; }
    TShootForm &operator*() const { return *m_form; }

private:
    TShootForm *m_form = nullptr;
    bool m_shown = false;
};

// Starts a game and takes the clock out of the loop: the test ticks by hand.
inline void startHandTickedGame(TShootForm &form)
{
    form.New1->trigger();
    form.Timer1->stop();
}

// A press and release on the play area, as the player makes it.
inline void strike(TShootForm &form, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(form.Image2, button, Qt::NoModifier, at);
    QTest::mouseRelease(form.Image2, button, Qt::NoModifier, at);
}

// The five scoreboard texts: time left, hits, misses, escaped, score.
inline QStringList scoreboard(const TShootForm &form)
{
    return {form.TimeLabel->text(), form.HitsLabel->text(), form.MissLabel->text(), form.EscapedLabel->text(),
            form.ScoreLabel->text()};
}

inline QRgb pixelOf(QWidget *widget, const QPoint &at)
{
    return widget->grab().toImage().pixel(at);
}

inline QPoint spriteCentre(int spot)
{
    return SpotTable[size_t(spot)] + QPoint(38, 28);
}

// The window's four states, and its end.
enum class State { Ready, Playing, Paused, GameOver, Closed };

// The window's state as the player sees it.
inline State gameState(const TShootForm &form)
{
    if (!form.isVisible())
        return State::Closed;
    if (form.GameStopped)
        return form.Image3->isVisible() ? State::Ready : State::GameOver;
    return form.GamePaused ? State::Paused : State::Playing;
}

// Checks every row of the state table for one state. A failed check returns
// early; a caller that goes on afterwards asks QTest::currentTestFailed().
inline void verifyState(const TShootForm &form, State state)
{
    const bool stopped = state == State::Ready || state == State::GameOver;
    QCOMPARE(form.GameStopped, stopped);
    QCOMPARE(form.GamePaused, state == State::Paused);
    QCOMPARE(form.Timer1->isActive(), state == State::Playing);
    QCOMPARE(form.Image3->isVisible(), state == State::Ready);
    QCOMPARE(form.GameOverImage->isVisible(), stopped);
    QCOMPARE(form.New1->isEnabled(), stopped);
    QCOMPARE(form.Options1->isEnabled(), stopped);
    QCOMPARE(form.Stop1->isEnabled(), state == State::Playing);
    QCOMPARE(form.StopButton->isEnabled(), state == State::Playing || state == State::Ready);
    QCOMPARE(form.Pause1->text(), state == State::Paused ? QStringLiteral("&Continue") : QStringLiteral("&Pause"));
    // Always available.
    QVERIFY(form.Pause1->isEnabled());
    QVERIFY(form.Exit1->isEnabled());
    QVERIFY(form.NewButton->isEnabled());
    QVERIFY(form.PauseButton->isEnabled());
}

Q_DECLARE_METATYPE(State)

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/programwindows.h"
#include "support/testsupport.h"

#include <QImage>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>
#include <random>

// Plays the program's three windows at random, as start-up creates them:
// presses and releases anywhere with any button, menu commands, tool buttons,
// shortcuts and keys, minimising and restoring, the options dialog and the
// About box worked and closed every way, and game ticks delivered directly.
// After every event it checks that the game still holds together, through
// QtTest's checks. A seed gives the same play every time.
class RandomPlayer : public QObject
{
public:
    explicit RandomPlayer(uint64_t seed);
    ~RandomPlayer() override;

    // Plays until `events` events have been made or a check fails; on a
    // failure prints the seed, the event number and the events before it.
    void play(int64_t events);

    // What was played, for the record.
    QString summary() const;

private:
    enum class Kind { Tick, Press, Release, Strike, ToolButton, MenuCommand, Shortcut, Key, MinimiseOrRestore, Close };

    // One event in the game window, and the checks after it.
    bool step();
    Kind pickKind();
    void perform(Kind kind);
    void press();
    void release();
    void letGo(QWidget *widget, Qt::MouseButton button, const QPoint &at);
    void strike();
    void toolButton();
    void menuCommand();
    void shortcut();
    void pressKey(QWindow *window, QKeyCombination key);
    void minimiseOrRestore();

    // The modal windows, played from inside their own event loops.
    void answerModal();
    void playOptions();
    void optionsEvent();
    void playAbout();
    void playDialog(QDialog *dialog, const std::function<void()> &event, const std::function<void()> &checkOpen);
    void closeDialog(QDialog *dialog);
    void clickIn(QWidget *widget, const QPoint &at);

    void openWindows();
    void note(const QString &event);
    bool broken();
    State currentState() const;
    void check();
    void checkCounters();
    void checkSprites();

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }
    bool oneIn(int times) { return below(times) == 0; }
    QPoint anywhereIn(const QWidget *widget);
    Qt::MouseButton anyButton();
    Qt::KeyboardModifiers anyModifiers();

    std::mt19937_64 m_random;
    uint64_t m_seed;
    std::optional<ProgramWindows> m_windows;
    TestSupport::ErrorBoxRecorder m_errorBoxes;
    QTimer m_modalAnswer;
    QWidget *m_playing = nullptr; // the modal window being played
    Qt::MouseButtons m_held;      // buttons pressed and not yet released
    QKeyCombination m_lastKey;
    QSet<int> m_closingKeys;

    int64_t m_event = 0;
    QStringList m_recent; // the last events made, newest last
    bool m_failureReported = false;

    // What the checks compare with.
    bool m_gameStarted = false;
    bool m_wasStopped = true;
    bool m_wasPaused = false;
    int32_t m_lastTick = 0;
    int32_t m_lastHits = 0;
    int32_t m_lastMisses = 0;
    int32_t m_lastEscaped = 0;
    QImage m_live;
    QImage m_dead;

    // The record.
    int64_t m_ticks = 0;
    int64_t m_games = 0;
    int64_t m_hits = 0;
    int m_optionsShown = 0;
    int m_aboutShown = 0;
    int m_restarts = 0;
};

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/programwindows.h"
#include "support/testsupport.h"

#include <QImage>
#include <QSet>
#include <QTimer>

#include <cstdint>
#include <optional>
#include <random>

// Plays the program's three windows at random, as start-up creates them:
// presses and releases anywhere with any button, strikes, tool buttons, menu
// commands, keys, minimising and restoring, closing, the options dialog and
// the About box worked and closed every way, and game ticks delivered
// directly. After every event it checks, through QtTest, that the game still
// holds together. A seed gives the same play every time.
class RandomPlayer : public QObject
{
public:
    explicit RandomPlayer(uint64_t seed);

    // Plays until `events` events have been made or a check fails; on a
    // failure prints the seed and the event number.
    void play(int64_t events);

private:
    using Event = void (RandomPlayer::*)();

    void step();
    void tick();
    void mouseButton();
    void strike();
    void toolButton();
    void menuCommand();
    void key();
    void minimiseOrRestore();
    void close();

    void pressKey(QWindow *window, QKeyCombination key) { QTest::keyClick(window, key.key(), key.keyboardModifiers()); }
    void click(QWidget *widget, const QPoint &at, Qt::MouseButton button = Qt::LeftButton);
    void letGo(QWidget *widget, Qt::MouseButton button, const QPoint &at);

    // The modal windows, played from inside their own event loops.
    void answerModal();
    void playDialog(QDialog *dialog);
    void optionsEvent();
    void closeDialog(QDialog *dialog);

    void openWindows();
    bool broken();
    State currentState() const;
    void check();
    void checkCounters();
    void checkSprites();

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }
    bool oneIn(int times) { return below(times) == 0; }
    template <class List>
    auto pick(const List &list) { return list[below(int(std::size(list)))]; }
    QPoint anywhereIn(const QWidget *widget) { return QPoint(below(widget->width()), below(widget->height())); }

    std::mt19937_64 m_random;
    uint64_t m_seed;
    std::optional<GameWindow> m_windows;
    TestSupport::ErrorBoxRecorder m_errorBoxes;
    QTimer m_modalAnswer;
    QWidget *m_playing = nullptr; // the modal window being played
    Qt::MouseButtons m_held;      // buttons pressed and not yet released
    QKeyCombination m_lastKey;
    QSet<int> m_closingKeys;      // keys that were seen to end the program
    int64_t m_event = 0;
    bool m_failureReported = false;
    int m_optionsPlayed = 0;
    int m_aboutPlayed = 0;

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
};

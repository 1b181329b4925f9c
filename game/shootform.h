// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/targetslot.h"
#include "options/gameparameters.h"

#include <QImage>
#include <QMainWindow>

#include <array>
#include <cstdint>

class IntervalTimer;
class PictureBox;
class PlayArea;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QToolButton;

// The main game window: the play area, the scoreboard, the tool buttons and
// the menu, with the game state in its fields. Everything runs on the GUI
// thread, so ticks, presses and commands never overlap.
class TShootForm : public QMainWindow, public GameParameters
{
    Q_OBJECT

public:
    explicit TShootForm(QWidget *parent = nullptr);

    // Controls, in creation order: later ones lie over earlier ones.
    PlayArea *Image2 = nullptr;
    PictureBox *Image1 = nullptr;
    PictureBox *GameOverImage = nullptr;
    QLabel *TimeLabel = nullptr;
    QLabel *MissLabel = nullptr;
    QLabel *HitsLabel = nullptr;
    QLabel *EscapedLabel = nullptr;
    QLabel *ScoreLabel = nullptr;
    PictureBox *Image3 = nullptr;
    QFrame *Panel1 = nullptr;
    QToolButton *NewButton = nullptr;
    QToolButton *PauseButton = nullptr;
    QToolButton *StopButton = nullptr;

    // The game clock and, right beside it, the count of its ticks this game.
    IntervalTimer *Timer1 = nullptr;
    int32_t TickCount = 0;

    QMenuBar *MainMenu1 = nullptr;
    QMenu *Gamr1 = nullptr;
    QAction *New1 = nullptr;
    QAction *Options1 = nullptr;
    QAction *Stop1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *Pause1 = nullptr;
    QAction *About1 = nullptr;

    // Game state (the three parameters come from GameParameters).
    int32_t Score = 0;
    int32_t Hits = 0;
    int32_t Misses = 0;
    int32_t Escaped = 0;
    bool GameStopped = false;
    bool GamePaused = false;
    QImage LiveBitmap;
    QImage DeadBitmap;
    std::array<TargetSlot, 8> TargetSlots{};

    // Handlers.
    void FormCreate();
    void New1Click();
    void Options1Click();
    void Stop1Click();
    void Exit1Click();
    void Pause1Click();
    void About1Click();
    void NewButtonClick();
    void PauseButtonClick();
    void StopButtonClick();
    void Timer1Timer();
    void Image2MouseDown(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int X, int Y);
    void Image2MouseUp(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int X, int Y);
    void WriteScore();

private:
    void buildLayout();
    void buildMenu();
    void nameForScreenReaders();
    void pauseOutOfSight();
    void continueBackInSight();
    void enableTimer();
    void eraseSpot(int spot);

    // Set while a game is paused because its window went out of sight.
    bool m_pausedOutOfSight = false;
};

extern TShootForm *ShootForm;

// Application cursor numbers of the two mallets.
inline constexpr int MaletCursor = 5;
inline constexpr int MaletDownCursor = 6;

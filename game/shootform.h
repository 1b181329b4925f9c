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
    PlayArea *Image2 = nullptr;           // the play area: the water container
    PictureBox *Image1 = nullptr;         // the scoreboard, under the play area
    PictureBox *GameOverImage = nullptr;  // the game-over banner
    QLabel *TimeLabel = nullptr;          // ticks left in the game
    QLabel *MissLabel = nullptr;          // presses that struck nothing
    QLabel *HitsLabel = nullptr;          // targets struck
    QLabel *EscapedLabel = nullptr;       // targets that got away
    QLabel *ScoreLabel = nullptr;         // the total
    PictureBox *Image3 = nullptr;         // the start banner, over the game-over one
    QFrame *Panel1 = nullptr;             // the tool panel left of the scoreboard
    QToolButton *NewButton = nullptr;     // works New1
    QToolButton *PauseButton = nullptr;   // works Pause1
    QToolButton *StopButton = nullptr;    // works Stop1

    IntervalTimer *Timer1 = nullptr;      // the game clock
    int32_t TickCount = 0;                // its ticks so far this game

    QMenuBar *MainMenu1 = nullptr;        // the menu bar
    QMenu *Gamr1 = nullptr;               // the Game menu
    QAction *New1 = nullptr;              // Game > New
    QAction *Options1 = nullptr;          // Game > Options...
    QAction *Stop1 = nullptr;             // Game > Stop
    QAction *N1 = nullptr;                // the separator above Exit
    QAction *Exit1 = nullptr;             // Game > Exit
    QAction *Pause1 = nullptr;            // Pause, or Continue, on the menu bar
    // The window keeps its About item, hidden and doing nothing, as designed:
    // the About box opens by F1 (app/startup.cpp) and by no menu command.
    QAction *About1 = nullptr;

    // Game state (the three parameters come from GameParameters).
    int32_t Score = 0;
    int32_t Hits = 0;
    int32_t Misses = 0;
    int32_t Escaped = 0;
    bool GameStopped = false;             // no game running: before the first, or after one ends
    bool GamePaused = false;              // the running game is paused
    QImage LiveBitmap;                    // the target's sprite
    QImage DeadBitmap;                    // the splash over a struck target
    std::array<TargetSlot, 8> TargetSlots{}; // what stands at each spot of SpotTable

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

// What each event of a game adds to the score.
inline constexpr int32_t HitPoints = 5;     // a target struck
inline constexpr int32_t MissPoints = -2;   // a press that strikes nothing
inline constexpr int32_t EscapePoints = -1; // a target that got away

// Application cursor numbers of the two mallets.
inline constexpr int MaletCursor = 5;
inline constexpr int MaletDownCursor = 6;

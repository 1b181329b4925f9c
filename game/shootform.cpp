// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/shootform.h"

#include "game/playarea.h"
#include "game/random.h"
#include "game/spottable.h"
#include "options/optionsform.h"
#include "resources/assets.h"
#include "toolkit/application.h"
#include "toolkit/failure.h"
#include "toolkit/handlerbinding.h"
#include "toolkit/intervaltimer.h"
#include "toolkit/maximiserefusal.h"
#include "toolkit/picturebox.h"
#include "toolkit/screencentring.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

#include <ctime>

TShootForm *ShootForm = nullptr;

TShootForm::TShootForm(QWidget *parent)
    : QMainWindow(parent)
{
    buildLayout();
    buildMenu();
    FormCreate();
}

void TShootForm::FormCreate()
{
    Application *app = Application::instance();
    // Cursors and sprites come in the size made for the screen the window
    // starts on; their logical size is the designed one at any ratio.
    const qreal ratio = devicePixelRatioF();
    if (const auto malet = Assets::cursor(QStringLiteral("Malet"), ratio))
        app->cursors().registerCursor(MaletCursor, *malet);
    if (const auto maletDown = Assets::cursor(QStringLiteral("MaletDown"), ratio))
        app->cursors().registerCursor(MaletDownCursor, *maletDown);
    app->cursors().setCurrent(MaletCursor);

    SeedRandom(uint32_t(std::time(nullptr)));
    LiveBitmap = Assets::bitmap(QStringLiteral("Live"), ratio);
    DeadBitmap = Assets::bitmap(QStringLiteral("Dead"), ratio);
    GameStopped = true;
    GamePaused = false;
    restoreDefaults();

    bindHandler(app, &Application::minimized, this, &TShootForm::Pause1Click);
    bindHandler(app, &Application::restored, this, &TShootForm::Pause1Click);
    bindHandler(app, &Application::outOfSight, this, &TShootForm::pauseOutOfSight);
    bindHandler(app, &Application::backInSight, this, &TShootForm::continueBackInSight);

    // Centred on the screen when shown: the size is the client area plus the
    // menu bar and, once the window system tells it, the frame.
    adjustSize();
    new ScreenCentring(this);
    new MaximiseRefusal(this);
}

void TShootForm::enableTimer()
{
    if (!Timer1->start())
        throw Failure(QStringLiteral("Not enough timers available"));
}

void TShootForm::eraseSpot(int spot)
{
    Image2->eraseRect(QRect(SpotTable[spot], DeadBitmap.deviceIndependentSize().toSize()));
}

void TShootForm::New1Click()
{
    Image3->hide();
    enableTimer();
    TickCount = 0;
    Score = 0;
    Hits = 0;
    Misses = 0;
    Escaped = 0;
    GameOverImage->hide();
    GameStopped = false;
    TargetSlots.fill(TargetSlot{});
    New1->setEnabled(false);
    Options1->setEnabled(false);
    Stop1->setEnabled(true);
    StopButton->setEnabled(true);
}

void TShootForm::Options1Click()
{
    if (OptionsForm)
        Application::instance()->execModal(OptionsForm);
}

void TShootForm::Stop1Click()
{
    Timer1->stop();
    GamePaused = false;
    GameOverImage->show();
    GameStopped = true;
    New1->setEnabled(true);
    Options1->setEnabled(true);
    Stop1->setEnabled(false);
    StopButton->setEnabled(false);
    // Targets still up are wiped but not counted as escaped.
    for (int spot = 0; spot < int(TargetSlots.size()); ++spot) {
        if (TargetSlots[spot].ExpiryTick != 0)
            eraseSpot(spot);
    }
}

void TShootForm::Exit1Click()
{
    close();
}

void TShootForm::Pause1Click()
{
    // Whatever pauses or continues from here on, a pause is no longer the
    // one that going out of sight made.
    m_pausedOutOfSight = false;
    if (GameStopped)
        return;
    if (GamePaused) {
        GamePaused = false;
        Pause1->setText(QStringLiteral("&Pause"));
        Stop1->setEnabled(true);
        StopButton->setEnabled(true);
        enableTimer();
    } else {
        GamePaused = true;
        Pause1->setText(QStringLiteral("&Continue"));
        Stop1->setEnabled(false);
        StopButton->setEnabled(false);
        Timer1->stop();
    }
}

void TShootForm::About1Click()
{
}

// Where minimising goes unreported, a game must still not run on unseen: the
// window going out of sight pauses a running game, and its coming back
// continues only the game that this paused. Unlike minimising, this never
// wakes a game paused by hand, which would then run where nobody sees it.
void TShootForm::pauseOutOfSight()
{
    if (GameStopped || GamePaused)
        return;
    Pause1Click();
    m_pausedOutOfSight = true;
}

void TShootForm::continueBackInSight()
{
    if (m_pausedOutOfSight)
        Pause1Click();
}

// The tool buttons go through their menu items, so a command's availability
// lives on the menu item alone: a disabled item ignores the trigger.
void TShootForm::NewButtonClick()
{
    New1->trigger();
}

void TShootForm::PauseButtonClick()
{
    Pause1->trigger();
}

void TShootForm::StopButtonClick()
{
    Stop1->trigger();
}

void TShootForm::Timer1Timer()
{
    ++TickCount;

    const int32_t draw = SpawnRange == 0 ? 0 : Random() % SpawnRange;
    if (draw >= 0 && draw < int32_t(TargetSlots.size()) && TargetSlots[draw].ExpiryTick == 0) {
        TargetSlots[draw].ExpiryTick = TickCount + TargetLife;
        TargetSlots[draw].Hit = false;
        Image2->drawSprite(SpotTable[draw], LiveBitmap);
    }

    for (int spot = 0; spot < int(TargetSlots.size()); ++spot) {
        TargetSlot &slot = TargetSlots[spot];
        if (slot.ExpiryTick != 0 && TickCount > slot.ExpiryTick) {
            slot.ExpiryTick = 0;
            if (!slot.Hit) {
                Score += EscapePoints;
                Escaped += 1;
            }
            eraseSpot(spot);
        }
    }

    WriteScore();

    if (TickCount >= GameLength)
        Stop1Click();
}

void TShootForm::Image2MouseDown(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y)
{
    Application::instance()->cursors().setCurrent(MaletDownCursor);
    if (GameStopped || GamePaused)
        return;

    const int w = int(LiveBitmap.deviceIndependentSize().width());
    const int h = int(LiveBitmap.deviceIndependentSize().height());
    bool struck = false;
    for (int spot = 0; spot < int(TargetSlots.size()); ++spot) {
        TargetSlot &slot = TargetSlots[spot];
        const QPoint at = SpotTable[spot];
        if (!slot.Hit && slot.ExpiryTick != 0 && at.x() - StrikeReach < X && X < at.x() + w
            && at.y() - StrikeReach < Y && Y < at.y() + h) {
            Score += HitPoints;
            slot.Hit = true;
            slot.ExpiryTick = TickCount + 2 * TargetLife;
            Hits += 1;
            Image2->drawSprite(at, DeadBitmap);
            struck = true;
        }
    }
    if (!struck) {
        Score += MissPoints;
        Misses += 1;
    }
    WriteScore();
}

void TShootForm::Image2MouseUp(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    Application::instance()->cursors().setCurrent(MaletCursor);
}

void TShootForm::WriteScore()
{
    const auto show = [](QLabel *label, int32_t value) {
        label->setText(QString::number(value));
        label->adjustSize();
    };
    show(TimeLabel, GameLength - TickCount);
    show(HitsLabel, Hits);
    show(MissLabel, Misses);
    show(EscapedLabel, Escaped);
    show(ScoreLabel, Score);
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the game as the program does and poses it in one state, for a
// screenshot: ready, playing, gameover, options or about. Prints "posed" when
// the window shows that state, and keeps it until it is killed.

#include "app/startup.h"
#include "game/random.h"
#include "game/shootform.h"
#include "game/spottable.h"
#include "toolkit/application.h"
#include "toolkit/intervaltimer.h"

#include <QAction>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

void announce()
{
    QTimer::singleShot(500, qApp, [] {
        std::printf("posed\n");
        std::fflush(stdout);
    });
}

void strikeSpot(int spot)
{
    const QPoint at = SpotTable[size_t(spot)] + QPoint(30, 25);
    ShootForm->Image2MouseDown(ShootForm, Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
    ShootForm->Image2MouseUp(ShootForm, Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
}

// A game in its middle: several targets up, one of them just struck.
void playAWhile()
{
    ShootForm->SpawnRange = 8;
    ShootForm->New1->trigger();
    ShootForm->Timer1->stop();
    SeedRandom(7);
    for (int tick = 0; tick < 9; ++tick) {
        ShootForm->Timer1Timer();
        if (tick == 3)
            strikeSpot(0); // a miss unless a target happens to be there
    }
    for (int spot = 0; spot < 8; ++spot) {
        if (ShootForm->TargetSlots[size_t(spot)].ExpiryTick != 0) {
            strikeSpot(spot);
            break;
        }
    }
}

void pose(const char *state)
{
    if (std::strcmp(state, "playing") == 0) {
        playAWhile();
    } else if (std::strcmp(state, "gameover") == 0) {
        playAWhile();
        ShootForm->GameLength = ShootForm->TickCount + 1;
        ShootForm->Timer1Timer();
    } else if (std::strcmp(state, "options") == 0) {
        announce();
        ShootForm->Options1->trigger();
        return;
    } else if (std::strcmp(state, "about") == 0) {
        // Let the credits roll for a while before opening the box.
        QTimer::singleShot(6000, qApp, [] {
            announce();
            Startup::showAboutBox();
        });
        return;
    }
    announce();
}

} // namespace

int main(int argc, char *argv[])
{
    const char *state = argc > 1 ? argv[1] : "ready";
    Application app("thwackle");
    QTimer::singleShot(300, &app, [state] { pose(state); });
    return Startup::run(app);
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Thwackle: strike the critters in the water container before they escape.

#include "app/displayguard.h"
#include "app/platformchoice.h"
#include "app/startup.h"
#include "toolkit/application.h"

int main(int, char *[])
{
    // With no display to show the game on, say so plainly, and how to play
    // anyway, rather than crash.
    DisplayGuard guard;
    PlatformChoice::choose();
    // The command line is ignored altogether: Qt sees only the program name.
    Application app("thwackle");
    guard.release();
    return Startup::run(app);
}

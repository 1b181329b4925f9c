// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Thwackle: strike the critters in the water container before they escape.

#include "app/startup.h"
#include "toolkit/application.h"
#include "toolkit/displayguard.h"

int main(int, char *[])
{
    // With no display to show the game on, say so plainly, and how to play
    // anyway, rather than crash.
    DisplayGuard guard("thwackle", "start it in a desktop session, or on a virtual display with xvfb-run "
                                   "(Debian package xvfb)");
    // The command line is ignored altogether: Qt sees only the program name.
    Application app("thwackle");
    guard.release();
    return Startup::run(app);
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Thwackle: strike the critters in the water container before they escape.

#include "app/startup.h"
#include "toolkit/application.h"

int main(int, char *[])
{
    // The command line is ignored altogether: Qt sees only the program name.
    Application app("thwackle");
    return Startup::run(app);
}

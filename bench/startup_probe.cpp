// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's own start-up, reporting the main window's first paint.

#include "firstpaint.h"

#include "app/startup.h"
#include "game/playarea.h"
#include "game/shootform.h"
#include "toolkit/application.h"

int main(int, char *[])
{
    Application app("thwackle");
    FirstPaintProbe probe;
    // The play area is the last of the window to be painted.
    return Startup::run(app, [&probe] { ShootForm->Image2->installEventFilter(&probe); });
}

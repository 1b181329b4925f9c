// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class Application;

// Puts the program together: the application's names, title and icon, the
// three windows in their order, the About box's key, and the guarded run.
// The main routine, the screenshot poser and the start-up probe share it.
namespace Startup {

// Names the application and gives it its version, title and icon.
void prepareApplication(Application &app);

// Creates the three windows in their order, each hidden: the game window
// (the main window), the options dialog and the About box. Then binds F1
// on the game window to the About box.
void createForms(Application &app);

// Opens the About box modally, between games only: it would hide a running
// game.
void showAboutBox();

// The whole program: prepares the application, then inside the guarded block
// creates the windows, calls `ready` (for the poser and the probe) and runs
// the event loop until the main window closes. Returns the exit status, 0.
int run(Application &app, const std::function<void()> &ready = {});

} // namespace Startup

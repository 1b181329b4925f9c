// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Picks the display platform before the application object is made, by
// setting QT_QPA_PLATFORM for this process only; a platform the user named
// there is left as it is.
//
// The game's window has a fixed size. A Wayland compositor that draws no
// title bars (GNOME's, weston) leaves that to Qt's own decoration, which
// offers a maximise that the window cannot honour and lacks the desktop's
// look. Where such a compositor also runs an X server (XWayland), the game
// goes through X11, where the desktop frames it as designed; everywhere else
// Qt's own default holds (Wayland in a Wayland session). The compositor says
// whether it draws title bars by offering zxdg_decoration_manager_v1.
namespace PlatformChoice {

void choose();

} // namespace PlatformChoice

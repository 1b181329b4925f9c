// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Stands around the construction of the application object, where Qt picks
// the platform the windows will live on. When none can start because no
// display answered, Qt prints advice that does not apply (reinstalling the
// application) and aborts. Instead, this prints one line that says what is
// missing and how to run the program anyway, and ends the process with
// status 1. When a platform failed for another reason (a plugin that would
// not load), Qt's own messages are the helpful ones: they are passed on, and
// the process ends with status 1 all the same.
//
// Qt itself decides whether a display can be had: the program does not look
// for one on its own, as a platform that needs no display (offscreen, VNC)
// may well have been chosen. Qt's messages during the construction are held
// back, and passed on as usual once the guard is released.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

    // Passes on the messages held back and stands down.
    void release();
};

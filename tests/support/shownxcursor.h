// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPoint>

#include <optional>

// The cursor that the X server shows where the pointer is, read through the
// XFixes extension on a connection of its own: what the player sees, whatever
// the toolkit believes it has set.
struct ShownXCursor {
    QImage image;
    QPoint hotSpot;
};

std::optional<ShownXCursor> shownXCursor();

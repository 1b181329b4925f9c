// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/shownxcursor.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

std::optional<ShownXCursor> shownXCursor()
{
    static Display *const display = XOpenDisplay(nullptr);
    if (!display)
        return std::nullopt;
    int eventBase = 0;
    int errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase))
        return std::nullopt;
    XFixesCursorImage *cursor = XFixesGetCursorImage(display);
    if (!cursor)
        return std::nullopt;
    ShownXCursor shown{QImage(cursor->width, cursor->height, QImage::Format_ARGB32_Premultiplied),
                       QPoint(cursor->xhot, cursor->yhot)};
    // One pixel in each unsigned long, whatever the width of a long.
    for (int y = 0; y < cursor->height; ++y) {
        for (int x = 0; x < cursor->width; ++x)
            shown.image.setPixel(x, y, QRgb(cursor->pixels[y * cursor->width + x] & 0xffffffffu));
    }
    XFree(cursor);
    return shown;
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>

// Writes single-image Windows cursor (.cur) and icon (.ico) files. Qt's
// icon writer stores every picture at 32 bits per pixel, and as an icon, so
// a cursor would lose its hot spot: only the container is written here, the
// bitmap inside it comes from Qt's bitmap writer.
class IconWriter
{
public:
    // Monochrome cursor from a mask: pixels with the mask's alpha set are
    // drawn black, all others are transparent. Nothing is inverted and no
    // white is used, so the cursor looks the same on any background.
    static QByteArray monochromeCursor(const QImage &shape, QPoint hotSpot);

    // 4-bit icon in the standard 16-colour palette. The AND mask is left
    // empty: every pixel, the white background included, is opaque.
    static QByteArray vgaIcon(const QImage &indexed16);

    // The 16 colours of the classic VGA palette, in their usual order.
    static QList<QRgb> vgaPalette();
};

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

// Reads a picture drawn as text, one character a pixel: used where a
// picture is so small and so few-coloured that each pixel must be placed
// by hand. Lines starting with ';' are comments.
class PixelArt
{
public:
    // '.' is transparent, 'X' black, 'r' red, 'o' white.
    static QImage load(const QString &path);
};

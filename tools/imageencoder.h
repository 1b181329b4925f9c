// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// The game's bitmaps and JPEG pictures, written by Qt's image writers. Where
// a file must carry a header field that Qt sets differently, only that field
// is patched over Qt's bytes.
class ImageEncoder
{
public:
    // Uncompressed, bottom-up, 96 dpi. An indexed image must have a full
    // 256-colour table and is stored at 8 bits per pixel with it; any other
    // image is stored at 24 bits per pixel.
    static QByteArray bmp(const QImage &image);

    // Baseline JFIF 1.01, 8-bit YCbCr sampled 2x2/1x1/1x1, with no density
    // but square pixels.
    static QByteArray jpeg(const QImage &image, int quality);
};

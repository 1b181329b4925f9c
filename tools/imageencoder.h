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
    // Uncompressed, bottom-up, 96 dpi, with no colour singled out as
    // important. Qt picks the depth from the image: 1 bit for a mono image,
    // 4 bits for an indexed one of up to 16 colours, 8 bits for a larger
    // colour table, 24 bits for any other.
    static QByteArray bmp(const QImage &image);

    // Baseline JFIF 1.01, 8-bit YCbCr sampled 2x2/1x1/1x1, with no density
    // but square pixels.
    static QByteArray jpeg(const QImage &image, int quality);

    // 8-bit RGBA with straight alpha and no text chunks.
    static QByteArray png(const QImage &image);
};

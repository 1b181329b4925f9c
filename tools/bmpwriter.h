#pragma once

#include <QByteArray>
#include <QImage>

// Writes uncompressed Windows bitmaps: BITMAPFILEHEADER, a 40-byte
// BITMAPINFOHEADER and bottom-up rows, which is what the game's bitmap
// loader and the tool-button glyph code expect.
class BmpWriter
{
public:
    // image must be Format_Indexed8 with exactly 256 colours.
    static QByteArray indexed8(const QImage &image);
    // Any format; stored as 24 bits per pixel with no palette.
    static QByteArray rgb24(const QImage &image);
};

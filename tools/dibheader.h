#pragma once

#include "bytewriter.h"

#include <QColor>
#include <QList>

// The 40-byte BITMAPINFOHEADER shared by BMP files, cursors and icons.
// Cursors and icons pass twice the image height because the AND mask is
// stacked under the colour image.
struct DibHeader
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8;
    int paletteSize = 0;
    std::uint32_t imageBytes = 0;

    void write(ByteWriter &out) const
    {
        out.u32(40);
        out.i32(width);
        out.i32(height); // positive: rows are stored bottom-up
        out.u16(1);      // planes
        out.u16(static_cast<std::uint16_t>(bitsPerPixel));
        out.u32(0); // BI_RGB, uncompressed
        out.u32(imageBytes);
        out.i32(3780); // 96 dpi, the density the window layouts are designed for
        out.i32(3780);
        out.u32(static_cast<std::uint32_t>(paletteSize));
        out.u32(0);
    }

    static void writePalette(ByteWriter &out, const QList<QRgb> &palette)
    {
        for (QRgb c : palette) {
            out.u8(static_cast<std::uint8_t>(qBlue(c)));
            out.u8(static_cast<std::uint8_t>(qGreen(c)));
            out.u8(static_cast<std::uint8_t>(qRed(c)));
            out.u8(0);
        }
    }

    // DIB rows are padded to whole 32-bit words.
    static int stride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }
};

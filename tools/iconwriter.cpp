#include "iconwriter.h"

#include "bytewriter.h"
#include "dibheader.h"

#include <stdexcept>

namespace {

enum ResourceType : std::uint16_t { Icon = 1, Cursor = 2 };

// ICONDIR plus one ICONDIRENTRY; the image follows right after it.
void writeDirectory(ByteWriter &out, ResourceType type, const QImage &image, int colourCount, int field1,
                    int field2, std::uint32_t imageBytes)
{
    out.u16(0);
    out.u16(type);
    out.u16(1);
    out.u8(static_cast<std::uint8_t>(image.width() % 256));
    out.u8(static_cast<std::uint8_t>(image.height() % 256));
    out.u8(static_cast<std::uint8_t>(colourCount));
    out.u8(0);
    // Icons keep planes and bit count here; cursors keep the hot spot.
    out.u16(static_cast<std::uint16_t>(field1));
    out.u16(static_cast<std::uint16_t>(field2));
    out.u32(imageBytes);
    out.u32(6 + 16);
}

std::vector<std::uint8_t> packBits(const QImage &image, int bits, auto valueAt)
{
    const int stride = DibHeader::stride(image.width(), bits);
    std::vector<std::uint8_t> rows;
    for (int y = image.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < image.width(); ++x) {
            const int bitPos = x * bits;
            const int shift = 8 - bits - bitPos % 8;
            row[static_cast<std::size_t>(bitPos / 8)] |= static_cast<std::uint8_t>(valueAt(x, y) << shift);
        }
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

QByteArray toByteArray(const ByteWriter &out)
{
    return QByteArray(reinterpret_cast<const char *>(out.bytes().data()), static_cast<qsizetype>(out.size()));
}

} // namespace

QByteArray IconWriter::monochromeCursor(const QImage &shape, QPoint hotSpot)
{
    const QImage argb = shape.convertToFormat(QImage::Format_ARGB32);
    auto drawn = [&argb](int x, int y) { return qAlpha(argb.pixel(x, y)) >= 128; };
    // Palette entry 0 is black, so a drawn pixel has XOR 0 and AND 0.
    const auto xorMask = packBits(argb, 1, [](int, int) { return 0; });
    const auto andMask = packBits(argb, 1, [&drawn](int x, int y) { return drawn(x, y) ? 0 : 1; });

    const std::uint32_t imageBytes = 40 + 2 * 4 + static_cast<std::uint32_t>(xorMask.size() + andMask.size());
    ByteWriter out;
    writeDirectory(out, Cursor, argb, 2, hotSpot.x(), hotSpot.y(), imageBytes);
    DibHeader{argb.width(), argb.height() * 2, 1, 2, static_cast<std::uint32_t>(xorMask.size() + andMask.size())}
        .write(out);
    DibHeader::writePalette(out, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
    out.append(xorMask);
    out.append(andMask);
    return toByteArray(out);
}

QByteArray IconWriter::vgaIcon(const QImage &indexed16)
{
    if (indexed16.format() != QImage::Format_Indexed8 || indexed16.colorTable() != vgaPalette())
        throw std::runtime_error("icon image must be indexed in the VGA palette");

    const auto colour = packBits(indexed16, 4, [&indexed16](int x, int y) { return indexed16.pixelIndex(x, y); });
    const auto andMask = packBits(indexed16, 1, [](int, int) { return 0; });

    const std::uint32_t imageBytes = 40 + 16 * 4 + static_cast<std::uint32_t>(colour.size() + andMask.size());
    ByteWriter out;
    writeDirectory(out, Icon, indexed16, 16, 1, 4, imageBytes);
    DibHeader{indexed16.width(), indexed16.height() * 2, 4, 16,
              static_cast<std::uint32_t>(colour.size() + andMask.size())}
        .write(out);
    DibHeader::writePalette(out, vgaPalette());
    out.append(colour);
    out.append(andMask);
    return toByteArray(out);
}

QList<QRgb> IconWriter::vgaPalette()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

#include "bmpwriter.h"

#include "bytewriter.h"
#include "dibheader.h"

#include <stdexcept>

namespace {

QByteArray finish(const DibHeader &dib, const QList<QRgb> &palette, const std::vector<std::uint8_t> &pixels)
{
    const std::uint32_t pixelOffset = 14 + 40 + static_cast<std::uint32_t>(palette.size()) * 4;
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(pixelOffset + static_cast<std::uint32_t>(pixels.size()));
    out.u32(0);
    out.u32(pixelOffset);
    dib.write(out);
    DibHeader::writePalette(out, palette);
    out.append(pixels);
    return QByteArray(reinterpret_cast<const char *>(out.bytes().data()), static_cast<qsizetype>(out.size()));
}

} // namespace

QByteArray BmpWriter::indexed8(const QImage &image)
{
    if (image.format() != QImage::Format_Indexed8 || image.colorCount() != 256)
        throw std::runtime_error("8-bit bitmap needs an indexed image with a full 256-colour table");

    const int stride = DibHeader::stride(image.width(), 8);
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(stride * image.height()));
    for (int y = image.height() - 1; y >= 0; --y) {
        const uchar *line = image.constScanLine(y);
        pixels.insert(pixels.end(), line, line + image.width());
        pixels.resize(pixels.size() + static_cast<std::size_t>(stride - image.width()), 0);
    }
    DibHeader dib{image.width(), image.height(), 8, 256, static_cast<std::uint32_t>(pixels.size())};
    return finish(dib, image.colorTable(), pixels);
}

QByteArray BmpWriter::rgb24(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int stride = DibHeader::stride(image.width(), 24);
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(stride * image.height()));
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            pixels.push_back(static_cast<std::uint8_t>(qBlue(line[x])));
            pixels.push_back(static_cast<std::uint8_t>(qGreen(line[x])));
            pixels.push_back(static_cast<std::uint8_t>(qRed(line[x])));
        }
        pixels.resize(pixels.size() + static_cast<std::size_t>(stride - image.width() * 3), 0);
    }
    DibHeader dib{image.width(), image.height(), 24, 0, static_cast<std::uint32_t>(pixels.size())};
    return finish(dib, {}, pixels);
}

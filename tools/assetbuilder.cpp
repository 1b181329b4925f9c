// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assetbuilder.h"

#include "iconwriter.h"
#include "imageencoder.h"
#include "palettequantizer.h"
#include "pixelart.h"
#include "themeicon.h"
#include "waterchecker.h"

#include "toolkit/jpegdecoder.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize SpriteSize(76, 56);
constexpr QSize BannerSize(389, 170);
constexpr QSize GlyphSize(32, 32);
constexpr QSize CursorSize(32, 32);
constexpr QSize PlayAreaSize(520, 283);
constexpr QSize ScoreboardSize(388, 120);
constexpr QSize ProgramPictureSize(48, 48);

// The water must survive compression as exact cyan; the scoreboard has no
// such need and uses a quality that keeps its small captions crisp.
constexpr int PreferredWaterQuality = 90;
constexpr int ScoreboardQuality = 92;

} // namespace

AssetBuilder::AssetBuilder(const QString &artDirectory, QString outputDirectory)
    : m_canvas(artDirectory), m_outputDirectory(std::move(outputDirectory))
{
}

void AssetBuilder::buildAll()
{
    sprite(u"live.bmp"_s, u"creature.svg"_s);
    sprite(u"dead.bmp"_s, u"splash.svg"_s);
    cursors();
    icon();
    waterPicture(u"playarea.jpg"_s, u"playarea.svg"_s, PlayAreaSize);
    jpegPicture(u"scoreboard.jpg"_s, u"scoreboard.svg"_s, ScoreboardSize);
    indexedPicture(u"gameover.bmp"_s, u"gameover.svg"_s, BannerSize);
    indexedPicture(u"start.bmp"_s, u"start.svg"_s, BannerSize);
    glyph(u"newbutton.bmp"_s, u"mainicon.txt"_s, true);
    glyph(u"pausebutton.bmp"_s, u"trafficlight.svg"_s, false);
    glyph(u"stopbutton.bmp"_s, u"stopsign.svg"_s, false);
    trueColourPicture(u"programicon.bmp"_s, u"programicon.svg"_s, ProgramPictureSize);
    doubleDensity();
}

// For screens with more than one device pixel to the logical pixel: every
// picture drawn again from the same art at twice the size, named with "@2x".
// The designed files above stay exactly as they are; the icon has no variant.
void AssetBuilder::doubleDensity()
{
    constexpr int Twice = 2;
    sprite(u"live@2x.bmp"_s, u"creature.svg"_s, Twice);
    sprite(u"dead@2x.bmp"_s, u"splash.svg"_s, Twice);
    cursors(Twice);
    waterPicture(u"playarea@2x.jpg"_s, u"playarea.svg"_s, PlayAreaSize * Twice);
    jpegPicture(u"scoreboard@2x.jpg"_s, u"scoreboard.svg"_s, ScoreboardSize * Twice);
    indexedPicture(u"gameover@2x.bmp"_s, u"gameover.svg"_s, BannerSize * Twice);
    indexedPicture(u"start@2x.bmp"_s, u"start.svg"_s, BannerSize * Twice);
    glyph(u"newbutton@2x.bmp"_s, u"mainicon.txt"_s, true, Twice);
    glyph(u"pausebutton@2x.bmp"_s, u"trafficlight.svg"_s, false, Twice);
    glyph(u"stopbutton@2x.bmp"_s, u"stopsign.svg"_s, false, Twice);
    trueColourPicture(u"programicon@2x.bmp"_s, u"programicon.svg"_s, ProgramPictureSize * Twice);
}

void AssetBuilder::sprite(const QString &output, const QString &source, int scale)
{
    // The game draws sprites opaque on the water, so the background must be
    // the window's cyan exactly, in the palette and in every ground pixel.
    const QImage flat = SvgCanvas::onBackground(m_canvas.render(source, SpriteSize * scale), SvgCanvas::Cyan);
    save(output, ImageEncoder::bmp(PaletteQuantizer({SvgCanvas::Cyan}).quantize(flat)), u"8 bpp sprite"_s);
}

void AssetBuilder::indexedPicture(const QString &output, const QString &source, QSize size)
{
    const QImage flat = SvgCanvas::onBackground(m_canvas.render(source, size), SvgCanvas::Cyan);
    save(output, ImageEncoder::bmp(PaletteQuantizer({SvgCanvas::Cyan}).quantize(flat)), u"8 bpp picture"_s);
}

void AssetBuilder::glyph(const QString &output, const QString &source, bool indexed, int scale)
{
    // Pixel art is drawn pixel by pixel, so at a larger size each of its
    // pixels becomes a square block: its edges stay hard, as drawn.
    const QImage figure = source.endsWith(u".txt")
        ? PixelArt::load(m_canvas.sourcePath(source)).scaled(GlyphSize * scale)
        : m_canvas.render(source, GlyphSize * scale);
    const QImage image = SvgCanvas::glyph(figure);
    if (indexed)
        save(output, ImageEncoder::bmp(PaletteQuantizer({SvgCanvas::White}).quantize(image)), u"8 bpp glyph"_s);
    else
        save(output, ImageEncoder::bmp(image), u"24 bpp glyph"_s);
}

void AssetBuilder::trueColourPicture(const QString &output, const QString &source, QSize size)
{
    save(output, ImageEncoder::bmp(SvgCanvas::onBackground(m_canvas.render(source, size), SvgCanvas::Cyan)),
         u"24 bpp picture"_s);
}

void AssetBuilder::cursors(int scale)
{
    // Both cursors are one picture: the game swaps them on press and
    // release, and the swap must not be visible.
    const QByteArray cursor =
        IconWriter::monochromeCursor(m_canvas.render(u"reticle.svg"_s, CursorSize * scale), QPoint(0, 0));
    const QString suffix = scale == 1 ? u".cur"_s : QStringLiteral("@%1x.cur").arg(scale);
    save(u"malet"_s + suffix, cursor, u"1 bpp cursor, hot spot (0, 0)"_s);
    save(u"maletdown"_s + suffix, cursor, u"1 bpp cursor, hot spot (0, 0)"_s);
}

void AssetBuilder::icon()
{
    // The icon keeps to red, black and white of the VGA palette; each pixel
    // takes the nearest of the three, with no dithering, so edges stay clean.
    const QImage flat = SvgCanvas::onBackground(PixelArt::load(m_canvas.sourcePath(u"mainicon.txt"_s)), SvgCanvas::White);
    const QList<QRgb> vga = IconWriter::vgaPalette();
    const int inks[] = {0, 9, 15};
    QImage indexed(flat.size(), QImage::Format_Indexed8);
    indexed.setColorTable(vga);
    for (int y = 0; y < flat.height(); ++y)
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb c = flat.pixel(x, y);
            int best = inks[0];
            long bestDistance = -1;
            for (int ink : inks) {
                const long dr = qRed(c) - qRed(vga[ink]), dg = qGreen(c) - qGreen(vga[ink]),
                           db = qBlue(c) - qBlue(vga[ink]);
                const long d = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    best = ink;
                }
            }
            indexed.setPixel(x, y, static_cast<uint>(best));
        }
    save(u"mainicon.ico"_s, IconWriter::vgaIcon(indexed), u"4 bpp icon, empty AND mask"_s);
}

void AssetBuilder::waterPicture(const QString &output, const QString &source, QSize size)
{
    const QImage flat = SvgCanvas::onBackground(m_canvas.render(source, size), SvgCanvas::Cyan);
    const WaterChecker checker(flat, SvgCanvas::Cyan);
    for (int quality = PreferredWaterQuality; quality <= 100; ++quality) {
        const QByteArray jfif = ImageEncoder::jpeg(flat, quality);
        const int wrong = checker.wrongPixels(Jpeg::decode(jfif));
        if (wrong == 0) {
            save(output, jfif,
                 QStringLiteral("JPEG quality %1, %2 flat water pixels decode to exact cyan")
                     .arg(quality)
                     .arg(checker.flatPixels()));
            return;
        }
    }
    throw std::runtime_error("no JPEG quality keeps the water exact cyan");
}

void AssetBuilder::jpegPicture(const QString &output, const QString &source, QSize size)
{
    const QImage flat = SvgCanvas::onBackground(m_canvas.render(source, size), SvgCanvas::Cyan);
    save(output, ImageEncoder::jpeg(flat, ScoreboardQuality), QStringLiteral("JPEG quality %1").arg(ScoreboardQuality));
}

void AssetBuilder::themeIcons(const QString &themeDirectory)
{
    const ThemeIcon icon(m_canvas.sourcePath(u"appicon.svg"_s), m_canvas.sourcePath(u"creature.svg"_s));
    const QDir outputs(m_outputDirectory);
    const auto place = [&](const QString &sizeDirectory, const QString &extension) {
        const QString directory = QDir(themeDirectory).absoluteFilePath(u"hicolor/"_s + sizeDirectory + u"/apps"_s);
        if (!QDir().mkpath(directory))
            throw std::runtime_error("cannot create " + directory.toStdString());
        return outputs.relativeFilePath(directory + QStringLiteral("/" THWACKLE_APP_ID ".") + extension);
    };
    save(place(u"scalable"_s, u"svg"_s), icon.svg(), u"launcher icon, square SVG"_s);
    for (int size : ThemeIcon::PixelSizes)
        save(place(QStringLiteral("%1x%1").arg(size), u"png"_s), ImageEncoder::png(icon.render(size)),
             QStringLiteral("launcher icon, %1 x %1 PNG").arg(size));
}

void AssetBuilder::save(const QString &output, const QByteArray &bytes, const QString &note)
{
    QFile file(m_outputDirectory + u'/' + output);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
    m_report << QStringLiteral("%1: %2 bytes, %3").arg(output, -16).arg(bytes.size()).arg(note);
}

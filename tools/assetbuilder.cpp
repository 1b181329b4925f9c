#include "assetbuilder.h"

#include "bmpwriter.h"
#include "iconwriter.h"
#include "jpegcodec.h"
#include "palettequantizer.h"
#include "waterchecker.h"

#include <QFile>

#include <stdexcept>

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
    sprite("live.bmp", "creature.svg");
    sprite("dead.bmp", "splash.svg");
    cursors();
    icon();
    waterPicture("playarea.jpg", "playarea.svg", PlayAreaSize);
    jpegPicture("scoreboard.jpg", "scoreboard.svg", ScoreboardSize);
    indexedPicture("gameover.bmp", "gameover.svg", BannerSize);
    indexedPicture("start.bmp", "start.svg", BannerSize);
    glyph("newbutton.bmp", "mainicon.svg", true);
    glyph("pausebutton.bmp", "trafficlight.svg", false);
    glyph("stopbutton.bmp", "stopsign.svg", false);
    trueColourPicture("programicon.bmp", "programicon.svg", ProgramPictureSize);
}

void AssetBuilder::sprite(const QString &output, const QString &source)
{
    // The game draws sprites opaque on the water, so the background must be
    // the window's cyan exactly, in the palette and in every ground pixel.
    const QImage flat = SvgCanvas::onBackground(m_canvas.render(source, SpriteSize), SvgCanvas::Cyan);
    save(output, BmpWriter::indexed8(PaletteQuantizer({SvgCanvas::Cyan}).quantize(flat)), "8 bpp sprite");
}

void AssetBuilder::indexedPicture(const QString &output, const QString &source, QSize size)
{
    const QImage flat = SvgCanvas::onBackground(m_canvas.render(source, size), SvgCanvas::Cyan);
    save(output, BmpWriter::indexed8(PaletteQuantizer({SvgCanvas::Cyan}).quantize(flat)), "8 bpp picture");
}

void AssetBuilder::glyph(const QString &output, const QString &source, bool indexed)
{
    const QImage image = SvgCanvas::glyph(m_canvas.render(source, GlyphSize));
    if (indexed)
        save(output, BmpWriter::indexed8(PaletteQuantizer({SvgCanvas::White}).quantize(image)), "8 bpp glyph");
    else
        save(output, BmpWriter::rgb24(image), "24 bpp glyph");
}

void AssetBuilder::trueColourPicture(const QString &output, const QString &source, QSize size)
{
    save(output, BmpWriter::rgb24(SvgCanvas::onBackground(m_canvas.render(source, size), SvgCanvas::Cyan)),
         "24 bpp picture");
}

void AssetBuilder::cursors()
{
    // Both cursors are one picture: the game swaps them on press and
    // release, and the swap must not be visible.
    const QByteArray cursor = IconWriter::monochromeCursor(m_canvas.render("reticle.svg", CursorSize), QPoint(0, 0));
    save("malet.cur", cursor, "1 bpp cursor, hot spot (0, 0)");
    save("maletdown.cur", cursor, "1 bpp cursor, hot spot (0, 0)");
}

void AssetBuilder::icon()
{
    // The icon keeps to red, black and white of the VGA palette; each pixel
    // takes the nearest of the three, with no dithering, so edges stay clean.
    const QImage flat = SvgCanvas::onBackground(m_canvas.render("mainicon.svg", GlyphSize), SvgCanvas::White);
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
    save("mainicon.ico", IconWriter::vgaIcon(indexed), "4 bpp icon, empty AND mask");
}

void AssetBuilder::waterPicture(const QString &output, const QString &source, QSize size)
{
    const QImage flat = SvgCanvas::onBackground(m_canvas.render(source, size), SvgCanvas::Cyan);
    const WaterChecker checker(flat, SvgCanvas::Cyan);
    for (int quality = PreferredWaterQuality; quality <= 100; ++quality) {
        const QByteArray jfif = JpegCodec::encode(flat, quality);
        const int wrong = checker.wrongPixels(JpegCodec::decode(jfif));
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
    save(output, JpegCodec::encode(flat, ScoreboardQuality), QStringLiteral("JPEG quality %1").arg(ScoreboardQuality));
}

void AssetBuilder::save(const QString &output, const QByteArray &bytes, const QString &note)
{
    QFile file(m_outputDirectory + '/' + output);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
    m_report << QStringLiteral("%1: %2 bytes, %3").arg(output, -16).arg(bytes.size()).arg(note);
}

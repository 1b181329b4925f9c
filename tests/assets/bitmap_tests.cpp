// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assetfile.h"

#include <gtest/gtest.h>

#include <QColor>

#include <functional>
#include <vector>

namespace {

int stride(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// The palette colour stored for pixel (x, y), y from the top, read straight from an 8-bit file.
QRgb storedColour(const AssetFile &bmp, int x, int y)
{
    const auto row = static_cast<qsizetype>(bmp.i32(22) - 1 - y);
    const qsizetype entry = 54 + 4 * bmp.u8(bmp.u32(10) + row * stride(bmp.i32(18), 8) + x);
    return qRgb(bmp.u8(entry + 2), bmp.u8(entry + 1), bmp.u8(entry));
}

double share(const QImage &image, const std::function<bool(QColor)> &test)
{
    long hits = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            hits += test(QColor(image.pixel(x, y))) ? 1 : 0;
    return static_cast<double>(hits) / (image.width() * image.height());
}

bool reddish(QColor c)
{
    return c.red() > 120 && c.red() > c.green() + 60 && c.red() > c.blue() + 60;
}

auto saturatedHue(int lo, int hi, int minValue = 0)
{
    return [=](QColor c) {
        return c.hsvSaturation() > 150 && c.value() >= minValue && c.hsvHue() >= lo && c.hsvHue() <= hi;
    };
}

TEST(Bitmaps, HeadersMatchTheDeclaredLayout)
{
    const struct { const char *file; int width, height, bits; } bitmaps[] = {
        {"live.bmp", 76, 56, 8},       {"dead.bmp", 76, 56, 8},        {"gameover.bmp", 389, 170, 8},
        {"start.bmp", 389, 170, 8},    {"newbutton.bmp", 32, 32, 8},   {"pausebutton.bmp", 32, 32, 24},
        {"stopbutton.bmp", 32, 32, 24}, {"programicon.bmp", 48, 48, 24},
        // The double-size variants, stored as the designed files are.
        {"live@2x.bmp", 152, 112, 8},        {"dead@2x.bmp", 152, 112, 8},       {"gameover@2x.bmp", 778, 340, 8},
        {"start@2x.bmp", 778, 340, 8},       {"newbutton@2x.bmp", 64, 64, 8},    {"pausebutton@2x.bmp", 64, 64, 24},
        {"stopbutton@2x.bmp", 64, 64, 24},   {"programicon@2x.bmp", 96, 96, 24},
    };
    for (const auto &want : bitmaps) {
        SCOPED_TRACE(want.file);
        const AssetFile bmp(want.file);
        const std::uint32_t paletteEntries = want.bits == 8 ? 256 : 0, pixelOffset = 14 + 40 + 4 * paletteEntries;
        EXPECT_EQ(bmp.bytes().left(2), "BM");
        bmp.expectFields({{2, 4, bmp.size()}, {10, 4, pixelOffset}, {14, 4, 40, "BITMAPINFOHEADER"},
                          {18, 4, want.width}, {22, 4, want.height, "a positive height means bottom-up rows"},
                          {26, 2, 1, "planes"}, {28, 2, want.bits}, {30, 4, 0, "BI_RGB"}});
        EXPECT_TRUE(bmp.u32(46) == paletteEntries || (bmp.u32(46) == 0 && paletteEntries == 256)) << "colours used";
        EXPECT_EQ(bmp.size(), pixelOffset + static_cast<qsizetype>(stride(want.width, want.bits)) * want.height);
        EXPECT_EQ(bmp.image().size(), QSize(want.width, want.height));
    }
}

// The sprites are drawn opaque on the water, so every border pixel must be
// the window colour exactly; the figure keeps inside it.
TEST(Sprites, ShowARedFigureInsideAnExactCyanBorder)
{
    for (const char *file : {"live.bmp", "dead.bmp"}) {
        SCOPED_TRACE(file);
        const AssetFile bmp(file);
        const int w = bmp.i32(18), h = bmp.i32(22);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                    EXPECT_EQ(storedColour(bmp, x, y), Cyan) << "border at " << x << "," << y;
                }
        EXPECT_GT(share(bmp.image(), reddish), 0.25);
        EXPECT_GT(share(bmp.image(), [](QColor c) { return c.rgb() == Cyan; }), 0.2);
    }
    const QImage live = AssetFile("live.bmp").image();
    EXPECT_GT(share(live, [](QColor c) { return c.lightness() > 230; }), 0.04) << "whites of eyes and teeth";
    EXPECT_GT(share(live, [](QColor c) { return c.lightness() < 40; }), 0.03) << "pupils and mouth";
}

TEST(ProgramPicture, ShowsTheCreatureOnCyan)
{
    const QImage image = AssetFile("programicon.bmp").image().convertToFormat(QImage::Format_RGB32);
    for (QPoint corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)})
        EXPECT_EQ(image.pixel(corner), Cyan);
    EXPECT_GT(share(image, reddish), 0.2);
}

// Only pixels of exactly the bottom-left colour are transparent on a tool
// button. White inside the figure (eyes, lettering) must therefore not be
// exact white, or it would show the button face through the drawing: every
// exact-white pixel must be reachable from the border through exact white.
TEST(Glyphs, OnlyTheSurroundingGroundIsExactWhite)
{
    const struct { const char *file; double minRed; } glyphs[] = { // the traffic light needs no red share
        {"newbutton.bmp", 0.2}, {"pausebutton.bmp", -1}, {"stopbutton.bmp", 0.3}};
    for (const auto &glyph : glyphs) {
        SCOPED_TRACE(glyph.file);
        QImage image = AssetFile(glyph.file).image().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(image.size(), QSize(32, 32));
        ASSERT_EQ(image.pixel(0, 31), White) << "bottom-left pixel sets the transparent colour";
        EXPECT_GT(share(image, [](QColor c) { return c.rgb() != White; }), 0.25) << "drawing fills much of the button";
        EXPECT_GT(share(image, reddish), glyph.minRed);

        std::vector<QPoint> todo; // flood the border's white, repainting what is reached
        for (int i = 0; i < 32; ++i)
            todo.insert(todo.end(), {QPoint(i, 0), QPoint(i, 31), QPoint(0, i), QPoint(31, i)});
        while (!todo.empty()) {
            const QPoint p = todo.back();
            todo.pop_back();
            if (!image.rect().contains(p) || image.pixel(p) != White)
                continue;
            image.setPixel(p, Cyan);
            todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
        }
        EXPECT_EQ(share(image, [](QColor c) { return c.rgb() == White; }), 0.0) << "enclosed exact white";
    }
    EXPECT_EQ(storedColour(AssetFile("newbutton.bmp"), 0, 31), White) << "in the palette too";
}

TEST(Glyphs, TrafficLightHasThreeLamps)
{
    const QImage light = AssetFile("pausebutton.bmp").image();
    EXPECT_GT(share(light, saturatedHue(0, 15, 151)) + share(light, saturatedHue(345, 359, 151)), 0.01) << "red lamp";
    EXPECT_GT(share(light, saturatedHue(40, 65, 151)), 0.01) << "yellow lamp";
    EXPECT_GT(share(light, saturatedHue(100, 150, 151)), 0.01) << "green lamp";
}

TEST(Banners, GroundColourDominatesAndTextIsBlue)
{
    for (const auto &[file, hue] : {std::pair{"gameover.bmp", 55}, std::pair{"start.bmp", 300}}) {
        SCOPED_TRACE(file);
        const QImage image = AssetFile(file).image();
        EXPECT_GT(share(image, saturatedHue(hue - 11, hue + 11)), 0.4);
        EXPECT_GT(share(image, saturatedHue(235 - 11, 235 + 11)), 0.05) << "blue lettering";
    }
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The double-size variants for high-density screens: twice the designed
// size, the same drawing, stored as the designed files are, and keeping the
// properties the game relies on.

#include "assetfile.h"
#include "support/pixelblocks.h"

#include <gtest/gtest.h>

#include <QColor>

#include <cstdlib>
#include <string>

namespace {

QImage decoded(const AssetFile &file, const std::string &name)
{
    return name.ends_with(".jpg") ? file.decodeJpeg() : file.image().convertToFormat(QImage::Format_ARGB32);
}

// Mean difference per colour channel between the designed picture and the
// variant averaged down over its 2 x 2 blocks.
double differenceAtDesignedSize(const QImage &designed, const QImage &doubled)
{
    double sum = 0;
    for (int y = 0; y < designed.height(); ++y)
        for (int x = 0; x < designed.width(); ++x) {
            int channels[4] = {};
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const QRgb c = doubled.pixel(2 * x + dx, 2 * y + dy);
                    channels[0] += qRed(c), channels[1] += qGreen(c), channels[2] += qBlue(c), channels[3] += qAlpha(c);
                }
            const QRgb d = designed.pixel(x, y);
            sum += std::abs(channels[0] / 4 - qRed(d)) + std::abs(channels[1] / 4 - qGreen(d))
                + std::abs(channels[2] / 4 - qBlue(d)) + std::abs(channels[3] / 4 - qAlpha(d));
        }
    return sum / (4.0 * designed.width() * designed.height());
}

TEST(DoubleDensity, EveryPictureButTheIconIsDrawnAgainAtTwiceItsSize)
{
    // The New glyph is pixel art: its variant is each pixel as a 2 x 2 block.
    const struct { const char *file; bool pixelArt = false; } pictures[] = {
        {"live.bmp"},      {"dead.bmp"},        {"malet.cur"},   {"maletdown.cur"},   {"playarea.jpg"},
        {"scoreboard.jpg"}, {"gameover.bmp"},   {"start.bmp"},   {"newbutton.bmp", true},
        {"pausebutton.bmp"}, {"stopbutton.bmp"}, {"programicon.bmp"},
    };
    for (const auto &want : pictures) {
        std::string variantName = want.file;
        variantName.insert(variantName.find('.'), "@2x");
        SCOPED_TRACE(variantName);
        const AssetFile designedFile(want.file), variantFile(variantName.c_str());
        const QImage designed = decoded(designedFile, want.file), variant = decoded(variantFile, variantName);
        ASSERT_EQ(variant.size(), designed.size() * 2);
        if (want.pixelArt) {
            EXPECT_EQ(variant, designed.scaled(variant.size()));
        } else {
            EXPECT_LT(differenceAtDesignedSize(designed, variant), 8.0) << "the same drawing";
            EXPECT_GT(mixedBlockShare(variant), 0.05) << "drawn at its own size, not blown up";
        }
    }
}

// What the game relies on, kept at double size. The sprites' cyan ground is
// checked as drawn, at every scale, by the game's scale test.
TEST(DoubleDensity, WaterAtTheSpotsGlyphCornersAndCursorHotSpotAreAsDesigned)
{
    const QImage water = AssetFile("playarea@2x.jpg").decodeJpeg();
    for (QPoint spot : {QPoint(20, 20), QPoint(40, 125), QPoint(60, 190), QPoint(200, 50), QPoint(230, 155),
                        QPoint(380, 110), QPoint(430, 20), QPoint(415, 190)}) {
        const QRect inner = QRect(spot * 2, QSize(152, 112)).adjusted(32, 32, -32, -32);
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                ASSERT_EQ(water.pixel(x, y), Cyan) << "spot at " << spot.x() << "," << spot.y();
    }
    for (const char *file : {"newbutton@2x.bmp", "pausebutton@2x.bmp", "stopbutton@2x.bmp"})
        EXPECT_EQ(AssetFile(file).image().convertToFormat(QImage::Format_RGB32).pixel(0, 63), White) << file;
    const AssetFile malet("malet@2x.cur");
    EXPECT_EQ(malet.bytes(), AssetFile("maletdown@2x.cur").bytes()) << "one picture for both";
    malet.expectFields({{2, 2, 2, "resource type: cursor"}, {4, 2, 1, "one image"}, {6, 1, 64}, {7, 1, 64},
                        {10, 2, 0, "hot spot x"}, {12, 2, 0, "hot spot y"}, {22 + 14, 2, 1, "bits per pixel"}});
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assetfile.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QRect>

namespace {

int distance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

TEST(Jpegs, AreBaselineJfif101WithTwoByTwoLumaSampling)
{
    const struct { const char *file; int width, height; } jpegs[] = {
        {"playarea.jpg", 520, 283}, {"scoreboard.jpg", 388, 120}, {"playarea@2x.jpg", 1040, 566},
        {"scoreboard@2x.jpg", 776, 240}};
    for (const auto &want : jpegs) {
        SCOPED_TRACE(want.file);
        const AssetFile jpg(want.file);
        const auto be16 = [&jpg](qsizetype at) { return (jpg.u8(at) << 8) | jpg.u8(at + 1); };
        ASSERT_EQ(be16(0), 0xFFD8) << "SOI";
        ASSERT_EQ(be16(2), 0xFFE0) << "APP0 first";
        EXPECT_EQ(jpg.bytes().mid(6, 7), QByteArray("JFIF\0\1\1", 7)) << "JFIF 1.01";

        qsizetype at = 2; // walk the marker segments up to the frame header
        int frame = 0;
        while (at + 4 <= jpg.size() && frame == 0) {
            ASSERT_EQ(jpg.u8(at), 0xFF) << "marker expected at " << at;
            const int marker = jpg.u8(at + 1);
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
                frame = marker;
            else
                at += 2 + be16(at + 2);
        }
        ASSERT_EQ(frame, 0xC0) << "baseline sequential DCT (SOF0)";
        EXPECT_EQ(jpg.u8(at + 4), 8) << "sample precision";
        EXPECT_EQ(be16(at + 5), want.height);
        EXPECT_EQ(be16(at + 7), want.width);
        ASSERT_EQ(jpg.u8(at + 9), 3) << "components";
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(jpg.u8(at + 10 + 3 * c + 1), c == 0 ? 0x22 : 0x11) << "sampling of component " << c;
        EXPECT_EQ(jpg.decodeJpeg().size(), QSize(want.width, want.height));
    }
}

// The game wipes targets with plain cyan and draws sprites with a cyan
// ground, so the water round and under every spot must decode to cyan
// exactly. The spots are the game's eight fixed sprite corners; their
// insides lie in JPEG blocks of nothing but water.
TEST(PlayArea, IsMostlyWaterExactlyCyanAtEverySpotWithGravelAndADarkBase)
{
    const QImage image = AssetFile("playarea.jpg").decodeJpeg();
    for (QPoint spot : {QPoint(20, 20), QPoint(40, 125), QPoint(60, 190), QPoint(200, 50), QPoint(230, 155),
                        QPoint(380, 110), QPoint(430, 20), QPoint(415, 190)}) {
        const QRect inner = QRect(spot, QSize(76, 56)).adjusted(16, 16, -16, -16);
        int wrong = 0;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                wrong += image.pixel(x, y) != Cyan ? 1 : 0;
        EXPECT_EQ(wrong, 0) << "spot at " << spot.x() << "," << spot.y();
    }

    long water = 0, dark = 0, colourful = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c(image.pixel(x, y));
            water += c.rgb() == Cyan ? 1 : 0;
            colourful += y >= 250 && y < 270 && c.hsvSaturation() > 100 && std::abs(c.hsvHue() - 180) > 25 ? 1 : 0;
        }
        dark += qGray(image.pixel(x, image.height() - 3)) < 40 ? 1 : 0;
    }
    EXPECT_GT(water, image.width() * image.height() * 2 / 3);
    EXPECT_GT(dark, image.width() * 9 / 10) << "black base along the bottom";
    EXPECT_GT(colourful, image.width() * 20 / 4) << "coloured gravel covers much of the floor";
}

// The game lays white counters over the scoreboard at fixed places. Each
// must fall on the plain inside of a dark box, with room for its widest value.
TEST(Scoreboard, CountersFallInsideTheirBoxesWithRoomForTheirValues)
{
    const QImage image = AssetFile("scoreboard.jpg").decodeJpeg();
    const struct { const char *name; QPoint topLeft; int digits, digitWidth, glyphTop, glyphHeight; } counters[] = {
        {"Hits", {38, 47}, 3, 11, 3, 15},       {"Misses", {83, 47}, 4, 11, 3, 15},
        {"Time Left", {167, 56}, 4, 12, 4, 16}, {"Escaped", {243, 47}, 4, 11, 3, 15},
        {"Total", {314, 47}, 4, 11, 3, 15},
    };
    int areas[5];
    for (int i = 0; i < 5; ++i) {
        const auto &c = counters[i];
        SCOPED_TRACE(c.name);
        const QRect text(c.topLeft + QPoint(0, c.glyphTop), QSize(c.digits * c.digitWidth, c.glyphHeight));
        const QColor well(image.pixel(text.center()));
        EXPECT_LT(well.lightness(), 110) << "white digits need a dark box";
        const auto inside = [&](int x, int y) { return distance(image.pixel(x, y), well) < 60; };
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                ASSERT_TRUE(inside(x, y)) << "box edge or caption under the counter at " << x << "," << y;

        const int cx = text.center().x(), cy = text.center().y();
        int left = cx, right = cx, top = cy, bottom = cy;
        while (left > 0 && inside(left - 1, cy))
            --left;
        while (right < image.width() - 1 && inside(right + 1, cy))
            ++right;
        while (top > 0 && inside(cx, top - 1))
            --top;
        while (bottom < image.height() - 1 && inside(cx, bottom + 1))
            ++bottom;
        EXPECT_LE(c.topLeft.x() - left, 8) << "counter should start near the box's left side";
        areas[i] = (right - left + 1) * (bottom - top + 1);
    }
    for (int i : {0, 1, 3, 4})
        EXPECT_GT(areas[2], areas[i]) << "Time Left box is the largest";
}

TEST(Scoreboard, BoardIsMagentaInABlueAndDarkRedFrame)
{
    const QImage image = AssetFile("scoreboard.jpg").decodeJpeg();
    EXPECT_LT(distance(image.pixel(194, 104), QColor(255, 0, 255)), 90) << "board";
    EXPECT_LT(distance(image.pixel(194, 7), QColor(0, 0, 255)), 90) << "blue frame";
    EXPECT_LT(distance(image.pixel(194, 2), QColor(128, 0, 0)), 90) << "dark red frame";
}

} // namespace

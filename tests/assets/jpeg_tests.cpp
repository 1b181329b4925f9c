#include "assetfile.h"

#include <gtest/gtest.h>

#include <QRect>

namespace {

constexpr QRgb Cyan = 0xFF00FFFFu;

struct ExpectedJpeg
{
    const char *file;
    int width;
    int height;
};

class JpegFormat : public testing::TestWithParam<ExpectedJpeg>
{
};

TEST_P(JpegFormat, IsBaselineJfif101WithTwoByTwoLumaSampling)
{
    const AssetFile jpg(GetParam().file);
    const auto be16 = [&jpg](qsizetype at) { return (jpg.u8(at) << 8) | jpg.u8(at + 1); };
    ASSERT_EQ(be16(0), 0xFFD8) << "SOI";
    ASSERT_EQ(be16(2), 0xFFE0) << "APP0 first";
    EXPECT_EQ(jpg.bytes().mid(6, 5), QByteArray("JFIF\0", 5));
    EXPECT_EQ(jpg.u8(11), 1) << "JFIF major version";
    EXPECT_EQ(jpg.u8(12), 1) << "JFIF minor version";

    // Walk the marker segments up to the frame header.
    qsizetype at = 2;
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
    EXPECT_EQ(be16(at + 5), GetParam().height);
    EXPECT_EQ(be16(at + 7), GetParam().width);
    ASSERT_EQ(jpg.u8(at + 9), 3) << "components";
    const int sampling[3] = {0x22, 0x11, 0x11};
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(jpg.u8(at + 10 + 3 * c + 1), sampling[c]) << "component " << c;

    EXPECT_EQ(jpg.decodeJpeg().size(), QSize(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Assets, JpegFormat,
                         testing::Values(ExpectedJpeg{"playarea.jpg", 520, 283}, ExpectedJpeg{"scoreboard.jpg", 388, 120}),
                         [](const auto &p) { return AssetFile::testName(p.param.file); });

// The game wipes targets with plain cyan and draws sprites with a cyan
// ground, so the water round and under every spot must decode to cyan
// exactly. The spots are the game's eight fixed sprite corners; their
// inner parts lie in JPEG blocks of nothing but water.
TEST(PlayArea, WaterAtEverySpotDecodesToExactCyan)
{
    const QImage image = AssetFile("playarea.jpg").decodeJpeg();
    const QPoint spots[] = {{20, 20}, {40, 125}, {60, 190}, {200, 50}, {230, 155}, {380, 110}, {430, 20}, {415, 190}};
    for (const QPoint &spot : spots) {
        const QRect inner = QRect(spot, QSize(76, 56)).adjusted(16, 16, -16, -16);
        int wrong = 0;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                wrong += image.pixel(x, y) != Cyan ? 1 : 0;
        EXPECT_EQ(wrong, 0) << "spot at " << spot.x() << "," << spot.y();
    }
}

TEST(PlayArea, IsMostlyWaterWithGravelAndADarkBase)
{
    const QImage image = AssetFile("playarea.jpg").decodeJpeg();
    long water = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            water += image.pixel(x, y) == Cyan ? 1 : 0;
    EXPECT_GT(water, image.width() * image.height() * 2 / 3);

    long dark = 0, colourful = 0;
    for (int x = 0; x < image.width(); ++x) {
        dark += qGray(image.pixel(x, image.height() - 3)) < 40 ? 1 : 0;
        for (int y = 250; y < 270; ++y) {
            const QColor c(image.pixel(x, y));
            colourful += c.hsvSaturation() > 100 && std::abs(c.hsvHue() - 180) > 25 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, image.width() * 9 / 10) << "black base along the bottom";
    EXPECT_GT(colourful, image.width() * 20 / 4) << "coloured gravel covers a good part of the floor";
}

// The game lays white counters over the scoreboard at fixed places. Each
// must fall on the plain inside of a box, with room for its widest value.
struct Counter
{
    const char *name;
    QPoint topLeft; // in picture coordinates
    int digits;
    int digitWidth;
    int glyphTop;
    int glyphHeight;
};

TEST(Scoreboard, CountersFallInsideTheirBoxesWithRoomForTheirValues)
{
    const QImage image = AssetFile("scoreboard.jpg").decodeJpeg();
    const Counter counters[] = {
        {"Hits", {38, 47}, 3, 11, 3, 15},     {"Misses", {83, 47}, 4, 11, 3, 15},
        {"Time Left", {167, 56}, 4, 12, 4, 16}, {"Escaped", {243, 47}, 4, 11, 3, 15},
        {"Total", {314, 47}, 4, 11, 3, 15},
    };
    QList<int> areas;
    for (const Counter &c : counters) {
        const QRect text(c.topLeft + QPoint(0, c.glyphTop), QSize(c.digits * c.digitWidth, c.glyphHeight));
        const QColor well(image.pixel(text.center()));
        EXPECT_LT(well.lightness(), 110) << c.name << ": white digits need a dark box";
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x) {
                const QColor p(image.pixel(x, y));
                const int diff = std::abs(p.red() - well.red()) + std::abs(p.green() - well.green()) +
                                 std::abs(p.blue() - well.blue());
                ASSERT_LT(diff, 60) << c.name << ": box edge or caption under the counter at " << x << "," << y;
            }
        // Measure the box inside from the counter's middle outwards.
        const auto inside = [&](int x, int y) {
            const QColor p(image.pixel(x, y));
            return std::abs(p.red() - well.red()) + std::abs(p.green() - well.green()) +
                       std::abs(p.blue() - well.blue()) < 60;
        };
        int left = text.center().x(), right = left, top = text.center().y(), bottom = top;
        while (left > 0 && inside(left - 1, text.center().y()))
            --left;
        while (right < image.width() - 1 && inside(right + 1, text.center().y()))
            ++right;
        while (top > 0 && inside(text.center().x(), top - 1))
            --top;
        while (bottom < image.height() - 1 && inside(text.center().x(), bottom + 1))
            ++bottom;
        EXPECT_LE(c.topLeft.x() - left, 8) << c.name << ": counter should start near the box's left side";
        areas << (right - left + 1) * (bottom - top + 1);
    }
    for (int i = 0; i < areas.size(); ++i) {
        if (i != 2) {
            EXPECT_GT(areas[2], areas[i]) << "Time Left box is the largest";
        }
    }
}

TEST(Scoreboard, BoardIsMagentaInABlueAndDarkRedFrame)
{
    const QImage image = AssetFile("scoreboard.jpg").decodeJpeg();
    const auto close = [&image](QPoint p, QColor want) {
        const QColor c(image.pixel(p));
        return std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) + std::abs(c.blue() - want.blue()) < 90;
    };
    EXPECT_TRUE(close({194, 104}, QColor(255, 0, 255))) << "board";
    EXPECT_TRUE(close({194, 7}, QColor(0, 0, 255))) << "blue frame";
    EXPECT_TRUE(close({194, 2}, QColor(128, 0, 0))) << "dark red frame";
}

} // namespace

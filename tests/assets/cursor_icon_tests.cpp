// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assetfile.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

constexpr qsizetype Dir = 6;    // the one entry after ICONDIR
constexpr qsizetype Image = 22; // after the single 16-byte entry
constexpr qsizetype CursorXor = Image + 40 + 2 * 4, CursorAnd = CursorXor + 32 * 4;

// Reads bit (x, y), y from the top, of a 32-pixel-wide 1-bit mask stored bottom-up.
bool maskBit(const AssetFile &file, qsizetype mask, int x, int y)
{
    return (file.u8(mask + static_cast<qsizetype>(31 - y) * 4 + x / 8) >> (7 - x % 8)) & 1;
}

QImage loaded(const AssetFile &file, const char *format)
{
    QImage image;
    EXPECT_TRUE(image.loadFromData(file.bytes(), format));
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The down cursor is the same file, so the checks below cover both.
class Cursor : public testing::Test
{
protected:
    bool drawn(int x, int y) const { return !maskBit(cur, CursorAnd, x, y); }
    const AssetFile cur{"malet.cur"};
};

TEST(Cursors, BothAreTheSameFile)
{
    EXPECT_EQ(AssetFile("malet.cur").bytes(), AssetFile("maletdown.cur").bytes());
}

TEST_F(Cursor, IsOneMonochromeImageWithHotSpotAtTopLeft)
{
    cur.expectFields({{0, 2, 0}, {2, 2, 2, "resource type: cursor"}, {4, 2, 1, "one image"}, {Dir, 1, 32},
                      {Dir + 1, 1, 32}, {Dir + 4, 2, 0, "hot spot x"}, {Dir + 6, 2, 0, "hot spot y"},
                      {Dir + 8, 4, cur.size() - Image}, {Dir + 12, 4, Image}, {Image, 4, 40}, {Image + 4, 4, 32},
                      {Image + 8, 4, 64, "colour image and AND mask stacked"}, {Image + 14, 2, 1, "bits per pixel"},
                      {Image + 40, 4, 0x000000, "palette entry 0 black"},
                      {Image + 44, 4, 0xFFFFFF, "palette entry 1 white"}});
    EXPECT_EQ(cur.size(), CursorAnd + 32 * 4);
}

// Plain black drawing: a drawn pixel is AND 0, XOR 0 (black); every other
// pixel is AND 1, XOR 0 (transparent). XOR 1 would be white or inverted.
// Qt's reader, which the game uses, must show the same.
TEST_F(Cursor, DrawsOnlyBlackOnTransparent)
{
    const QImage image = loaded(cur, "CUR");
    ASSERT_EQ(image.size(), QSize(32, 32));
    int count = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            EXPECT_FALSE(maskBit(cur, CursorXor, x, y)) << "white or inverted pixel at " << x << "," << y;
            count += drawn(x, y) ? 1 : 0;
            if (drawn(x, y))
                EXPECT_EQ(image.pixel(x, y), qRgba(0, 0, 0, 255)) << "as loaded at " << x << "," << y;
            else
                EXPECT_EQ(qAlpha(image.pixel(x, y)), 0) << "as loaded at " << x << "," << y;
        }
    EXPECT_GT(count, 32 * 4) << "cross-hairs alone take 124 pixels";
    EXPECT_LT(count, 32 * 32 / 2) << "a reticle, not a blot";
}

TEST_F(Cursor, HasCrossHairsRingAndTicks)
{
    for (int i = 0; i < 32; ++i) {
        EXPECT_TRUE(drawn(i, 15) && drawn(i, 16)) << "horizontal hair, two thick, at x " << i;
        EXPECT_TRUE(drawn(15, i) && drawn(16, i)) << "vertical hair, two thick, at y " << i;
    }
    // Beside the hairs, away from the ticks and the ring, is clear glass.
    EXPECT_FALSE(drawn(10, 10));
    EXPECT_FALSE(drawn(14, 10));
    EXPECT_FALSE(drawn(17, 13) && drawn(18, 13) && drawn(19, 13) && drawn(20, 13) && drawn(21, 13));
    // Along each diagonal from the centre, the ring is met near the edge.
    const int diagonals[][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (const auto &[dx, dy] : diagonals) {
        bool ring = false;
        for (int r = 8; r <= 12; ++r)
            ring = ring || drawn(16 + dx * r - (dx < 0 ? 1 : 0), 16 + dy * r - (dy < 0 ? 1 : 0));
        EXPECT_TRUE(ring) << "ring toward " << dx << "," << dy;
    }
    // A tick crosses the horizontal hair: drawn above and below it.
    int ticks = 0;
    for (int x = 2; x < 30; ++x)
        ticks += (x < 14 || x > 17) && drawn(x, 13) && drawn(x, 18) ? 1 : 0;
    EXPECT_GE(ticks, 2);
}

TEST(Icon, IsOneFourBitOpaqueImageInBlackRedAndWhiteOfTheVgaPalette)
{
    const AssetFile ico("mainicon.ico");
    ico.expectFields({{2, 2, 1, "resource type: icon"}, {4, 2, 1, "one image"}, {Dir, 1, 32}, {Dir + 1, 1, 32},
                      {Dir + 2, 1, 16, "colour count"}, {Dir + 6, 2, 4, "bit count"}, {Dir + 8, 4, ico.size() - Image},
                      {Image + 8, 4, 64}, {Image + 14, 2, 4}});

    const std::uint32_t vga[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ico.u32(Image + 40 + 4 * i), vga[i]) << "palette entry " << i;

    const qsizetype pixels = Image + 40 + 16 * 4, mask = pixels + 32 * 16;
    ASSERT_EQ(ico.size(), mask + 32 * 4);
    for (qsizetype i = mask; i < ico.size(); ++i)
        EXPECT_EQ(ico.u8(i), 0) << "AND mask byte " << (i - mask);
    QSet<int> used;
    for (qsizetype i = pixels; i < mask; ++i)
        used << (ico.u8(i) >> 4) << (ico.u8(i) & 15);
    EXPECT_EQ(used, (QSet<int>{0, 9, 15})) << "black, red and white only";
    EXPECT_EQ(ico.u8(pixels) >> 4, 15) << "bottom-left pixel, first stored row: the white ground square";

    const QImage image = loaded(ico, "ICO");
    ASSERT_EQ(image.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << "as loaded at " << x << "," << y;
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
}

} // namespace

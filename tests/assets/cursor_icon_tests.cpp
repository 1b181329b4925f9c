#include "assetfile.h"

#include <gtest/gtest.h>

#include <QList>
#include <QSet>

namespace {

constexpr qsizetype Directory = 6;  // ICONDIR, then the one entry
constexpr qsizetype ImageStart = 22; // after the single 16-byte entry

// Reads bit (x, y), y from the top, of a 1-bit mask stored bottom-up.
bool maskBit(const AssetFile &file, qsizetype maskOffset, int x, int y)
{
    const qsizetype row = maskOffset + static_cast<qsizetype>(31 - y) * 4;
    return (file.u8(row + x / 8) >> (7 - x % 8)) & 1;
}

class Cursor : public testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        file = std::make_unique<AssetFile>(GetParam());
        palette = ImageStart + 40;
        xorMask = palette + 2 * 4;
        andMask = xorMask + 32 * 4;
    }
    bool drawn(int x, int y) const { return !maskBit(*file, andMask, x, y); }

    std::unique_ptr<AssetFile> file;
    qsizetype palette = 0, xorMask = 0, andMask = 0;
};

TEST_P(Cursor, IsOneMonochromeImageWithHotSpotAtTopLeft)
{
    const AssetFile &cur = *file;
    EXPECT_EQ(cur.u16(0), 0);
    EXPECT_EQ(cur.u16(2), 2) << "resource type: cursor";
    EXPECT_EQ(cur.u16(4), 1) << "one image";
    EXPECT_EQ(cur.u8(Directory), 32);
    EXPECT_EQ(cur.u8(Directory + 1), 32);
    EXPECT_EQ(cur.u16(Directory + 4), 0) << "hot spot x";
    EXPECT_EQ(cur.u16(Directory + 6), 0) << "hot spot y";
    EXPECT_EQ(cur.u32(Directory + 12), static_cast<std::uint32_t>(ImageStart));
    EXPECT_EQ(cur.u32(Directory + 8), static_cast<std::uint32_t>(cur.size() - ImageStart));

    EXPECT_EQ(cur.u32(ImageStart), 40u);
    EXPECT_EQ(cur.i32(ImageStart + 4), 32);
    EXPECT_EQ(cur.i32(ImageStart + 8), 64) << "colour image and AND mask stacked";
    EXPECT_EQ(cur.u16(ImageStart + 14), 1) << "bits per pixel";
    EXPECT_EQ(cur.u32(palette), 0x000000u) << "entry 0 black";
    EXPECT_EQ(cur.u32(palette + 4), 0xFFFFFFu) << "entry 1 white";
    EXPECT_EQ(cur.size(), andMask + 32 * 4);
}

// Plain black drawing: a drawn pixel is AND 0, XOR 0 (black); every other
// pixel is AND 1, XOR 0 (transparent). XOR 1 would be white or inverted.
TEST_P(Cursor, DrawsOnlyBlackOnTransparent)
{
    int count = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            EXPECT_FALSE(maskBit(*file, xorMask, x, y)) << "white or inverted pixel at " << x << "," << y;
            count += drawn(x, y) ? 1 : 0;
        }
    EXPECT_GT(count, 32 * 4) << "cross-hairs alone take 124 pixels";
    EXPECT_LT(count, 32 * 32 / 2) << "a reticle, not a blot";
}

TEST_P(Cursor, HasFullCrossHairsTwoPixelsThick)
{
    for (int i = 0; i < 32; ++i) {
        EXPECT_TRUE(drawn(i, 15) && drawn(i, 16)) << "horizontal hair at x " << i;
        EXPECT_TRUE(drawn(15, i) && drawn(16, i)) << "vertical hair at y " << i;
    }
    // Beside the hairs, away from the ticks and the ring, is clear glass.
    EXPECT_FALSE(drawn(10, 10));
    EXPECT_FALSE(drawn(14, 2 + 8));
    EXPECT_FALSE(drawn(17, 13) && drawn(18, 13) && drawn(19, 13) && drawn(20, 13) && drawn(21, 13));
}

TEST_P(Cursor, HasARingFillingTheImageAndTicksOnTheHairs)
{
    // Along each diagonal from the centre, the ring is met near the edge.
    const int dirs[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (const auto &d : dirs) {
        bool ring = false;
        for (int r = 8; r <= 12; ++r)
            ring = ring || drawn(16 + d[0] * r - (d[0] < 0 ? 1 : 0), 16 + d[1] * r - (d[1] < 0 ? 1 : 0));
        EXPECT_TRUE(ring) << "ring toward " << d[0] << "," << d[1];
    }
    // A tick crosses the horizontal hair: drawn above and below it.
    int ticks = 0;
    for (int x = 2; x < 30; ++x)
        ticks += (x < 14 || x > 17) && drawn(x, 13) && drawn(x, 18) ? 1 : 0;
    EXPECT_GE(ticks, 2);
}

INSTANTIATE_TEST_SUITE_P(Assets, Cursor, testing::Values("malet.cur", "maletdown.cur"),
                         [](const auto &p) { return AssetFile::testName(p.param); });

TEST(Cursors, BothAreTheSameFile)
{
    EXPECT_EQ(AssetFile("malet.cur").bytes(), AssetFile("maletdown.cur").bytes());
}

TEST(Icon, IsOneFourBitImageWithTheVgaPaletteAndEmptyMask)
{
    const AssetFile ico("mainicon.ico");
    EXPECT_EQ(ico.u16(2), 1) << "resource type: icon";
    EXPECT_EQ(ico.u16(4), 1);
    EXPECT_EQ(ico.u8(Directory), 32);
    EXPECT_EQ(ico.u8(Directory + 1), 32);
    EXPECT_EQ(ico.u8(Directory + 2), 16) << "colour count";
    EXPECT_EQ(ico.u16(Directory + 6), 4) << "bit count";
    EXPECT_EQ(ico.u32(Directory + 8), static_cast<std::uint32_t>(ico.size() - ImageStart));
    EXPECT_EQ(ico.i32(ImageStart + 8), 64);
    EXPECT_EQ(ico.u16(ImageStart + 14), 4);

    const QList<std::uint32_t> vga = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                      0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                      0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const qsizetype palette = ImageStart + 40;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ico.u32(palette + 4 * i), vga[i]) << "palette entry " << i;

    const qsizetype pixels = palette + 16 * 4;
    const qsizetype mask = pixels + 32 * 16;
    ASSERT_EQ(ico.size(), mask + 32 * 4);
    for (qsizetype i = mask; i < ico.size(); ++i)
        EXPECT_EQ(ico.u8(i), 0) << "AND mask byte " << (i - mask);

    QSet<int> used;
    for (qsizetype i = pixels; i < mask; ++i)
        used << (ico.u8(i) >> 4) << (ico.u8(i) & 15);
    EXPECT_EQ(used, (QSet<int>{0, 9, 15})) << "black, red and white only";
    // Bottom-left pixel, first stored row: the white ground square.
    EXPECT_EQ(ico.u8(pixels) >> 4, 15);
}

} // namespace

namespace {

// The game hands these files to Qt's image readers; what they make of them
// is what the player sees.
TEST(CursorAsLoaded, IsBlackWhereDrawnAndClearElsewhere)
{
    const AssetFile cur("malet.cur");
    QImage image;
    ASSERT_TRUE(image.loadFromData(cur.bytes(), "CUR"));
    image = image.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(32, 32));
    const qsizetype andMask = ImageStart + 40 + 8 + 32 * 4;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = image.pixel(x, y);
            if (maskBit(cur, andMask, x, y)) {
                EXPECT_EQ(qAlpha(p), 0) << x << "," << y;
            } else {
                EXPECT_EQ(p, qRgba(0, 0, 0, 255)) << x << "," << y;
            }
        }
}

TEST(IconAsLoaded, IsOpaqueWithAWhiteGround)
{
    QImage image;
    ASSERT_TRUE(image.loadFromData(AssetFile("mainicon.ico").bytes(), "ICO"));
    image = image.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << x << "," << y;
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
}

} // namespace

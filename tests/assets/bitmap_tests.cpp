#include "assetfile.h"

#include <gtest/gtest.h>

#include <QColor>

#include <algorithm>
#include <functional>
#include <queue>
#include <vector>

namespace {

constexpr QRgb Cyan = 0xFF00FFFFu;
constexpr QRgb White = 0xFFFFFFFFu;

struct ExpectedBitmap
{
    const char *file;
    int width;
    int height;
    int bitsPerPixel;
};

const ExpectedBitmap Bitmaps[] = {
    {"live.bmp", 76, 56, 8},         {"dead.bmp", 76, 56, 8},        {"gameover.bmp", 389, 170, 8},
    {"start.bmp", 389, 170, 8},      {"newbutton.bmp", 32, 32, 8},   {"pausebutton.bmp", 32, 32, 24},
    {"stopbutton.bmp", 32, 32, 24},  {"programicon.bmp", 48, 48, 24},
};

int stride(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// The palette colour stored for the pixel at (x, y), y counted from the top,
// read straight from an 8-bit file.
QRgb storedColour(const AssetFile &bmp, int x, int y)
{
    const int width = bmp.i32(18), height = bmp.i32(22);
    const auto row = static_cast<qsizetype>(height - 1 - y);
    const int index = bmp.u8(bmp.u32(10) + row * stride(width, 8) + x);
    const qsizetype entry = 54 + 4 * index;
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

class BitmapFormat : public testing::TestWithParam<ExpectedBitmap>
{
};

TEST_P(BitmapFormat, HeadersMatchTheDeclaredLayout)
{
    const ExpectedBitmap expected = GetParam();
    const AssetFile bmp(expected.file);
    const int paletteEntries = expected.bitsPerPixel == 8 ? 256 : 0;
    const std::uint32_t pixelOffset = 14 + 40 + 4 * paletteEntries;

    EXPECT_EQ(bmp.u8(0), 'B');
    EXPECT_EQ(bmp.u8(1), 'M');
    EXPECT_EQ(bmp.u32(2), static_cast<std::uint32_t>(bmp.size()));
    EXPECT_EQ(bmp.u32(10), pixelOffset);
    EXPECT_EQ(bmp.u32(14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(bmp.i32(18), expected.width);
    EXPECT_EQ(bmp.i32(22), expected.height) << "a positive height means bottom-up rows";
    EXPECT_EQ(bmp.u16(26), 1);
    EXPECT_EQ(bmp.u16(28), expected.bitsPerPixel);
    EXPECT_EQ(bmp.u32(30), 0u) << "BI_RGB";
    const std::uint32_t colours = bmp.u32(46);
    EXPECT_TRUE(colours == static_cast<std::uint32_t>(paletteEntries) || (colours == 0 && paletteEntries == 256));
    EXPECT_EQ(bmp.size(), pixelOffset + static_cast<qsizetype>(stride(expected.width, expected.bitsPerPixel)) * expected.height);

    const QImage image = bmp.image();
    EXPECT_EQ(image.size(), QSize(expected.width, expected.height));
}

INSTANTIATE_TEST_SUITE_P(Assets, BitmapFormat, testing::ValuesIn(Bitmaps),
                         [](const auto &p) { return AssetFile::testName(p.param.file); });

TEST(Sprites, LiveAndDeadHaveTheSameSize)
{
    const QImage live = AssetFile("live.bmp").image();
    const QImage dead = AssetFile("dead.bmp").image();
    EXPECT_EQ(live.size(), QSize(76, 56));
    EXPECT_EQ(live.size(), dead.size());
}

class SpriteGround : public testing::TestWithParam<const char *>
{
};

TEST_P(SpriteGround, BorderIsExactCyanInThePalette)
{
    const AssetFile bmp(GetParam());
    const int w = bmp.i32(18), h = bmp.i32(22);
    // The sprite is drawn opaque on the water, so every border pixel must be
    // the window colour exactly; the figure keeps inside it.
    for (int x = 0; x < w; ++x) {
        EXPECT_EQ(storedColour(bmp, x, 0), Cyan) << "top, x " << x;
        EXPECT_EQ(storedColour(bmp, x, h - 1), Cyan) << "bottom, x " << x;
    }
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(storedColour(bmp, 0, y), Cyan) << "left, y " << y;
        EXPECT_EQ(storedColour(bmp, w - 1, y), Cyan) << "right, y " << y;
    }
}

TEST_P(SpriteGround, ShowsARedFigureOnTheWater)
{
    const QImage image = AssetFile(GetParam()).image();
    EXPECT_GT(share(image, reddish), 0.25);
    EXPECT_GT(share(image, [](QColor c) { return c.rgb() == Cyan; }), 0.2);
}

INSTANTIATE_TEST_SUITE_P(Assets, SpriteGround, testing::Values("live.bmp", "dead.bmp"),
                         [](const auto &p) { return AssetFile::testName(p.param); });

TEST(Sprites, LiveShowsEyesAndTeeth)
{
    const QImage image = AssetFile("live.bmp").image();
    EXPECT_GT(share(image, [](QColor c) { return c.lightness() > 230; }), 0.04) << "whites of eyes and teeth";
    EXPECT_GT(share(image, [](QColor c) { return c.lightness() < 40; }), 0.03) << "pupils and mouth";
}

TEST(ProgramPicture, ShowsTheCreatureOnCyan)
{
    const QImage image = AssetFile("programicon.bmp").image().convertToFormat(QImage::Format_RGB32);
    for (QPoint corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)})
        EXPECT_EQ(image.pixel(corner), Cyan);
    EXPECT_GT(share(image, reddish), 0.2);
}

class Glyph : public testing::TestWithParam<const char *>
{
};

// Only pixels of exactly the bottom-left colour are transparent on a tool
// button. White inside the figure (eyes, lettering) must therefore not be
// exact white, or it would show the button face through the drawing. Any
// exact-white pixel must be reachable from the border through exact white.
TEST_P(Glyph, OnlyTheSurroundingGroundIsExactWhite)
{
    const QImage image = AssetFile(GetParam()).image().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(32, 32));
    ASSERT_EQ(image.pixel(0, 31), White) << "bottom-left pixel sets the transparent colour";

    std::vector<char> reached(32 * 32, 0);
    std::queue<QPoint> todo;
    for (int i = 0; i < 32; ++i)
        for (QPoint p : {QPoint(i, 0), QPoint(i, 31), QPoint(0, i), QPoint(31, i)})
            todo.push(p);
    while (!todo.empty()) {
        const QPoint p = todo.front();
        todo.pop();
        if (p.x() < 0 || p.y() < 0 || p.x() > 31 || p.y() > 31 || reached[p.y() * 32 + p.x()] ||
            image.pixel(p) != White)
            continue;
        reached[p.y() * 32 + p.x()] = 1;
        for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            todo.push(p + d);
    }
    int enclosedWhite = 0, figure = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            enclosedWhite += image.pixel(x, y) == White && !reached[y * 32 + x] ? 1 : 0;
            figure += image.pixel(x, y) != White ? 1 : 0;
        }
    EXPECT_EQ(enclosedWhite, 0);
    EXPECT_GT(figure, 32 * 32 / 4) << "the drawing should fill a good part of the button";
}

INSTANTIATE_TEST_SUITE_P(Assets, Glyph, testing::Values("newbutton.bmp", "pausebutton.bmp", "stopbutton.bmp"),
                         [](const auto &p) { return AssetFile::testName(p.param); });

TEST(Glyphs, NewButtonGroundIsExactWhiteInThePalette)
{
    const AssetFile bmp("newbutton.bmp");
    EXPECT_EQ(storedColour(bmp, 0, 31), White);
    EXPECT_GT(share(bmp.image(), reddish), 0.2) << "the red creature";
}

TEST(Glyphs, StopSignIsRedAndTrafficLightHasThreeLamps)
{
    const QImage stop = AssetFile("stopbutton.bmp").image();
    EXPECT_GT(share(stop, reddish), 0.3);

    const QImage light = AssetFile("pausebutton.bmp").image();
    auto hue = [](int lo, int hi) {
        return [lo, hi](QColor c) { return c.hsvSaturation() > 150 && c.value() > 150 && c.hsvHue() >= lo && c.hsvHue() <= hi; };
    };
    EXPECT_GT(share(light, hue(0, 15)) + share(light, hue(345, 359)), 0.01) << "red lamp";
    EXPECT_GT(share(light, hue(40, 65)), 0.01) << "yellow lamp";
    EXPECT_GT(share(light, hue(100, 150)), 0.01) << "green lamp";
}

struct ExpectedBanner
{
    const char *file;
    int hue; // of the banner's ground
};

class Banner : public testing::TestWithParam<ExpectedBanner>
{
};

TEST_P(Banner, GroundColourDominatesAndTextIsBlue)
{
    const QImage image = AssetFile(GetParam().file).image();
    const int ground = GetParam().hue;
    auto near = [](int hue) {
        return [hue](QColor c) { return c.hsvSaturation() > 150 && std::abs(c.hsvHue() - hue) < 12; };
    };
    EXPECT_GT(share(image, near(ground)), 0.4);
    EXPECT_GT(share(image, near(235)), 0.05) << "blue lettering";
}

INSTANTIATE_TEST_SUITE_P(Assets, Banner, testing::Values(ExpectedBanner{"gameover.bmp", 55}, ExpectedBanner{"start.bmp", 300}),
                         [](const auto &p) { return AssetFile::testName(p.param.file); });

} // namespace

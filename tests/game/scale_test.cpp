// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game window at one device pixel ratio, the one QT_SCALE_FACTOR gives:
// CTest runs this file once for each of 1, 1.25, 1.5 and 2. Whatever the
// ratio, the layout, the drawing and wiping of sprites, the strike and the
// cursor's hot spot are those of the designed logical pixels; above 1 every
// picture comes from its double-size art instead of being blown up.

#include "about/aboutbox.h"
#include "support/gamefixture.h"
#include "support/pixelblocks.h"
#include "support/testmain.h"
#include "toolkit/screencentring.h"

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QToolButton>
#include <QtMath>

namespace {

qreal ratioUnderTest()
{
    return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
}

// Device pixel d belongs to logical pixel floor(d / ratio): these are the
// first and the last device pixels of logical pixel n.
int firstDevicePixel(int n, qreal ratio)
{
    return qCeil(n * ratio);
}
int lastDevicePixel(int n, qreal ratio)
{
    return firstDevicePixel(n + 1, ratio) - 1;
}

// Pixels only, whatever ratio an image carries.
QImage argb(const QImage &image)
{
    QImage converted = image.convertToFormat(QImage::Format_ARGB32);
    converted.setDevicePixelRatio(1);
    return converted;
}

QImage art(const QString &resource)
{
    return argb(QImage(QStringLiteral(":/") + resource));
}

// A press and release at a point given in logical coordinates, fractions
// included, as Qt delivers the mouse on a device pixel.
void pressAndRelease(PlayArea *area, const QPointF &at)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, area->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &event);
    }
}

} // namespace

class ScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(qApp->devicePixelRatio(), ratioUnderTest());
    }

    void layoutKeepsItsDesignedLogicalGeometry()
    {
        GameWindow form;
        QCOMPARE(form->centralWidget()->size(), QSize(522, 409));
        const struct { QWidget *control; QRect designed; } controls[] = {
            {form->Image2, {0, 0, 529, 289}},         {form->Image1, {133, 288, 388, 120}},
            {form->GameOverImage, {66, 16, 389, 170}}, {form->Image3, {66, 16, 389, 170}},
            {form->Panel1, {0, 288, 137, 121}},        {form->NewButton, {56, 8, 73, 41}},
            {form->PauseButton, {8, 24, 41, 73}},      {form->StopButton, {56, 72, 73, 41}},
        };
        for (const auto &[control, designed] : controls)
            QCOMPARE(control->geometry(), designed);
    }

    // Every picture of the program, read back as its window shows it.
    void picturesComeFromTheirOwnArtAtTheirDesignedSize()
    {
        GameWindow form;
        Application::instance()->createForm(AboutBox);
        const qreal ratio = ratioUnderTest();
        const bool doubled = ratio > 1;
        for (PictureBox *picture : {static_cast<PictureBox *>(form->Image2), form->Image1, form->GameOverImage,
                                    form->Image3, AboutBox->ProgramIcon}) {
            const QImage shown = picture->grab().toImage();
            const QImage &source = picture->image();
            QVERIFY(picture->isDecoded());
            QCOMPARE(source.deviceIndependentSize(), QSizeF(picture->pictureSize()));
            QCOMPARE(source.devicePixelRatio(), doubled ? 2.0 : 1.0);
            const uchar *bits = source.constBits();
            picture->grab();
            QCOMPARE(picture->image().constBits(), bits); // decoded once
            if (ratio == 2 && !picture->stretch())
                QVERIFY2(mixedBlockShare(shown.copy(QRect(QPoint(0, 0), source.size()))) > 0.05,
                         qPrintable(picture->objectName()));
        }
        for (QToolButton *button : {form->NewButton, form->PauseButton, form->StopButton}) {
            const QPixmap glyph = button->icon().pixmap(QSize(32, 32), ratio);
            QCOMPARE(glyph.deviceIndependentSize(), QSizeF(32, 32));
            if (ratio != 1 && ratio != 2)
                continue;
            // Pixels of the corner's colour show through; the others are the art's own.
            const QImage drawn =
                art(QStringLiteral("layout/ShootForm/") + button->objectName() + QLatin1String(doubled ? "@2x" : ""));
            const QImage shown = argb(glyph.toImage());
            const QRgb corner = drawn.pixel(0, drawn.height() - 1);
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    QCOMPARE(shown.pixel(x, y), drawn.pixel(x, y) == corner ? 0u : drawn.pixel(x, y));
        }
    }

    void spriteIsDrawnAndWipedOnTheDevicePixelsOfItsLogicalRectangle_data()
    {
        QTest::addColumn<int>("spot");
        QTest::newRow("spot 0, on whole device pixels at every ratio") << 0;
        QTest::newRow("spot 1, its top a quarter into a device pixel at 1.25") << 1;
        QTest::newRow("spot 7, halfway into device pixels at 1.25 and 1.5") << 7;
    }
    void spriteIsDrawnAndWipedOnTheDevicePixelsOfItsLogicalRectangle()
    {
        QFETCH(int, spot);
        const qreal ratio = ratioUnderTest();
        GameWindow form;
        form->SpawnRange = 8;
        form->TargetLife = 1;
        uint32_t seed = 0;
        do
            SeedRandom(++seed);
        while (Random() % 8 != spot);
        SeedRandom(seed);
        startHandTickedGame(*form);
        const QImage empty = form->Image2->grab().toImage();

        form->Timer1Timer();
        QVERIFY(form->TargetSlots[size_t(spot)].ExpiryTick != 0);
        const QPoint corner = SpotTable[size_t(spot)];
        const QRect device = form->Image2->deviceRect(QRect(corner, QSize(76, 56)));
        QCOMPARE(device, QRect(QPoint(firstDevicePixel(corner.x(), ratio), firstDevicePixel(corner.y(), ratio)),
                               QPoint(lastDevicePixel(corner.x() + 75, ratio), lastDevicePixel(corner.y() + 55, ratio))));
        // The layer is opaque on exactly those pixels, and the window shows them.
        const QImage &layer = form->Image2->spriteLayer();
        const QImage shown = form->Image2->grab().toImage();
        for (int y = device.top() - 1; y <= device.bottom() + 1; ++y)
            for (int x = device.left() - 1; x <= device.right() + 1; ++x) {
                const bool inside = device.contains(x, y);
                QCOMPARE(qAlpha(layer.pixel(x, y)), inside ? 255 : 0);
                QCOMPARE(shown.pixel(x, y), inside ? layer.pixel(x, y) : empty.pixel(x, y));
            }
        const QImage sprite = argb(shown.copy(device));
        // Its ground, exact cyan at every ratio as the water is, reaches all four edges.
        constexpr QRgb Cyan = 0xFF00FFFFu;
        for (int x = 0; x < sprite.width(); ++x)
            QVERIFY(sprite.pixel(x, 0) == Cyan && sprite.pixel(x, sprite.height() - 1) == Cyan);
        for (int y = 0; y < sprite.height(); ++y)
            QVERIFY(sprite.pixel(0, y) == Cyan && sprite.pixel(sprite.width() - 1, y) == Cyan);
        if (ratio == 1)
            QCOMPARE(sprite, art(QStringLiteral("named/Live")));
        if (ratio == 2) // drawn from its own art, which is not blown up (assets_test)
            QCOMPARE(sprite, art(QStringLiteral("named/Live@2x")));

        for (int i = 0; i < 2; ++i)
            form->Timer1Timer();
        QCOMPARE(form->TargetSlots[size_t(spot)].ExpiryTick, 0);
        // Not a row or a column left over.
        const QRect around = device.adjusted(-2, -2, 2, 2);
        QCOMPARE(form->Image2->grab().toImage().copy(around), empty.copy(around));
    }

    // Spot 0 at (20, 20): the strike area runs from logical 11 to 95 across
    // and 11 to 75 down; the hot spot is the device pixel under the press.
    void strikeAtTheEdgesOfTheStrikeArea_data()
    {
        QTest::addColumn<bool>("across");
        QTest::addColumn<int>("logical");
        QTest::addColumn<bool>("last"); // the last device pixel of that logical one, or the first
        QTest::addColumn<bool>("struck");
        for (bool across : {true, false}) {
            const char *axis = across ? "x" : "y";
            const int far = across ? 95 : 75;
            QTest::addRow("%s 10, its last device pixel", axis) << across << 10 << true << false;
            QTest::addRow("%s 11, its first device pixel", axis) << across << 11 << false << true;
            QTest::addRow("%s %d, its last device pixel", axis, far) << across << far << true << true;
            QTest::addRow("%s %d, its first device pixel", axis, far + 1) << across << far + 1 << false << false;
        }
    }
    void strikeAtTheEdgesOfTheStrikeArea()
    {
        QFETCH(bool, across);
        QFETCH(int, logical);
        QFETCH(bool, last);
        QFETCH(bool, struck);
        const qreal ratio = ratioUnderTest();
        GameWindow form;
        form->SpawnRange = 0; // spot 0 on the first tick
        startHandTickedGame(*form);
        form->Timer1Timer();
        const qreal edge = (last ? lastDevicePixel(logical, ratio) : firstDevicePixel(logical, ratio)) / ratio;
        const QPointF middle(50, 40);
        pressAndRelease(form->Image2, across ? QPointF(edge, middle.y()) : QPointF(middle.x(), edge));
        QCOMPARE(form->Hits, struck ? 1 : 0);
        QCOMPARE(form->Misses, struck ? 0 : 1);
    }

    void malletsHotSpotIsTheTopLeftLogicalPixel()
    {
        const qreal ratio = ratioUnderTest();
        GameWindow form;
        for (bool pressed : {false, true}) {
            if (pressed)
                QTest::mousePress(form->Image2, Qt::LeftButton, Qt::NoModifier, QPoint(300, 270));
            const QCursor mallet = form->Image2->cursor();
            QCOMPARE(mallet.shape(), Qt::BitmapCursor);
            QCOMPARE(mallet.hotSpot(), QPoint(0, 0));
            QCOMPARE(mallet.pixmap().deviceIndependentSize(), QSizeF(32, 32));
            QCOMPARE(mallet.pixmap().devicePixelRatio(), ratio);
            const QImage shown = argb(mallet.pixmap().toImage());
            if (ratio == 1)
                QCOMPARE(shown, art(QStringLiteral("named/Malet")));
            if (ratio == 2)
                QCOMPARE(shown, art(QStringLiteral("named/Malet@2x")));
        }
        QTest::mouseRelease(form->Image2, Qt::LeftButton, Qt::NoModifier, QPoint(300, 270));
    }

    void windowIsCentredFrameIncludedWithItsTitleBarOnTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("fits") << QRect(0, 0, 1024, 768) << QSize(524, 449) << QPoint(250, 159);
        QTest::newRow("below a panel") << QRect(0, 30, 1024, 738) << QSize(524, 449) << QPoint(250, 174);
        QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QSize(524, 449) << QPoint(2298, 287);
        QTest::newRow("exactly the screen") << QRect(0, 0, 524, 449) << QSize(524, 449) << QPoint(0, 0);
        QTest::newRow("too tall at scale 2") << QRect(0, 0, 512, 384) << QSize(524, 441) << QPoint(0, 0);
        QTest::newRow("too tall only") << QRect(0, 24, 800, 400) << QSize(524, 449) << QPoint(138, 24);
        QTest::newRow("too wide, second screen") << QRect(-500, 0, 500, 900) << QSize(524, 449) << QPoint(-500, 225);
    }
    void windowIsCentredFrameIncludedWithItsTitleBarOnTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, frame);
        QFETCH(QPoint, position);
        QCOMPARE(ScreenCentring::framePosition(available, frame), position);
    }
};

THWACKLE_TEST_MAIN(ScaleTest)
#include "scale_test.moc"

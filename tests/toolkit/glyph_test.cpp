// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tool-button glyphs: exactly the bottom-left colour becomes see-through,
// nothing else does, whatever the bitmap's depth.

#include "support/testmain.h"
#include "toolkit/glyph.h"

class GlyphTest : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheCornerColourIsMasked_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("24-bit") << QImage::Format_RGB888;
        QTest::newRow("8-bit palette") << QImage::Format_Indexed8;
    }
    void onlyTheCornerColourIsMasked()
    {
        QFETCH(QImage::Format, format);
        QImage bitmap(32, 32, QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        bitmap.setPixel(10, 10, qRgb(254, 255, 255)); // near white stays
        bitmap.setPixel(11, 10, qRgb(255, 0, 0));
        bitmap = bitmap.convertToFormat(format);
        const QImage glyph = glyphIcon(bitmap).pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(qAlpha(glyph.pixel(0, 31)), 0);
        QCOMPARE(qAlpha(glyph.pixel(31, 0)), 0);
        QCOMPARE(glyph.pixel(10, 10), qRgba(254, 255, 255, 255));
        QCOMPARE(glyph.pixel(11, 10), qRgba(255, 0, 0, 255));
    }

    void cornerColourNeedNotBeWhite()
    {
        QImage bitmap(16, 16, QImage::Format_RGB32);
        bitmap.fill(Qt::blue);
        bitmap.setPixel(0, 15, qRgb(1, 2, 3));
        bitmap.setPixel(5, 5, qRgb(1, 2, 3));
        const QImage glyph = glyphIcon(bitmap).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(qAlpha(glyph.pixel(5, 5)), 0);
        QCOMPARE(qAlpha(glyph.pixel(0, 0)), 255);
    }

    void nullBitmapGivesNullIcon()
    {
        QVERIFY(glyphIcon(QImage()).isNull());
    }
};

THWACKLE_TEST_MAIN(GlyphTest)
#include "glyph_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// JPEG decoding through libjpeg: good pictures decode at their header size,
// bad data raises "JPEG error #<n>" with libjpeg's own message code.

#include "resources/assets.h"
#include "support/testmain.h"
#include "toolkit/failure.h"
#include "toolkit/jpegdecoder.h"
#include "toolkit/picturebox.h"

#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace {

QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return failure.message();
    }
    return QStringLiteral("no failure");
}

QString jpegError(int code)
{
    return QStringLiteral("JPEG error #%1").arg(code);
}

// Offset of the first SOF0 marker's height field.
qsizetype frameHeightOffset(const QByteArray &jpeg)
{
    const qsizetype marker = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    return marker < 0 ? -1 : marker + 5;
}

} // namespace

class JpegTest : public QObject
{
    Q_OBJECT

private slots:
    void embeddedPicturesDecodeAtHeaderSize_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("play area") << QStringLiteral("ShootForm/Image2") << QSize(520, 283);
        QTest::newRow("scoreboard") << QStringLiteral("ShootForm/Image1") << QSize(388, 120);
    }
    void embeddedPicturesDecodeAtHeaderSize()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QByteArray data = Assets::layoutData(path);
        QCOMPARE(Jpeg::readSize(data), size);
        const QImage image = Jpeg::decode(data);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format(), QImage::Format_RGB888);
    }

    void badDataRaisesTheDecoderErrorNumber_data()
    {
        const QByteArray good = Assets::layoutData(QStringLiteral("ShootForm/Image2"));
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("code");

        QTest::newRow("empty") << QByteArray() << int(JERR_INPUT_EMPTY);
        QTest::newRow("not a JPEG") << QByteArray("BM this is a bitmap, not a JPEG") << int(JERR_NO_SOI);
        QTest::newRow("truncated") << good.left(good.size() / 2) << int(JWRN_JPEG_EOF);

        QByteArray noHeight = good;
        noHeight[frameHeightOffset(good)] = 0;
        noHeight[frameHeightOffset(good) + 1] = 0;
        QTest::newRow("zero height") << noHeight << int(JERR_EMPTY_IMAGE);

        QByteArray badPrecision = good;
        badPrecision[frameHeightOffset(good) - 1] = 3;
        QTest::newRow("bad precision") << badPrecision << int(JERR_BAD_PRECISION);
    }
    void badDataRaisesTheDecoderErrorNumber()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, code);
        QCOMPARE(failureOf([&] { Jpeg::decode(data); }), jpegError(code));
    }

    void headerErrorsSurfaceWhenThePictureIsLoaded()
    {
        QCOMPARE(failureOf([] { Jpeg::readSize(QByteArray("GIF89a")); }), jpegError(JERR_NO_SOI));
        // A picture whose scan data is cut off loads (the header is fine) and
        // fails when it is first drawn.
        const QByteArray good = Assets::layoutData(QStringLiteral("ShootForm/Image1"));
        PictureBox box;
        box.setJpeg(good.left(good.size() - 40));
        QCOMPARE(box.pictureSize(), QSize(388, 120));
        QVERIFY(!box.isDecoded());
        QCOMPARE(failureOf([&] { box.image(); }), jpegError(JWRN_JPEG_EOF));
    }

    void undecodablePictureIsReportedOnce()
    {
        TestSupport::ErrorBoxRecorder recorder;
        const QByteArray good = Assets::layoutData(QStringLiteral("ShootForm/Image1"));
        PictureBox box;
        box.setJpeg(good.left(good.size() - 40));
        box.resize(box.pictureSize());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTRY_COMPARE_WITH_TIMEOUT(recorder.texts().size(), 1, 10000);
        QCOMPARE(recorder.texts().constFirst(), jpegError(JWRN_JPEG_EOF) + QLatin1Char('.'));
        for (int i = 0; i < 3; ++i)
            box.repaint();
        QTest::qWait(100);
        QCOMPARE(recorder.texts().size(), 1);
        QVERIFY(!box.isDecoded());
    }

    void pictureIsDecodedOnceAtFirstPaint()
    {
        PictureBox box;
        box.setAutoSize(true);
        box.setJpeg(Assets::layoutData(QStringLiteral("ShootForm/Image1")));
        QCOMPARE(box.size(), QSize(388, 120)); // sized from the header
        QVERIFY(!box.isDecoded());
        const QImage shown = box.grab().toImage();
        QVERIFY(box.isDecoded());
        QCOMPARE(shown.pixel(200, 60), box.image().pixel(200, 60));
        const uchar *bits = box.image().constBits();
        box.grab();
        QCOMPARE(box.image().constBits(), bits); // kept, not decoded again
    }
};

THWACKLE_TEST_MAIN(JpegTest)
#include "jpeg_test.moc"

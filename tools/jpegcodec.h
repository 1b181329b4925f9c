#pragma once

#include <QByteArray>
#include <QImage>

// Baseline JFIF through libjpeg: 8-bit YCbCr, 2x2/1x1/1x1 sampling.
// Decoding uses the accurate integer inverse transform, the same one the
// game uses, so what this tool checks is what the player sees.
class JpegCodec
{
public:
    static QByteArray encode(const QImage &image, int quality);
    static QImage decode(const QByteArray &jfif);
};

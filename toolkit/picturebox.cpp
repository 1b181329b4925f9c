// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/picturebox.h"

#include "toolkit/jpegdecoder.h"

#include <QPainter>

#include <utility>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
}

void PictureBox::setImage(const QImage &image)
{
    m_jpeg.clear();
    m_image = image;
    m_pictureSize = image.size();
    applyAutoSize();
    update();
}

void PictureBox::setJpeg(const QByteArray &jpeg)
{
    m_image = QImage();
    m_jpeg = jpeg;
    m_pictureSize = Jpeg::readSize(jpeg);
    applyAutoSize();
    update();
}

void PictureBox::setDoubleDensity(const QByteArray &encoded)
{
    m_double = QImage();
    m_doubleEncoded = encoded;
    update();
}

bool PictureBox::showsDoubleDensity() const
{
    return devicePixelRatioF() > 1 && !(m_double.isNull() && m_doubleEncoded.isEmpty());
}

void PictureBox::setStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    m_stretch = stretch;
    update();
}

void PictureBox::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    applyAutoSize();
}

void PictureBox::applyAutoSize()
{
    if (m_autoSize && m_pictureSize.isValid())
        resize(m_pictureSize);
}

const QImage &PictureBox::image()
{
    if (showsDoubleDensity()) {
        if (m_double.isNull()) {
            // Reported once, as below; the designed picture shows after that.
            const QByteArray encoded = std::exchange(m_doubleEncoded, QByteArray());
            m_double = Jpeg::isJpeg(encoded) ? Jpeg::decode(encoded) : QImage::fromData(encoded);
            m_double.setDevicePixelRatio(2);
        }
        if (!m_double.isNull())
            return m_double;
    }
    if (m_image.isNull() && !m_jpeg.isEmpty()) {
        // A picture that cannot be decoded is reported once; trying again on
        // every repaint would stack one error box on another.
        const QByteArray jpeg = std::exchange(m_jpeg, QByteArray());
        m_image = Jpeg::decode(jpeg);
    }
    return m_image;
}

void PictureBox::drawPicture(QPainter &painter)
{
    const QImage &picture = image();
    if (picture.isNull())
        return;
    painter.save();
    // A picture made for another ratio is resampled; smoothly, or its edges
    // would go ragged.
    if (picture.devicePixelRatio() != devicePixelRatioF())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch)
        painter.drawImage(rect(), picture);
    else
        painter.drawImage(QPoint(0, 0), picture);
    painter.restore();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawPicture(painter);
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

class QPainter;

// A picture control: a bitmap, or a JPEG that stays compressed until the
// control is first painted and is then decoded once and kept. The picture is
// drawn opaque at the control's top-left corner at its own size, or stretched
// to the control; with auto-size the control takes the picture's size.
//
// On a screen with more than one device pixel to the logical pixel the
// control shows the picture's double-size variant when it has one, at the
// designed logical size, so the layout stays as designed.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    void setJpeg(const QByteArray &jpeg);
    // The double-size variant, a BMP or a JPEG file; kept as it is until the
    // control is first painted at a ratio above 1, then decoded once.
    void setDoubleDensity(const QByteArray &encoded);

    void setStretch(bool stretch);
    bool stretch() const { return m_stretch; }
    void setAutoSize(bool autoSize);

    // The picture's size in logical pixels; for a JPEG it comes from the
    // header, undecoded.
    QSize pictureSize() const { return m_pictureSize; }
    // Whether the picture shown at the control's present ratio is decoded.
    bool isDecoded() const { return !(showsDoubleDensity() ? m_double : m_image).isNull(); }

    // The picture shown at the control's present ratio, decoding a pending
    // JPEG now; raises a Failure when it cannot.
    const QImage &image();

protected:
    void paintEvent(QPaintEvent *event) override;
    // Draws the picture as the control shows it; for controls that paint
    // more over it with the same painter.
    void drawPicture(QPainter &painter);

private:
    void applyAutoSize();
    bool showsDoubleDensity() const;

    QImage m_image;
    QByteArray m_jpeg;
    QImage m_double;
    QByteArray m_doubleEncoded;
    QSize m_pictureSize;
    bool m_stretch = false;
    bool m_autoSize = false;
};

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/playarea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QtMath>

namespace {

// Ratios such as 1.1 are not exact in binary: a product that should be a
// whole number must not slip past it.
constexpr qreal Fuzz = 1e-9;

// The first device pixel whose top-left corner lies at or after a logical
// coordinate.
int deviceEdge(int logical, qreal ratio)
{
    return qCeil(logical * ratio - Fuzz);
}

// The logical pixel that holds a point given in logical coordinates.
QPoint logicalPixel(const QPointF &point)
{
    return QPoint(qFloor(point.x() + Fuzz), qFloor(point.y() + Fuzz));
}

} // namespace

PlayArea::PlayArea(QWidget *parent)
    : PictureBox(parent)
{
}

QRect PlayArea::deviceRect(const QRect &logical) const
{
    const QPoint topLeft(deviceEdge(logical.left(), m_ratio), deviceEdge(logical.top(), m_ratio));
    const QPoint end(deviceEdge(logical.left() + logical.width(), m_ratio),
                     deviceEdge(logical.top() + logical.height(), m_ratio));
    return QRect(topLeft, end - QPoint(1, 1));
}

void PlayArea::drawSprite(const QPoint &topLeft, const QImage &sprite)
{
    ensureLayer();
    const QRect logical(topLeft, sprite.deviceIndependentSize().toSize());
    const QRect device = deviceRect(logical);
    {
        QPainter painter(&m_layer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        // Pixel for pixel, whatever ratio the sprite itself carries.
        const QImage &pixels = atDeviceSize(sprite, device.size());
        painter.drawImage(device, pixels, pixels.rect());
    }
    updateAround(logical);
}

void PlayArea::eraseRect(const QRect &rect)
{
    ensureLayer();
    {
        QPainter painter(&m_layer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(deviceRect(rect), Qt::transparent);
    }
    updateAround(rect);
}

void PlayArea::updateAround(const QRect &logical)
{
    // At a fractional ratio Qt rounds a logical area to device pixels its own
    // way; a pixel more on each side is sure to take in all of ours.
    update(logical.adjusted(-1, -1, 1, 1));
}

const QImage &PlayArea::atDeviceSize(const QImage &sprite, QSize size)
{
    if (sprite.size() == size)
        return sprite;
    auto resampled = m_resampled.find(sprite.cacheKey());
    if (resampled == m_resampled.end() || resampled->size() != size) {
        // In true colour and pixels only: Qt's smooth scaling averages
        // neighbouring pixels there, and stumbles over a palette image that
        // carries a ratio of its own.
        QImage pixels = sprite.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        pixels.setDevicePixelRatio(1);
        resampled = m_resampled.insert(sprite.cacheKey(),
                                       pixels.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return *resampled;
}

void PlayArea::paintEvent(QPaintEvent *event)
{
    ensureLayer();
    QPainter painter(this);
    drawPicture(painter);
    // Device pixels of the layer go one to one onto the screen's; the areas
    // are widened for the same rounding as in updateAround.
    for (const QRect &area : event->region()) {
        const QRect device = deviceRect(area.adjusted(-1, -1, 1, 1) & rect());
        painter.drawImage(QRectF(QPointF(device.topLeft()) / m_ratio, QSizeF(device.size()) / m_ratio), m_layer,
                          device);
    }
}

void PlayArea::ensureLayer()
{
    // Made at first use: a hidden widget gets its resize event only when
    // shown, and the play area keeps its size from then on. A new ratio (the
    // window moved to a screen of another density) starts a clear layer, as a
    // repaint of the whole window would: targets still up show again when
    // next drawn, and can be struck meanwhile.
    const qreal ratio = devicePixelRatioF();
    if (ratio == m_ratio && m_layer.size() == deviceRect(rect()).size())
        return;
    m_ratio = ratio;
    m_resampled.clear();
    m_layer = QImage(deviceRect(rect()).size(), QImage::Format_ARGB32_Premultiplied);
    m_layer.fill(Qt::transparent);
}

void PlayArea::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), logicalPixel(event->position()));
}

void PlayArea::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->modifiers(), logicalPixel(event->position()));
}

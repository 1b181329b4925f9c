// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/playarea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

PlayArea::PlayArea(QWidget *parent)
    : PictureBox(parent)
{
}

void PlayArea::drawSprite(const QPoint &topLeft, const QImage &sprite)
{
    ensureLayer();
    {
        QPainter painter(&m_layer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(topLeft, sprite);
    }
    update(QRect(topLeft, sprite.size()));
}

void PlayArea::eraseRect(const QRect &rect)
{
    ensureLayer();
    {
        QPainter painter(&m_layer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect, Qt::transparent);
    }
    update(rect);
}

void PlayArea::paintEvent(QPaintEvent *event)
{
    ensureLayer();
    QPainter painter(this);
    drawPicture(painter);
    for (const QRect &area : event->region())
        painter.drawImage(area, m_layer, area);
}

void PlayArea::ensureLayer()
{
    // Made at first use: a hidden widget gets its resize event only when
    // shown, and the play area keeps its size from then on.
    if (m_layer.size() == size())
        return;
    m_layer = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_layer.fill(Qt::transparent);
}

void PlayArea::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void PlayArea::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

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
    PictureBox::paintEvent(event);
    ensureLayer();
    QPainter painter(this);
    for (const QRect &area : event->region())
        painter.drawImage(area, m_layer, area);
}

void PlayArea::ensureLayer()
{
    // Hidden widgets get their resize event only when shown, so the layer
    // follows the size whenever it is used.
    if (m_layer.size() == size())
        return;
    QImage layer(size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    if (!m_layer.isNull()) {
        QPainter painter(&layer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_layer);
    }
    m_layer = layer;
}

void PlayArea::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void PlayArea::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

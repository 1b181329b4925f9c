// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/picturebox.h"

#include <QHash>
#include <QImage>

// The play area: the container picture with the targets over it. Sprites are
// kept in a layer of their own above the picture, so a repaint (the window
// uncovered, say) shows the targets that are really up; a wiped spot shows
// the picture again. Presses and releases of any button are passed on.
//
// The layer holds device pixels, so that a double-size sprite stays sharp on
// a high-density screen, while positions stay in logical pixels: a logical
// pixel is the device pixels whose top-left corners lie in it. A sprite and
// the wipe of its rectangle therefore cover the very same device pixels at
// any ratio, and a press counts in the logical pixel under the mallet's tip.
class PlayArea : public PictureBox
{
    Q_OBJECT

public:
    explicit PlayArea(QWidget *parent = nullptr);

    // Copies the sprite opaque, its field included, with its corner at
    // topLeft, at its logical size.
    void drawSprite(const QPoint &topLeft, const QImage &sprite);
    // Clears a rectangle of the sprite layer.
    void eraseRect(const QRect &rect);

    // The layer, in device pixels.
    const QImage &spriteLayer() { ensureLayer(); return m_layer; }
    // The device pixels of the layer that a logical rectangle covers.
    QRect deviceRect(const QRect &logical) const;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void ensureLayer();
    const QImage &atDeviceSize(const QImage &sprite, QSize size);
    void updateAround(const QRect &logical);

    QImage m_layer;
    qreal m_ratio = 1;
    // Sprites resampled for a ratio they were not drawn for, by cache key.
    QHash<qint64, QImage> m_resampled;
};

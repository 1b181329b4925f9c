// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/picturebox.h"

#include <QImage>

// The play area: the container picture with the targets over it. Sprites are
// kept in a layer of their own above the picture, so a repaint (the window
// uncovered, say) shows the targets that are really up; a wiped spot shows
// the picture again. Presses and releases of any button are passed on.
class PlayArea : public PictureBox
{
    Q_OBJECT

public:
    explicit PlayArea(QWidget *parent = nullptr);

    // Copies the sprite opaque, its field included, with its corner at topLeft.
    void drawSprite(const QPoint &topLeft, const QImage &sprite);
    // Clears a rectangle of the sprite layer.
    void eraseRect(const QRect &rect);

    const QImage &spriteLayer() { ensureLayer(); return m_layer; }

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void ensureLayer();

    QImage m_layer;
};

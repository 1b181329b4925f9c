// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

// Keeps a window of fixed size at its size: a maximise, asked for by Qt's
// own title bar on Wayland or by a window manager that ignores the size
// hints on X11, is taken back at once.
//
// On Wayland the request to the compositor has gone out before the program
// hears of it, and Qt would not take it back before the compositor has
// answered; but a compositor may insist that a maximised window fill the
// screen, and ends a client that does not. So the request is withdrawn at
// the compositor in the same breath, before it can answer.
class MaximiseRefusal : public QObject
{
    Q_OBJECT

public:
    // Owned by the window.
    explicit MaximiseRefusal(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refuse(Qt::WindowState state);

    QWidget *m_window;
};

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Centres a top-level window, frame and title bar included, on the area of
// its screen that windows may use, each time the program shows it, and never
// lets the title bar start above or left of that area, even when the window
// is larger than the screen.
//
// The window system tells the frame's size only after the window is first
// shown: the window is centred then with the frame the program's other
// windows have (on its own size, when none has one), and once more as soon
// as its own frame is known, unless it has been moved in between.
class ScreenCentring : public QObject
{
    Q_OBJECT

public:
    // Centres the window now; owned by the window.
    explicit ScreenCentring(QWidget *window);

    // Where the top-left corner of a frame of the given size goes.
    static QPoint framePosition(const QRect &available, const QSize &frame);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void centre();
    bool frameKnown() const;

    QWidget *m_window;
    QPoint m_placed;
    bool m_awaitingFrame = false;
};

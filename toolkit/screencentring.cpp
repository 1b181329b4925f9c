// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/screencentring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// How far the window system may shift a frame by rounding between its own
// pixels and logical ones; anything more is the player's move.
constexpr int RoundingSlack = 2;

// The frame the window system gives the program's other windows, the one a
// window not yet framed will most likely get; none when no window has one.
QMargins framesSeen(const QWindow *except)
{
    const QList<QWindow *> windows = QGuiApplication::topLevelWindows();
    for (const QWindow *window : windows) {
        if (window != except && window->isVisible() && !window->frameMargins().isNull())
            return window->frameMargins();
    }
    return {};
}

} // namespace

ScreenCentring::ScreenCentring(QWidget *window)
    : QObject(window), m_window(window)
{
    centre();
    window->installEventFilter(this);
}

QPoint ScreenCentring::framePosition(const QRect &available, const QSize &frame)
{
    const QPoint centred = available.topLeft()
        + QPoint((available.width() - frame.width()) / 2, (available.height() - frame.height()) / 2);
    return QPoint(std::max(centred.x(), available.left()), std::max(centred.y(), available.top()));
}

void ScreenCentring::centre()
{
    if (const QScreen *screen = m_window->screen()) {
        // A top-level window's position is its frame's. At its first showing
        // the window system tells the frame only after placing the window,
        // too late for some to move it again: until then, the frame guessed.
        const bool known = frameKnown();
        const QMargins guessed = known ? QMargins() : framesSeen(m_window->windowHandle());
        m_placed = framePosition(screen->availableGeometry(), m_window->frameGeometry().size().grownBy(guessed));
        // A native window with no frame yet is placed by its client area.
        const bool byClient = !known && m_window->testAttribute(Qt::WA_WState_Created);
        m_window->move(byClient ? m_placed + QPoint(guessed.left(), guessed.top()) : m_placed);
    }
}

bool ScreenCentring::frameKnown() const
{
    return m_window->frameGeometry().size() != m_window->size();
}

bool ScreenCentring::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched != m_window)
        return false;
    // The window system's own showing (a window restored from the task bar)
    // keeps the window where it was.
    if (type == QEvent::Show && !event->spontaneous()) {
        centre();
        m_awaitingFrame = !frameKnown();
    } else if (m_awaitingFrame && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)
               && frameKnown()) {
        m_awaitingFrame = false;
        if ((m_window->pos() - m_placed).manhattanLength() <= RoundingSlack)
            centre();
    }
    return false;
}

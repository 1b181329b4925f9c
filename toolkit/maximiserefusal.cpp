// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/maximiserefusal.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

namespace {

// xdg_toplevel.unset_maximized: the requests' number in the order xdg-shell
// declares them.
constexpr uint32_t UnsetMaximized = 10;

void withdrawAtCompositor(QWindow *window)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (auto *toplevel =
            native ? static_cast<wl_proxy *>(native->nativeResourceForWindow("xdg_toplevel", window)) : nullptr)
        wl_proxy_marshal_flags(toplevel, UnsetMaximized, nullptr, wl_proxy_get_version(toplevel), 0);
}

} // namespace

MaximiseRefusal::MaximiseRefusal(QWidget *window)
    : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool MaximiseRefusal::eventFilter(QObject *watched, QEvent *event)
{
    // The native window, made anew should the flags change, exists once the
    // window is shown; its states change without the widget hearing of it.
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::Show)
        connect(m_window->windowHandle(), &QWindow::windowStateChanged, this, &MaximiseRefusal::refuse,
                Qt::UniqueConnection);
    // Some window managers (weston's for X11) stretch a window without
    // telling it that it was maximised.
    else if (event->type() == QEvent::Resize && m_window->minimumSize() == m_window->maximumSize()
             && m_window->size() != m_window->minimumSize())
        m_window->resize(m_window->minimumSize());
    return false;
}

void MaximiseRefusal::refuse(Qt::WindowState state)
{
    if (state != Qt::WindowMaximized)
        return;
    QWindow *window = m_window->windowHandle();
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        withdrawAtCompositor(window);
    window->setWindowStates(window->windowStates() & ~Qt::WindowMaximized);
}

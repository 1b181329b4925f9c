// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/platformchoice.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>
#include <optional>

#include <wayland-client.h>

namespace {

void announced(void *decorates, wl_registry *, uint32_t, const char *interface, uint32_t)
{
    if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
        *static_cast<bool *>(decorates) = true;
}

void withdrawn(void *, wl_registry *, uint32_t) {}

// Whether the session's compositor draws title bars itself; nothing when it
// does not answer.
std::optional<bool> compositorDecorates()
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return std::nullopt;
    bool decorates = false;
    wl_registry *registry = wl_display_get_registry(display);
    static const wl_registry_listener listener{announced, withdrawn};
    wl_registry_add_listener(registry, &listener, &decorates);
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered ? std::optional(decorates) : std::nullopt;
}

} // namespace

namespace PlatformChoice {

void choose()
{
    const bool waylandSession =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    // A connection handed down in WAYLAND_SOCKET can be taken only once: it
    // is Qt's.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !waylandSession || qEnvironmentVariableIsEmpty("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
        return;
    // Wayland still, should the X server not answer.
    if (compositorDecorates() == false)
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

} // namespace PlatformChoice

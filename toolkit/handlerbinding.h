// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/application.h"

#include <functional>
#include <type_traits>
#include <utility>

// Binds a handler to a control's event: `handler` is a method of `receiver`
// or any callable, taking the signal's arguments or none. It runs under the
// application's guard, so a failure in it is reported in the error box
// without unwinding through the control's own code.
template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection bindHandler(Sender *sender, Signal signal, Receiver *receiver, Handler handler)
{
    return QObject::connect(sender, signal, receiver, [receiver, handler](const auto &...args) {
        Application::guarded([&] {
            if constexpr (std::is_member_function_pointer_v<Handler>) {
                if constexpr (std::is_invocable_v<const Handler &, Receiver *, decltype(args)...>)
                    std::invoke(handler, receiver, args...);
                else
                    std::invoke(handler, receiver);
            } else if constexpr (std::is_invocable_v<const Handler &, decltype(args)...>) {
                std::invoke(handler, args...);
            } else {
                std::invoke(handler);
            }
        });
    });
}

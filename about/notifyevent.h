// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QObject;

// An event handler called with the component that raised the event; it
// counts as set when it holds a callable.
using TNotifyEvent = std::function<void(QObject *sender)>;

#pragma once

#include <functional>

class QObject;

// An event handler called with the component that raised the event; it
// counts as set when it holds a callable.
using TNotifyEvent = std::function<void(QObject *sender)>;

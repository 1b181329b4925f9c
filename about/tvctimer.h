// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class TvcTimerThread;

// An event handler called with the component that raised the event; it
// counts as set when it holds a callable.
using TNotifyEvent = std::function<void(QObject *sender)>;

// The seven priorities a timer's worker can run at, lowest first.
enum TThreadPriority : std::uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// An interval timer whose interval is measured on a worker thread of its own,
// at a priority of the user's choosing, while its handler always runs on the
// GUI thread: the worker sleeps, hands the tick over and waits until the GUI
// thread has run it, so ticks never pile up behind a busy GUI.
//
// The worker runs from construction to destruction. Any effective change of
// a property pauses it; it runs again only while Interval is not 0, Enabled
// is true and OnTimer is set. The owner (QObject parent) destroys it.
class TvcTimer : public QObject
{
    Q_OBJECT

public:
    explicit TvcTimer(QObject *owner = nullptr);
    ~TvcTimer() override;

    TThreadPriority Priority() const { return FPriority; }
    void setPriority(TThreadPriority priority);

    bool Enabled() const { return FEnabled; }
    void setEnabled(bool enabled);

    // The endless wait: a sleep of this length never ends.
    static constexpr std::uint32_t Infinite = 0xFFFFFFFFu;

    // Milliseconds; 0 means no ticks, Infinite the endless wait.
    std::uint32_t Interval() const { return FInterval; }
    void setInterval(std::uint32_t interval);

    const TNotifyEvent &OnTimer() const { return FOnTimer; }
    // Always reconciles the worker, even for the handler already set.
    void setOnTimer(TNotifyEvent handler);

    TvcTimerThread *Worker() const { return FWorker.get(); }

    // Runs on the GUI thread at each tick: calls OnTimer, if set, with this
    // timer as sender. An exception it raises ends the worker.
    virtual void FireTick();

private:
    void ReconcileWorker();

    TThreadPriority FPriority = tpNormal;
    std::unique_ptr<TvcTimerThread> FWorker;
    bool FEnabled = true;
    std::uint32_t FInterval = 1000;
    TNotifyEvent FOnTimer;
};

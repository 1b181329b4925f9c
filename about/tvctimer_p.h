// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Private to TvcTimer: the worker and the timer reach into each other, and
// nothing outside the timer's own files (and its autotests) includes this.

#include "about/tvctimer.h"

#include <QObject>
#include <QSocketNotifier>

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>

// The worker of a TvcTimer: sleeps for the timer's interval, then hands the
// tick to the GUI thread and waits until the timer's FireTick has run there.
//
// Linux cannot suspend a thread from outside, so a pause is a flag the worker
// waits on before each sleep; a pause also cuts the sleep in progress short,
// and once let run again the worker takes up the priority asked for and
// starts a fresh sleep. Its own priority is the worker's to set: the GUI
// thread only stores it, so no call from the GUI thread waits for a worker
// that runs at idle priority on a busy machine. The one wait is the join at
// destruction.
//
// The object itself lives on the GUI thread. The worker hands a tick over by
// making an eventfd readable, which the GUI thread's event loop notices: no
// memory is allocated for it, and destroying the object also discards a
// hand-off that is still waiting.
class TvcTimerThread : public QObject
{
public:
    // Starts the thread at once, running at `priority`.
    TvcTimerThread(TvcTimer *timer, std::uint32_t interval, TThreadPriority priority);
    // Wakes the thread with Stopping set and joins it.
    ~TvcTimerThread() override;

    // GUI thread only.
    void Suspend();
    void Resume(std::uint32_t interval, TThreadPriority priority);
    void SetStopping();

    bool Suspended() const;
    // The thread has returned: a handler raised, or Stopping.
    bool Ended() const;
    // What a handler raised, carried back to the worker, which ended on it.
    std::exception_ptr FatalException() const;

private:
    void WorkerLoop();
    void ServeHandOff();

    TvcTimer *const OwnerTimer;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    // Guarded by m_mutex.
    std::uint32_t m_interval;
    TThreadPriority m_priority;
    bool Stopping = false;
    bool m_suspended = false;
    // Set by a pause; the worker then drops its sleep and, once let run, sets
    // its priority before the next one. Set at first for the priority at start.
    bool m_restart = true;
    // A tick has been handed over and the worker waits until it is served.
    bool m_tickWaiting = false;
    bool m_ended = false;
    std::exception_ptr m_fatal;

    const int m_handOffFd;
    QSocketNotifier m_handOff;

    // Last, so that everything above is in place before the thread runs.
    std::thread m_thread;
};

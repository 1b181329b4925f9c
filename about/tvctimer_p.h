// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Private to TvcTimer: the worker and the timer reach into each other, and
// nothing outside the timer's own files (and its autotests) includes this.

#include "about/threadpriority.h"

#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>

#include <sys/types.h>

class QEvent;
class TvcTimer;

// The worker of a TvcTimer: sleeps for the timer's interval, then hands the
// tick to the GUI thread and waits there until the timer's FireTick has run.
//
// Linux cannot suspend a thread from outside, so a pause is a flag the worker
// waits on before each sleep and each hand-off; setting it also cuts a sleep
// short, and a resume starts a fresh sleep at the interval then current.
// Everything the two threads share sits behind one std::mutex, which keeps
// every happens-before visible to ThreadSanitizer.
//
// The GUI thread sets the worker's priority as it resumes it. Without
// privilege a thread that has once gone lower may never climb back, so when
// a change asks for more than the worker's OS thread can reach, that thread
// is retired and a fresh one, which starts where the GUI thread runs, takes
// over the same object and its state.
//
// The object itself lives on the GUI thread: the hand-off is an event posted
// to it, so destroying it also discards a hand-off still in the queue.
class TvcTimerThread : public QObject
{
public:
    // Starts the thread at once, running.
    TvcTimerThread(TvcTimer *timer, std::uint32_t interval, TThreadPriority priority);
    // Wakes the thread with Stopping set and joins it.
    ~TvcTimerThread() override;

    // GUI thread only.
    void Suspend();
    void Resume(std::uint32_t interval, TThreadPriority priority);
    void SetStopping();

    bool Suspended() const;
    // The thread function has returned: the handler raised, or Stopping.
    bool Ended() const;
    // What the last hand-off's handler raised, carried back to the worker.
    std::exception_ptr FatalException() const;

    // For the autotests, which cannot see a pause that ended in a resume, or
    // a tick queued for the GUI thread, any other way without timing it.
    // How often the worker was let run again after a pause.
    std::uint64_t ResumeCount() const;
    // A tick has been posted and waits for the GUI thread.
    bool HandOffWaiting() const;

protected:
    void customEvent(QEvent *event) override;

private:
    // GUI thread only: joins the running OS thread and starts a fresh one.
    void ReplaceThread();
    void ThreadMain();
    void WorkerLoop();
    // Posts the tick and blocks until the GUI thread has served it; rethrows
    // the handler's exception.
    void HandOff(std::unique_lock<std::mutex> &lock);
    void ServeHandOff();

    TvcTimer *const OwnerTimer;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    // Guarded by m_mutex.
    std::uint32_t m_interval;
    TThreadPriority m_priority;
    TThreadPriority m_appliedPriority;
    // The kernel's id of the running OS thread; 0 before it starts and
    // after it returns.
    pid_t m_tid = 0;
    bool Stopping = false;
    // The OS thread is asked to return so that a fresh one takes over.
    bool m_retiring = false;
    // Once in the endless wait, a fresh thread goes on with it.
    bool m_endless = false;
    // The GUI thread is running a tick that the OS thread waits for. That
    // thread must live to take the tick's outcome (an exception ends it), so
    // a replacement asked for meanwhile waits until the tick is done.
    bool m_serving = false;
    bool m_replacePending = false;
    bool m_suspended = false;
    bool m_ended = false;
    std::uint64_t m_resumes = 0;
    bool m_handOffWaiting = false;
    bool m_handOffServed = false;
    std::exception_ptr m_handOffError;
    std::exception_ptr m_fatal;
    // Made on the GUI thread, posted by the worker, deleted by Qt.
    QEvent *m_nextEvent;

    // Last, so that everything above is in place before the thread runs.
    std::thread m_thread;
};

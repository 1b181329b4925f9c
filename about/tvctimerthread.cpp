// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/tvctimer_p.h"

#include "about/tvctimer.h"

#include <QPointer>

#include <algorithm>
#include <chrono>

#include <pthread.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Nice offsets from the process's own value, lowest priority first: wide
// steps so that the levels are felt under CFS, the extremes at its limits.
constexpr int NiceOffset[] = {19, 10, 5, 0, -5, -10, -20};

// Puts the calling thread at `priority`: tpIdle under SCHED_IDLE, the others
// under SCHED_OTHER. An ordinary user's thread may always go lower but rise
// only as far as RLIMIT_NICE lets it (for most users not at all), and leave
// SCHED_IDLE only within that limit; where Linux refuses, the thread keeps
// the nearest level it allows.
void applyOwnPriority(TThreadPriority priority)
{
    // With PRIO_PROCESS, Linux takes the id of a thread: 0 is this one, the
    // process's id its main thread.
    const int wanted = std::clamp(getpriority(PRIO_PROCESS, getpid()) + NiceOffset[priority], -20, 19);
    // The nice value first: leaving SCHED_IDLE needs one the limit allows.
    if (setpriority(PRIO_PROCESS, 0, wanted) != 0) {
        rlimit limit{};
        int floor = -20;
        if (getrlimit(RLIMIT_NICE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
            floor = 20 - static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 40));
        setpriority(PRIO_PROCESS, 0, std::max(wanted, std::min(getpriority(PRIO_PROCESS, 0), floor)));
    }
    const sched_param param{};
    sched_setscheduler(0, priority == tpIdle ? SCHED_IDLE : SCHED_OTHER, &param);
}

} // namespace

TvcTimerThread::TvcTimerThread(TvcTimer *timer, std::uint32_t interval, TThreadPriority priority)
    : OwnerTimer(timer)
    , m_interval(interval)
    , m_priority(priority)
    , m_handOffFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    , m_handOff(m_handOffFd, QSocketNotifier::Read)
    , m_thread([this] { WorkerLoop(); })
{
    connect(&m_handOff, &QSocketNotifier::activated, this, &TvcTimerThread::ServeHandOff);
}

TvcTimerThread::~TvcTimerThread()
{
    SetStopping();
    m_thread.join();
    // A hand-off still waiting goes with the notifier.
    m_handOff.setEnabled(false);
    close(m_handOffFd);
}

void TvcTimerThread::Suspend()
{
    std::lock_guard lock(m_mutex);
    m_suspended = true;
    m_restart = true;
    m_wake.notify_one();
}

void TvcTimerThread::Resume(std::uint32_t interval, TThreadPriority priority)
{
    std::lock_guard lock(m_mutex);
    m_interval = interval;
    m_priority = priority;
    m_suspended = false;
    m_wake.notify_one();
}

void TvcTimerThread::SetStopping()
{
    std::lock_guard lock(m_mutex);
    Stopping = true;
    m_wake.notify_one();
}

bool TvcTimerThread::Suspended() const
{
    std::lock_guard lock(m_mutex);
    return m_suspended;
}

bool TvcTimerThread::Ended() const
{
    std::lock_guard lock(m_mutex);
    return m_ended;
}

std::exception_ptr TvcTimerThread::FatalException() const
{
    std::lock_guard lock(m_mutex);
    return m_fatal;
}

void TvcTimerThread::WorkerLoop()
{
    // Named so that top, gdb and the autotests can tell it apart.
    pthread_setname_np(pthread_self(), "vcTimer");
    std::unique_lock lock(m_mutex);
    while (!Stopping && !m_fatal) {
        if (m_suspended) {
            m_wake.wait(lock, [this] { return Stopping || !m_suspended; });
        } else if (m_restart) {
            m_restart = false;
            const TThreadPriority priority = m_priority;
            // Not under the lock: a thread going down to idle priority may
            // not run again soon, and the GUI thread must never wait for it.
            lock.unlock();
            applyOwnPriority(priority);
            lock.lock();
        } else if (m_interval == TvcTimer::Infinite) {
            // The endless wait: no later change ends it, only destruction.
            m_wake.wait(lock, [this] { return Stopping; });
        } else if (!m_wake.wait_for(lock, std::chrono::milliseconds(m_interval),
                                    [this] { return Stopping || m_restart; })) {
            m_tickWaiting = true;
            // Not under the lock either: the GUI thread it wakes takes it.
            lock.unlock();
            const std::uint64_t one = 1;
            [[maybe_unused]] const auto written = write(m_handOffFd, &one, sizeof one);
            lock.lock();
            m_wake.wait(lock, [this] { return Stopping || !m_tickWaiting; });
        }
    }
    m_ended = true;
}

void TvcTimerThread::ServeHandOff()
{
    std::uint64_t count;
    [[maybe_unused]] const auto read = ::read(m_handOffFd, &count, sizeof count);
    {
        std::lock_guard lock(m_mutex);
        if (Stopping || !m_tickWaiting)
            return;
        if (m_suspended) {
            // Paused since it was handed over: the tick is dropped, not kept
            // for later, so that a pause silences the timer at once.
            m_tickWaiting = false;
            m_wake.notify_one();
            return;
        }
    }
    std::exception_ptr raised;
    // The handler may destroy its own timer, and this object with it.
    const QPointer<TvcTimerThread> alive(this);
    try {
        OwnerTimer->FireTick();
    } catch (...) {
        raised = std::current_exception();
    }
    if (!alive)
        return;
    std::lock_guard lock(m_mutex);
    m_tickWaiting = false;
    m_fatal = raised;
    m_wake.notify_one();
}

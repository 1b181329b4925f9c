// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/tvctimer_p.h"

#include "about/tvctimer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <utility>

#include <pthread.h>
#include <unistd.h>

namespace {

const QEvent::Type HandOffEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

TvcTimerThread::TvcTimerThread(TvcTimer *timer, std::uint32_t interval, TThreadPriority priority)
    : OwnerTimer(timer)
    , m_interval(interval)
    , m_priority(priority)
    , m_appliedPriority(priority)
    , m_nextEvent(new QEvent(HandOffEvent))
    , m_thread([this] { ThreadMain(); })
{
}

TvcTimerThread::~TvcTimerThread()
{
    SetStopping();
    if (m_thread.joinable())
        m_thread.join();
    delete m_nextEvent;
    // ~QObject then drops a hand-off still queued for this object.
}

void TvcTimerThread::Suspend()
{
    {
        std::lock_guard lock(m_mutex);
        m_suspended = true;
    }
    m_wake.notify_all();
}

void TvcTimerThread::Resume(std::uint32_t interval, TThreadPriority priority)
{
    std::unique_lock lock(m_mutex);
    // An ended thread cannot run again; leave it be rather than retry.
    if (m_ended)
        return;
    m_interval = interval;
    m_priority = priority;
    // A thread that has not started yet takes the priority up itself.
    if (priority != m_appliedPriority && m_tid != 0) {
        m_appliedPriority = priority;
        if (!applyThreadPriority(m_tid, priority) && runsBelowCaller(m_tid))
            m_replacePending = true;
    }
    if (m_replacePending && !m_serving && !Stopping) {
        lock.unlock();
        ReplaceThread();
        lock.lock();
        // The old thread may have ended on its way out, re-raising what the
        // handler of its last hand-off raised.
        if (m_ended)
            return;
    }
    m_suspended = false;
    ++m_resumes;
    lock.unlock();
    m_wake.notify_all();
}

void TvcTimerThread::ReplaceThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_replacePending = false;
        m_retiring = true;
    }
    m_wake.notify_all();
    m_thread.join();
    // A hand-off the old thread posted and gave up on must not serve the
    // fresh one; the event goes with it.
    QCoreApplication::removePostedEvents(this, HandOffEvent);
    std::lock_guard lock(m_mutex);
    m_retiring = false;
    if (!m_nextEvent)
        m_nextEvent = new QEvent(HandOffEvent);
    if (!m_ended)
        m_thread = std::thread([this] { ThreadMain(); });
}

void TvcTimerThread::SetStopping()
{
    {
        std::lock_guard lock(m_mutex);
        Stopping = true;
    }
    m_wake.notify_all();
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

std::uint64_t TvcTimerThread::ResumeCount() const
{
    std::lock_guard lock(m_mutex);
    return m_resumes;
}

bool TvcTimerThread::HandOffWaiting() const
{
    std::lock_guard lock(m_mutex);
    return m_handOffWaiting && !m_handOffServed;
}

void TvcTimerThread::ThreadMain()
{
    // Named so that top, gdb and the autotests can tell it apart.
    pthread_setname_np(pthread_self(), "vcTimer");
    {
        // Under the lock, so that a change from the GUI thread comes wholly
        // before or after this one.
        std::lock_guard lock(m_mutex);
        m_tid = gettid();
        applyThreadPriority(m_tid, m_priority);
        m_appliedPriority = m_priority;
    }
    bool raised = false;
    try {
        WorkerLoop();
    } catch (...) {
        // The handler raised: the thread ends, as a thread whose body throws
        // would, and the exception is kept for whoever wants to look.
        std::lock_guard lock(m_mutex);
        m_fatal = std::current_exception();
        raised = true;
    }
    std::lock_guard lock(m_mutex);
    m_tid = 0;
    // A retired thread hands the worker on; it has not ended.
    if (raised || !m_retiring)
        m_ended = true;
}

void TvcTimerThread::WorkerLoop()
{
    using namespace std::chrono;
    std::unique_lock lock(m_mutex);
    const auto leaving = [this] { return Stopping || m_retiring; };
    while (!leaving()) {
        m_wake.wait(lock, [&] { return leaving() || !m_suspended; });
        if (leaving())
            break;

        const std::uint32_t interval = m_endless ? TvcTimer::Infinite : m_interval;
        const std::uint64_t resumes = m_resumes;
        // A pause, or a pause and resume together, cuts the sleep short; the
        // loop then starts a fresh one at the interval current by then.
        const auto interrupted = [&, resumes] { return leaving() || m_suspended || m_resumes != resumes; };
        if (interval == TvcTimer::Infinite) {
            // The endless wait: no change of the interval ends it.
            m_endless = true;
            m_wake.wait(lock, leaving);
            break;
        }
        if (interval == 0) {
            // No ticks, and no busy loop either.
            m_wake.wait(lock, interrupted);
            continue;
        }
        if (m_wake.wait_until(lock, steady_clock::now() + milliseconds(interval), interrupted))
            continue;
        HandOff(lock);
    }
}

void TvcTimerThread::HandOff(std::unique_lock<std::mutex> &lock)
{
    m_handOffWaiting = true;
    m_handOffServed = false;
    m_handOffError = nullptr;
    QEvent *event = std::exchange(m_nextEvent, nullptr);
    lock.unlock();
    QCoreApplication::postEvent(this, event, Qt::HighEventPriority);
    lock.lock();
    m_wake.wait(lock, [this] { return Stopping || m_retiring || m_handOffServed; });
    m_handOffWaiting = false;
    if (m_handOffError)
        std::rethrow_exception(std::exchange(m_handOffError, nullptr));
}

void TvcTimerThread::ServeHandOff()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_handOffWaiting || m_handOffServed || Stopping)
            return;
        // The worker's next hand-off event is made here, before it is let
        // go: an event made on the worker would be read by the GUI thread
        // through Qt's queue, whose locking ThreadSanitizer cannot see.
        if (!m_nextEvent)
            m_nextEvent = new QEvent(HandOffEvent);
        if (m_suspended) {
            // Paused after the worker posted: the tick is dropped, not kept
            // for later, so that a pause silences the timer at once.
            m_handOffServed = true;
            m_wake.notify_all();
            return;
        }
        m_serving = true;
    }
    std::exception_ptr error;
    // The handler may destroy its own timer, and this object with it.
    const QPointer<TvcTimerThread> alive(this);
    try {
        OwnerTimer->FireTick();
    } catch (...) {
        error = std::current_exception();
    }
    if (!alive)
        return;
    bool replace;
    {
        std::lock_guard lock(m_mutex);
        m_serving = false;
        m_handOffServed = true;
        m_handOffError = error;
        // A replacement the handler asked for; not for a thread that its
        // exception is about to end.
        replace = m_replacePending && !error && !Stopping;
    }
    m_wake.notify_all();
    if (replace)
        ReplaceThread();
}

void TvcTimerThread::customEvent(QEvent *)
{
    // The hand-off is the only custom event this object ever gets; what it
    // carries sits behind m_mutex, not in the event.
    ServeHandOff();
}

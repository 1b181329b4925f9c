// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/intervaltimer.h"

#include <QSocketNotifier>

#include <cstdint>

#include <sys/timerfd.h>
#include <unistd.h>

IntervalTimer::IntervalTimer(QObject *parent)
    : QObject(parent)
{
}

IntervalTimer::~IntervalTimer()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void IntervalTimer::setInterval(int milliseconds)
{
    m_interval = milliseconds;
    if (m_active)
        start();
}

bool IntervalTimer::arm(int milliseconds)
{
    itimerspec period{};
    period.it_interval.tv_sec = milliseconds / 1000;
    period.it_interval.tv_nsec = long(milliseconds % 1000) * 1000000L;
    period.it_value = period.it_interval;
    return ::timerfd_settime(m_fd, 0, &period, nullptr) == 0;
}

bool IntervalTimer::start()
{
    if (m_interval <= 0)
        return false;
    if (m_fd < 0) {
        m_fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (m_fd < 0)
            return false;
        m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &IntervalTimer::expired);
    }
    if (!arm(m_interval))
        return false;
    // Drop an expiry of the previous run that the loop has not read yet.
    uint64_t stale = 0;
    [[maybe_unused]] const ssize_t ignored = ::read(m_fd, &stale, sizeof stale);
    m_notifier->setEnabled(true);
    m_active = true;
    return true;
}

void IntervalTimer::stop()
{
    if (!m_active)
        return;
    m_active = false;
    arm(0);
    m_notifier->setEnabled(false);
}

void IntervalTimer::expired()
{
    uint64_t expiries = 0;
    if (::read(m_fd, &expiries, sizeof expiries) != ssize_t(sizeof expiries) || !m_active)
        return;
    emit timeout();
}

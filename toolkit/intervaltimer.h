// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QSocketNotifier;

// A GUI-thread interval timer with sub-millisecond precision. Qt's timers
// keep millisecond resolution at best, which lets a period stray by a whole
// millisecond; this one lets the kernel keep the period (a timerfd with a
// fixed interval) and delivers its expiries through the event loop, so a
// tick never overlaps another event. Expiries that pile up while the loop
// is busy are delivered as one tick, as Qt's timers do.
class IntervalTimer : public QObject
{
    Q_OBJECT

public:
    explicit IntervalTimer(QObject *parent = nullptr);
    ~IntervalTimer() override;

    void setInterval(int milliseconds);
    int interval() const { return m_interval; }

    // Starts a fresh interval from now. Returns false when the system has
    // no timer to give.
    bool start();
    void stop();
    bool isActive() const { return m_active; }

signals:
    void timeout();

private:
    void expired();
    bool arm(int milliseconds);

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    int m_interval = 0;
    bool m_active = false;
};

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/tvctimer.h"

#include "about/tvctimer_p.h"

#include <QCoreApplication>

#include <utility>

TvcTimer::TvcTimer(QObject *owner)
    : QObject(owner)
{
    FWorker = std::make_unique<TvcTimerThread>(this, FInterval, FPriority);
    // Once the event loop has ended nobody serves a hand-off any more; let
    // the worker stop waiting for one so that shutdown never hangs on it.
    if (QCoreApplication *app = QCoreApplication::instance()) {
        connect(app, &QCoreApplication::aboutToQuit, this, [this] {
            FWorker->SetStopping();
        });
    }
}

TvcTimer::~TvcTimer()
{
    FEnabled = false;
    ReconcileWorker();
    FWorker->SetStopping();
    // Joins the thread and discards a hand-off still queued, so no tick can
    // reach this timer after it is gone.
    FWorker.reset();
}

void TvcTimer::setPriority(TThreadPriority priority)
{
    if (priority == FPriority)
        return;
    FPriority = priority;
    ReconcileWorker();
}

void TvcTimer::setEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    ReconcileWorker();
}

void TvcTimer::setInterval(std::uint32_t interval)
{
    if (interval == FInterval)
        return;
    FInterval = interval;
    ReconcileWorker();
}

void TvcTimer::setOnTimer(TNotifyEvent handler)
{
    FOnTimer = std::move(handler);
    ReconcileWorker();
}

void TvcTimer::FireTick()
{
    if (FOnTimer)
        FOnTimer(this);
}

void TvcTimer::ReconcileWorker()
{
    FWorker->Suspend();
    if (FInterval != 0 && FEnabled && FOnTimer)
        FWorker->Resume(FInterval, FPriority);
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/threadpriority.h"

#include <algorithm>
#include <cerrno>

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Nice offsets from the process's base; wide steps so that the levels are
// felt under the CFS scheduler, the extremes pinned to its limits.
int niceOffset(TThreadPriority priority)
{
    switch (priority) {
    case tpIdle: return 19;
    case tpLowest: return 10;
    case tpLower: return 5;
    case tpNormal: return 0;
    case tpHigher: return -5;
    case tpHighest: return -10;
    case tpTimeCritical: return -20;
    }
    return 0;
}

// Lowest nice value this thread may set without privilege.
int niceFloor()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -20;
    return std::clamp(20 - static_cast<int>(limit.rlim_cur), -20, 19);
}

int niceOf(pid_t tid, int fallback)
{
    // getpriority can legitimately return -1, so errno tells a failure apart.
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
    return errno == 0 ? nice : fallback;
}

bool setNice(pid_t tid, int nice)
{
    return setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) == 0;
}

bool isIdle(pid_t tid)
{
    const int policy = sched_getscheduler(tid);
    return policy >= 0 && (policy & ~SCHED_RESET_ON_FORK) == SCHED_IDLE;
}

} // namespace

bool applyThreadPriority(pid_t tid, TThreadPriority priority)
{
    const int base = niceOf(getpid(), 0);
    const int wanted = std::clamp(base + niceOffset(priority), -20, 19);
    int current = niceOf(tid, base);

    // The nice value goes first: leaving SCHED_IDLE is allowed only at a nice
    // value the limit permits, which a lowering makes no harder to meet.
    if (wanted != current) {
        if (setNice(tid, wanted)) {
            current = wanted;
        } else {
            // A thread may always go lower, and higher only down to the
            // limit's floor, so the nearest allowed value lies between the two.
            const int nearest = std::max(wanted, std::min(current, niceFloor()));
            if (nearest != current && setNice(tid, nearest))
                current = nearest;
        }
    }

    const sched_param param{};
    const bool policySet = sched_setscheduler(tid, priority == tpIdle ? SCHED_IDLE : SCHED_OTHER, &param) == 0;
    return policySet && current == wanted;
}

bool runsBelowCaller(pid_t tid)
{
    const pid_t self = gettid();
    return niceOf(tid, 0) > niceOf(self, 0) || (isIdle(tid) && !isIdle(self));
}

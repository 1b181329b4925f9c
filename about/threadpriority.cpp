#include "about/threadpriority.h"

#include <algorithm>
#include <cerrno>

#include <pthread.h>
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

bool setNice(pid_t tid, int nice)
{
    return setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) == 0;
}

} // namespace

int applyThreadPriority(TThreadPriority priority)
{
    const pid_t tid = gettid();
    // getpriority can legitimately return -1, so errno tells a failure apart.
    errno = 0;
    int base = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
    if (errno != 0)
        base = 0;

    sched_param param{};
    pthread_setschedparam(pthread_self(), priority == tpIdle ? SCHED_IDLE : SCHED_OTHER, &param);

    errno = 0;
    int current = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
    if (errno != 0)
        current = base;

    const int wanted = std::clamp(base + niceOffset(priority), -20, 19);
    if (wanted != current && !setNice(tid, wanted)) {
        // Refused: a thread may always go lower, and higher only down to the
        // limit's floor, so the nearest allowed value lies between the two.
        const int nearest = std::max(wanted, std::min(current, niceFloor()));
        if (nearest != current && setNice(tid, nearest))
            current = nearest;
        return current;
    }
    return wanted;
}

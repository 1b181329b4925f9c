#pragma once

#include <cstdint>

// The seven priorities a timer's worker can run at, lowest first.
enum TThreadPriority : std::uint8_t {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical,
};

// Puts the calling thread at `priority`, relative to the process's own nice
// value: tpIdle runs under SCHED_IDLE, the others at a nice offset. Linux
// lets an unprivileged thread lower itself but not raise itself past its
// RLIMIT_NICE, so a refused raise settles on the nearest value allowed,
// silently. Returns the nice value the thread ended up with.
int applyThreadPriority(TThreadPriority priority);

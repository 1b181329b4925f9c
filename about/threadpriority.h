// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include <sys/types.h>

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

// Puts thread `tid` of this process at `priority`, relative to the process's
// own nice value: tpIdle runs under SCHED_IDLE, the others at a nice offset
// under SCHED_OTHER. Where the system refuses the level, the thread settles
// on the nearest one it allows. Returns whether it got the level asked for.
//
// Linux lets an unprivileged thread lower itself but not raise itself past
// its RLIMIT_NICE (for most users: not at all), nor leave SCHED_IDLE outside
// that limit, so a lowered thread may be unable to come back.
bool applyThreadPriority(pid_t tid, TThreadPriority priority);

// Whether thread `tid` runs below where a thread the caller creates now would
// start (threads inherit their creator's nice value and policy): such a
// thread may be stuck where a fresh one could still reach a level.
bool runsBelowCaller(pid_t tid);

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Thwackle developers
# SPDX-License-Identifier: GPL-3.0-or-later
# CPU the whole game uses over 10 s in its Ready state, with the hidden About
# box's credits ticking, as a percentage of one core.
# Usage: bench/about/idle_cpu.sh [BUILD_DIR]   (default: build)
set -euo pipefail

build=${1:-${BUILD:-build}}
binary=$build/app/thwackle
seconds=10

if [[ ! -x $binary ]]; then
    echo "idle_cpu: $binary not found; build the app target first" >&2
    exit 1
fi

QT_QPA_PLATFORM=offscreen "$binary" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

# Fields 14 and 15 of /proc/<pid>/stat: user and system time in clock ticks.
# The command name in field 2 may hold spaces, so count after its ')'.
ticks() {
    local stat
    stat=$(<"/proc/$pid/stat")
    stat=${stat##*) }
    read -r -a fields <<<"$stat"
    echo $((fields[11] + fields[12]))
}

# Let start-up settle, so that it is not counted as idle time.
sleep 1
kill -0 "$pid" 2>/dev/null || { echo "idle_cpu: $binary exited early" >&2; exit 1; }
start=$(ticks)
start_ns=$(date +%s%N)
sleep "$seconds"
end=$(ticks)
end_ns=$(date +%s%N)

hz=$(getconf CLK_TCK)
awk -v t=$((end - start)) -v hz="$hz" -v ns=$((end_ns - start_ns)) \
    'BEGIN { printf "idle CPU over %.1f s in Ready: %.2f %% of one core\n", ns / 1e9, 100 * (t / hz) / (ns / 1e9) }'

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/application.h"

#include <benchmark/benchmark.h>

// A Google Benchmark main on the program's own application object.
inline int runBenchmarks(int argc, char *argv[])
{
    Application app("thwackle-bench");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app.destroyForms();
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Decoding the play-area and scoreboard pictures, and their double-size
// variants for high-density screens.

#include "resources/assets.h"
#include "toolkit/application.h"
#include "toolkit/jpegdecoder.h"

#include "benchmain.h"

#include <benchmark/benchmark.h>

namespace {

void decode(benchmark::State &state, const char *path)
{
    const QByteArray data = Assets::layoutData(QLatin1String(path));
    for (auto _ : state)
        benchmark::DoNotOptimize(Jpeg::decode(data));
}
BENCHMARK_CAPTURE(decode, PlayArea, "ShootForm/Image2")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(decode, Scoreboard, "ShootForm/Image1")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(decode, PlayArea2x, "ShootForm/Image2@2x")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(decode, Scoreboard2x, "ShootForm/Image1@2x")->Unit(benchmark::kMicrosecond);

void readSize(benchmark::State &state)
{
    const QByteArray data = Assets::layoutData(QStringLiteral("ShootForm/Image1"));
    for (auto _ : state)
        benchmark::DoNotOptimize(Jpeg::readSize(data));
}
BENCHMARK(readSize)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    return runBenchmarks(argc, argv);
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One game tick and one strike, as the GUI thread runs them.

#include "game/shootform.h"
#include "game/spottable.h"
#include "toolkit/application.h"
#include "toolkit/intervaltimer.h"

#include <QAction>

#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <limits>

namespace {

TShootForm *startedGame()
{
    static TShootForm *form = nullptr;
    if (!form) {
        Application::instance()->createForm(form);
        form->show();
        form->GameLength = std::numeric_limits<int32_t>::max();
        form->SpawnRange = 8; // a target tried on every tick: the busiest game
        form->New1->trigger();
        form->Timer1->stop(); // the benchmark ticks by itself
    }
    return form;
}

void Timer1Timer(benchmark::State &state)
{
    TShootForm *form = startedGame();
    for (auto _ : state)
        form->Timer1Timer();
}
BENCHMARK(Timer1Timer);

void Image2MouseDownStrike(benchmark::State &state)
{
    TShootForm *form = startedGame();
    const QPoint at = SpotTable[3] + QPoint(30, 30);
    for (auto _ : state) {
        form->TargetSlots[3] = {form->TickCount + 15, false};
        form->Image2MouseDown(form, Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
    }
}
BENCHMARK(Image2MouseDownStrike);

void Image2MouseDownMiss(benchmark::State &state)
{
    TShootForm *form = startedGame();
    for (auto _ : state)
        form->Image2MouseDown(form, Qt::LeftButton, Qt::NoModifier, 150, 270);
}
BENCHMARK(Image2MouseDownMiss);

void TickWithRepaint(benchmark::State &state)
{
    // The tick and the repaint it asks for, as the event loop runs them.
    TShootForm *form = startedGame();
    for (auto _ : state) {
        form->Timer1Timer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(TickWithRepaint);

} // namespace

int main(int argc, char *argv[])
{
    return runBenchmarks(argc, argv);
}

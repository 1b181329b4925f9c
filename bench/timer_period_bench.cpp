// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game clock's period, measured over 200 ticks of a running game.

#include "game/shootform.h"
#include "toolkit/application.h"

#include <QAction>
#include "toolkit/intervaltimer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

int main(int, char *[])
{
    Application app("thwackle-bench");
    TShootForm *form = nullptr;
    app.createForm(form);
    form->show();
    form->GameLength = 9999;

    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> ticks;
    const int wanted = 200;
    QObject::connect(form->Timer1, &IntervalTimer::timeout, &app, [&] {
        ticks.push_back(Clock::now());
        if (int(ticks.size()) == wanted + 1)
            app.quit();
    });
    form->New1->trigger();
    app.exec();

    double sum = 0;
    std::vector<double> deviations;
    for (size_t i = 1; i < ticks.size(); ++i) {
        const double period = std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count();
        sum += period;
        deviations.push_back(std::abs(period - 150.0));
    }
    std::sort(deviations.begin(), deviations.end());
    const double mean = sum / double(ticks.size() - 1);
    const auto share = [&](double limit) {
        return 100.0 * double(std::count_if(deviations.begin(), deviations.end(), [limit](double d) { return d > limit; }))
            / double(deviations.size());
    };
    std::printf("Timer1 period over %d ticks: mean %.3f ms (deviation %+.3f ms), median deviation %.3f ms, "
                "99th percentile %.3f ms, worst %.3f ms (target <= 1 ms); over 1 ms: %.1f %% of ticks\n",
                wanted, mean, mean - 150.0, deviations[deviations.size() / 2],
                deviations[deviations.size() * 99 / 100], deviations.back(), share(1.0));
    app.destroyForms();
    return 0;
}

// The game clock's period, measured over 200 ticks of a running game.

#include "game/shootform.h"
#include "toolkit/application.h"

#include <QAction>
#include <QTimer>

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
    QObject::connect(form->Timer1, &QTimer::timeout, &app, [&] {
        ticks.push_back(Clock::now());
        if (int(ticks.size()) == wanted + 1)
            app.quit();
    });
    form->New1->trigger();
    app.exec();

    double sum = 0, worst = 0;
    for (size_t i = 1; i < ticks.size(); ++i) {
        const double period = std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count();
        sum += period;
        worst = std::max(worst, std::abs(period - 150.0));
    }
    const double mean = sum / double(ticks.size() - 1);
    std::printf("Timer1 period over %d ticks: mean %.3f ms (deviation %+.3f ms), worst deviation %.3f ms "
                "(target <= 1 ms)\n",
                wanted, mean, mean - 150.0, worst);
    app.destroyForms();
    return 0;
}

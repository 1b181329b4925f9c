// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up to the main window's first paint, the game against a bare Qt
// window with a menu bar, run alternately in the same session.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

struct Run {
    double milliseconds = 0;
    long peakKiB = 0;
};

bool measure(const QString &program, Run &run)
{
    timespec start{};
    QProcess process;
    process.setProgram(program);
    process.setStandardErrorFile(QProcess::nullDevice());
    clock_gettime(CLOCK_MONOTONIC, &start);
    process.start();
    if (!process.waitForFinished(60000))
        return false;
    long long painted = 0;
    if (std::sscanf(process.readAllStandardOutput().constData(), "painted %lld %ld", &painted, &run.peakKiB) != 2)
        return false;
    run.milliseconds = double(painted - (start.tv_sec * 1000000000LL + start.tv_nsec)) / 1e6;
    return true;
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString dir = QCoreApplication::applicationDirPath();
    const int rounds = 21;
    std::vector<double> gameMs, bareMs;
    std::vector<long> gameKiB, bareKiB;
    for (int round = 0; round < rounds; ++round) {
        Run game, bare;
        if (!measure(dir + QStringLiteral("/startup_probe"), game) || !measure(dir + QStringLiteral("/bare_probe"), bare)) {
            std::fprintf(stderr, "startup_bench: a probe did not report its first paint\n");
            return 1;
        }
        gameMs.push_back(game.milliseconds);
        bareMs.push_back(bare.milliseconds);
        gameKiB.push_back(game.peakKiB);
        bareKiB.push_back(bare.peakKiB);
    }
    const double game = median(gameMs), bare = median(bareMs);
    const long gamePeak = median(gameKiB), barePeak = median(bareKiB);
    std::printf("start-up to first paint (median of %d, platform %s):\n", rounds,
                qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default")).toLocal8Bit().constData());
    std::printf("  Thwackle      %8.1f ms   peak memory %7.1f MiB\n", game, gamePeak / 1024.0);
    std::printf("  bare Qt window%8.1f ms   peak memory %7.1f MiB\n", bare, barePeak / 1024.0);
    std::printf("  ratio %.2fx (target <= 1.3x), extra memory %.1f MiB (target <= 10 MiB)\n", game / bare,
                (gamePeak - barePeak) / 1024.0);
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole program played at random for a hundred thousand events, checking
// after each one that the game still holds together. Each run plays a fresh
// seed; THWACKLE_SEED=<seed> in the environment plays one again.

#include "randomplayer.h"
#include "support/testmain.h"

#include <QRandomGenerator>

class RandomPlayTest : public QObject
{
    Q_OBJECT

private slots:
    void randomPlayHoldsTogether()
    {
        bool given = false;
        uint64_t seed = qEnvironmentVariable("THWACKLE_SEED").toULongLong(&given);
        if (!given)
            seed = QRandomGenerator::system()->generate64();
        qInfo("random play with seed %llu", static_cast<unsigned long long>(seed));
        RandomPlayer player(seed);
        player.play(100000);
        qInfo().noquote() << player.summary();
    }
};

THWACKLE_TEST_MAIN(RandomPlayTest)
#include "randomplay_test.moc"

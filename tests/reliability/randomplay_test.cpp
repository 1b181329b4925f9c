// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole program played at random for a hundred thousand events, checking
// after each one that the game still holds together. Each run plays a fresh
// seed; THWACKLE_SEED=<seed> in the environment plays one again.

#include "randomplayer.h"
#include "support/testmain.h"

#include <QRandomGenerator>

namespace {

QtMessageHandler g_next = nullptr;

// The offscreen platform says so for every menu that pops up; thousands of
// those would crowd out the report of a broken rule.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        g_next(type, context, message);
}

} // namespace

class RandomPlayTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { g_next = qInstallMessageHandler(quietPlatform); }

    void randomPlayHoldsTogether()
    {
        bool given = false;
        uint64_t seed = qEnvironmentVariable("THWACKLE_SEED").toULongLong(&given);
        if (!given)
            seed = QRandomGenerator::system()->generate64();
        qInfo("random play with seed %llu", static_cast<unsigned long long>(seed));
        RandomPlayer(seed).play(100000);
    }
};

THWACKLE_TEST_MAIN(RandomPlayTest)
#include "randomplay_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's rules, ticked by hand: spawning, expiry, strikes and the
// scoreboard.

#include "support/gamefixture.h"
#include "support/testmain.h"

#include <numeric>

namespace {

void tick(TShootForm &form, int times = 1)
{
    for (int i = 0; i < times; ++i)
        form.Timer1Timer();
}

bool layerShowsSprite(TShootForm &form, int spot)
{
    return form.Image2->spriteLayer().pixel(spriteCentre(spot)) != 0;
}

} // namespace

class RulesTest : public QObject
{
    Q_OBJECT

private slots:
    void escapeTimeline_data()
    {
        QTest::addColumn<int>("targetLife");
        QTest::newRow("1") << 1;
        QTest::newRow("15") << 15;
        QTest::newRow("31") << 31;
    }
    void escapeTimeline()
    {
        // Population 0 makes no draw: spot 0 is tried on every tick.
        QFETCH(int, targetLife);
        GameWindow form;
        form->TargetLife = targetLife;
        form->SpawnRange = 0;
        startHandTickedGame(*form);
        const TargetSlot &slot = form->TargetSlots[0];

        tick(*form); // tick 1: the target pops up
        QCOMPARE(slot.ExpiryTick, 1 + targetLife);
        QVERIFY(layerShowsSprite(*form, 0));
        tick(*form, targetLife); // still up, and strikable, through tick 1 + life
        QCOMPARE(form->TickCount, 1 + targetLife);
        QCOMPARE(slot.ExpiryTick, 1 + targetLife);
        QCOMPARE(form->Escaped, 0);

        tick(*form); // gone, escaped, and the spot is not refilled on this tick
        QCOMPARE(slot.ExpiryTick, 0);
        QCOMPARE(form->Escaped, 1);
        QCOMPARE(form->Score, -1);
        QVERIFY(!layerShowsSprite(*form, 0));
        tick(*form);
        QCOMPARE(slot.ExpiryTick, 3 + 2 * targetLife);
        for (int spot = 1; spot < 8; ++spot)
            QCOMPARE(form->TargetSlots[size_t(spot)].ExpiryTick, 0);
    }

    void splashTimeline()
    {
        GameWindow form;
        form->SpawnRange = 0;
        startHandTickedGame(*form);
        tick(*form, 12);
        strike(*form, spriteCentre(0));
        QCOMPARE(form->TargetSlots[0].ExpiryTick, 12 + 2 * 15);
        QVERIFY(form->TargetSlots[0].Hit);
        QCOMPARE(form->Image2->spriteLayer().pixel(spriteCentre(0)), form->DeadBitmap.pixel(38, 28));

        tick(*form, 42 - 12);
        QCOMPARE(form->TargetSlots[0].ExpiryTick, 42);
        tick(*form); // tick 43 wipes the splash, no counter moves
        QCOMPARE(form->TargetSlots[0].ExpiryTick, 0);
        QCOMPARE(scoreboard(*form), QStringLiteral("107 1 0 0 5").split(QLatin1Char(' ')));
        tick(*form); // tick 44: the next target
        QCOMPARE(form->TargetSlots[0].ExpiryTick, 44 + 15);
        QVERIFY(!form->TargetSlots[0].Hit);
    }

    void populationDecidesWhichSpotsAreTried_data()
    {
        QTest::addColumn<int>("spawnRange");
        QTest::addColumn<int>("spotsUsed");
        for (int range = 1; range <= 8; ++range)
            QTest::addRow("%d", range) << range << range;
        QTest::newRow("9") << 9 << 8;
        QTest::newRow("30") << 30 << 8;
        QTest::newRow("35") << 35 << 8;
    }
    void populationDecidesWhichSpotsAreTried()
    {
        QFETCH(int, spawnRange);
        QFETCH(int, spotsUsed);
        GameWindow form;
        form->SpawnRange = spawnRange;
        form->TargetLife = 1;
        form->GameLength = 9999;
        startHandTickedGame(*form);
        SeedRandom(2024);
        std::array<int, 8> spawns{};
        for (int i = 0; i < 2000; ++i) {
            tick(*form);
            for (size_t spot = 0; spot < 8; ++spot) {
                if (form->TargetSlots[spot].ExpiryTick == form->TickCount + 1)
                    ++spawns[spot];
            }
        }
        for (int spot = 0; spot < 8; ++spot) {
            if (spot < spotsUsed)
                QVERIFY2(spawns[size_t(spot)] > 0, qPrintable(QStringLiteral("spot %1 never used").arg(spot)));
            else
                QCOMPARE(spawns[size_t(spot)], 0);
        }
        // At most one target per tick; above eight, about 8 ticks in range.
        const int total = std::accumulate(spawns.begin(), spawns.end(), 0);
        QVERIFY(total <= 2000);
        if (spawnRange > 8) {
            QVERIFY2(total > 2000 * 8 / spawnRange / 2, qPrintable(QString::number(total)));
            QVERIFY2(total < 2000 * 8 / spawnRange * 3 / 2, qPrintable(QString::number(total)));
        }
    }

    void populationZeroMakesNoDraw()
    {
        GameWindow form;
        form->SpawnRange = 0;
        startHandTickedGame(*form);
        SeedRandom(0);
        tick(*form, 50);
        QCOMPARE(Random(), 346); // still the first draw after seeding
    }

    void strikeAreaBoundaries_data()
    {
        QTest::addColumn<int>("spot");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<bool>("struck");
        for (int spot = 0; spot < 8; ++spot) {
            QTest::addRow("spot %d top-left inside", spot) << spot << QPoint(-9, -9) << true;
            QTest::addRow("spot %d bottom-right inside", spot) << spot << QPoint(75, 55) << true;
            QTest::addRow("spot %d left edge", spot) << spot << QPoint(-10, 20) << false;
            QTest::addRow("spot %d right edge", spot) << spot << QPoint(76, 20) << false;
            QTest::addRow("spot %d top edge", spot) << spot << QPoint(20, -10) << false;
            QTest::addRow("spot %d bottom edge", spot) << spot << QPoint(20, 56) << false;
        }
    }
    void strikeAreaBoundaries()
    {
        QFETCH(int, spot);
        QFETCH(QPoint, offset);
        QFETCH(bool, struck);
        GameWindow form;
        startHandTickedGame(*form);
        form->TargetSlots[size_t(spot)] = {15, false};
        strike(*form, SpotTable[size_t(spot)] + offset);
        QCOMPARE(form->TargetSlots[size_t(spot)].Hit, struck);
        QCOMPARE(form->Hits, struck ? 1 : 0);
        QCOMPARE(form->Misses, struck ? 0 : 1);
        QCOMPARE(form->Score, struck ? 5 : -2);
    }

    void everyButtonStrikes_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void everyButtonStrikes()
    {
        QFETCH(Qt::MouseButton, button);
        GameWindow form;
        startHandTickedGame(*form);
        form->TargetSlots[3] = {15, false};
        strike(*form, spriteCentre(3), button);
        QCOMPARE(form->Hits, 1);
        strike(*form, QPoint(150, 250), button);
        QCOMPARE(form->Misses, 1);
    }

    void splashIsNotStruckTwice()
    {
        GameWindow form;
        startHandTickedGame(*form);
        form->TargetSlots[5] = {15, false};
        strike(*form, spriteCentre(5));
        strike(*form, spriteCentre(5));
        QCOMPARE(form->Hits, 1);
        QCOMPARE(form->Misses, 1);
        QCOMPARE(form->Score, 3);
        QCOMPARE(form->TargetSlots[5].ExpiryTick, 30);
    }

    void pressBeforeTheFirstTickIsAMiss()
    {
        GameWindow form;
        form->GameLength = 222;
        startHandTickedGame(*form);
        strike(*form, QPoint(300, 30));
        QCOMPARE(scoreboard(*form), QStringLiteral("222 0 1 0 -2").split(QLatin1Char(' ')));
    }

    void pressesOutsidePlayCountNothing_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("ready") << QStringLiteral("ready");
        QTest::newRow("paused") << QStringLiteral("paused");
        QTest::newRow("game over") << QStringLiteral("over");
    }
    void pressesOutsidePlayCountNothing()
    {
        QFETCH(QString, state);
        GameWindow form;
        if (state != QLatin1String("ready")) {
            startHandTickedGame(*form);
            form->TargetSlots[6] = {15, false};
            tick(*form);
            if (state == QLatin1String("paused"))
                form->Pause1->trigger();
            else
                form->Stop1->trigger();
        }
        const QStringList before = scoreboard(*form);
        const int score = form->Score;
        // Spot 7 lies outside the start and game-over pictures.
        const QPoint at = spriteCentre(7);
        QTest::mousePress(form->Image2, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(Application::instance()->cursors().current(), MaletDownCursor);
        QTest::mouseRelease(form->Image2, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(Application::instance()->cursors().current(), MaletCursor);
        strike(*form, spriteCentre(6));
        QCOMPARE(form->Score, score);
        QCOMPARE(form->Hits + form->Misses, 0);
        QCOMPARE(scoreboard(*form), before);
    }

    void scoreboardShowsSignedCounters()
    {
        GameWindow form;
        startHandTickedGame(*form);
        strike(*form, QPoint(300, 270));
        QCOMPARE(form->ScoreLabel->text(), QStringLiteral("-2"));
        form->Score = -1234567;
        form->Hits = 2147483647;
        form->WriteScore();
        QCOMPARE(scoreboard(*form), QStringLiteral("150 2147483647 1 0 -1234567").split(QLatin1Char(' ')));
        // Labels size themselves to their text.
        QVERIFY(form->ScoreLabel->width() > form->MissLabel->width());
    }

    void gameLengthOneEndsOnTheFirstTick()
    {
        GameWindow form;
        form->GameLength = 1;
        form->SpawnRange = 0;
        startHandTickedGame(*form);
        tick(*form);
        QCOMPARE(form->TimeLabel->text(), QStringLiteral("0"));
        QVERIFY(form->GameStopped);
        QVERIFY(form->GameOverImage->isVisible());
        // The target that popped up on the last tick is wiped, not counted.
        QCOMPARE(form->TargetSlots[0].ExpiryTick, 16);
        QVERIFY(!layerShowsSprite(*form, 0));
        QCOMPARE(form->Escaped, 0);
        QCOMPARE(form->Score, 0);
    }

    void stopWipesSpritesAndKeepsTheCounters()
    {
        GameWindow form;
        form->SpawnRange = 0;
        startHandTickedGame(*form);
        tick(*form, 3);
        form->TargetSlots[4] = {10, false};
        strike(*form, spriteCentre(4));
        QVERIFY(layerShowsSprite(*form, 0));
        QVERIFY(layerShowsSprite(*form, 4));
        form->Stop1->trigger();
        QVERIFY(!layerShowsSprite(*form, 0));
        QVERIFY(!layerShowsSprite(*form, 4));
        QCOMPARE(scoreboard(*form), QStringLiteral("147 1 0 0 5").split(QLatin1Char(' ')));
        // New empties the slots.
        startHandTickedGame(*form);
        for (const TargetSlot &slot : form->TargetSlots)
            QCOMPARE(slot.ExpiryTick, 0);
        QCOMPARE(form->TickCount, 0);
    }
};

THWACKLE_TEST_MAIN(RulesTest)
#include "rules_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the random play checks after every event.

#include "randomplayer.h"

#include <cstring>

namespace {

const QSize SpriteSize(76, 56);

// Whether the sprite layer shows `sprite` at `corner`, or is clear there
// (the picture shows through) when `sprite` is null.
bool layerShows(const QImage &layer, const QPoint &corner, const QImage *sprite)
{
    static const QByteArray clear(SpriteSize.width() * 4, '\0');
    for (int y = 0; y < SpriteSize.height(); ++y) {
        const uchar *shown = layer.constScanLine(corner.y() + y) + corner.x() * 4;
        const void *wanted = sprite ? static_cast<const void *>(sprite->constScanLine(y)) : clear.constData();
        if (std::memcmp(shown, wanted, size_t(SpriteSize.width()) * 4) != 0)
            return false;
    }
    return true;
}

} // namespace

State RandomPlayer::currentState() const
{
    if (ShootForm->GameStopped)
        return m_gameStarted ? State::GameOver : State::Ready;
    return ShootForm->GamePaused ? State::Paused : State::Playing;
}

void RandomPlayer::check()
{
    checkCounters();
    if (!broken())
        verifyState(*ShootForm, currentState());
    if (!broken())
        checkSprites();
    if (broken())
        return;
    QVERIFY2(m_errorBoxes.texts().isEmpty(), qPrintable(m_errorBoxes.texts().join(QLatin1Char('\n'))));
    const int cursor = Application::instance()->cursors().current();
    QVERIFY2(cursor == MaletCursor || cursor == MaletDownCursor, "the mallet is gone");
    QVERIFY(ShootForm->TargetLife >= 1 && ShootForm->TargetLife <= 31);
    QVERIFY(ShootForm->SpawnRange >= 0 && ShootForm->SpawnRange <= 35);
    QVERIFY(ShootForm->GameLength >= 1 && ShootForm->GameLength <= 9999);
}

void RandomPlayer::checkCounters()
{
    const TShootForm &form = *ShootForm;
    const bool wasIdle = m_wasStopped || m_wasPaused;
    if (m_wasStopped && !form.GameStopped) {
        m_gameStarted = true;
        m_lastTick = m_lastHits = m_lastMisses = m_lastEscaped = 0;
    } else if (wasIdle && (form.GameStopped || form.GamePaused)) {
        // Stopped or paused, presses show the cursor and nothing counts.
        QVERIFY2(form.TickCount == m_lastTick && form.Hits == m_lastHits && form.Misses == m_lastMisses
                     && form.Escaped == m_lastEscaped,
                 "a counter moved with no game running");
    }
    m_wasStopped = form.GameStopped;
    m_wasPaused = form.GamePaused;
    QCOMPARE(form.Score, HitPoints * form.Hits + MissPoints * form.Misses + EscapePoints * form.Escaped);
    QVERIFY2(form.TickCount >= m_lastTick && form.Hits >= m_lastHits && form.Misses >= m_lastMisses
                 && form.Escaped >= m_lastEscaped,
             "a counter fell within a game");
    m_lastTick = form.TickCount;
    m_lastHits = form.Hits;
    m_lastMisses = form.Misses;
    m_lastEscaped = form.Escaped;
    if (!form.GameStopped)
        QVERIFY(form.TickCount < form.GameLength);
    // The scoreboard shows the counters from the game's first tick on; the
    // time left only while the game runs (the options may change its length
    // after the game).
    if (form.TickCount > 0) {
        QCOMPARE(scoreboard(form).mid(1), (QStringList{QString::number(form.Hits), QString::number(form.Misses),
                                                        QString::number(form.Escaped), QString::number(form.Score)}));
        if (!form.GameStopped)
            QCOMPARE(form.TimeLabel->text(), QString::number(form.GameLength - form.TickCount));
    }
}

void RandomPlayer::checkSprites()
{
    const QImage &layer = ShootForm->Image2->spriteLayer();
    for (int spot = 0; spot < 8; ++spot) {
        const TargetSlot &slot = ShootForm->TargetSlots[size_t(spot)];
        // Stop wipes the sprites and leaves the slots for New to empty.
        const bool up = !ShootForm->GameStopped && slot.ExpiryTick != 0;
        QVERIFY2(layerShows(layer, SpotTable[size_t(spot)], up ? (slot.Hit ? &m_dead : &m_live) : nullptr),
                 qPrintable(QStringLiteral("spot %1 should show %2")
                                .arg(spot)
                                .arg(QLatin1String(up ? (slot.Hit ? "the splash" : "the target") : "the picture"))));
    }
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "randomplayer.h"

#include <QShortcut>
#include <QWindow>

#include <limits>
#include <numeric>

namespace {

// Keys a player may press in the game window, or in its Game menu when open;
// the keys bound to commands are found afresh as they come.
const std::vector<QKeyCombination> GameKeys = {
    Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
    Qt::Key_Tab, Qt::Key_N, Qt::Key_O, Qt::Key_S, Qt::Key_P, Qt::Key_C, Qt::Key_G, Qt::Key_X,
    Qt::AltModifier | Qt::Key_G, Qt::AltModifier | Qt::Key_P, Qt::AltModifier | Qt::Key_X,
    Qt::ControlModifier | Qt::Key_N,
};

const Qt::MouseButton Buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                   Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton};
const Qt::KeyboardModifiers Modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier,
                                           Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};

} // namespace

RandomPlayer::RandomPlayer(uint64_t seed)
    : m_random(seed)
    , m_seed(seed)
{
    m_modalAnswer.setSingleShot(true);
    m_modalAnswer.setInterval(0);
    connect(&m_modalAnswer, &QTimer::timeout, this, &RandomPlayer::answerModal);
    openWindows();
}

void RandomPlayer::openWindows()
{
    m_windows.reset();
    m_windows.emplace(createProgramWindows);
    // The clock's own expiries would fall between the ticks delivered here as
    // the machine's load has it; at one in 24 days they stay out of the play,
    // so a seed replays exactly.
    ShootForm->Timer1->setInterval(std::numeric_limits<int>::max());
    SeedRandom(uint32_t(m_random()));
    m_live = ShootForm->LiveBitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_dead = ShootForm->DeadBitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_gameStarted = m_wasPaused = false;
    m_wasStopped = true;
    m_lastTick = m_lastHits = m_lastMisses = m_lastEscaped = 0;
}

void RandomPlayer::play(int64_t events)
{
    while (!broken() && m_event < events)
        step();
    // A play that never reached a dialog proved nothing about it.
    if (!broken())
        QVERIFY(m_optionsPlayed > 0 && m_aboutPlayed > 0);
}

bool RandomPlayer::broken()
{
    if (!QTest::currentTestFailed())
        return false;
    if (!std::exchange(m_failureReported, true))
        qInfo("random play broke at event %lld of seed %llu (THWACKLE_SEED=%llu replays it)",
              static_cast<long long>(m_event), static_cast<unsigned long long>(m_seed),
              static_cast<unsigned long long>(m_seed));
    return true;
}

void RandomPlayer::step()
{
    static const std::pair<int, Event> Mix[] = {
        {700, &RandomPlayer::tick}, // first: ticks come only while the clock runs, as the clock's would
        {250, &RandomPlayer::mouseButton}, {120, &RandomPlayer::strike}, {80, &RandomPlayer::toolButton},
        {80, &RandomPlayer::menuCommand},  {90, &RandomPlayer::key},      {20, &RandomPlayer::minimiseOrRestore},
        {1, &RandomPlayer::close},
    };
    static const int Total = std::accumulate(std::begin(Mix), std::end(Mix), 0,
                                             [](int sum, const auto &share) { return sum + share.first; });
    const int skipped = ShootForm->Timer1->isActive() ? 0 : Mix[0].first;
    int draw = skipped + below(Total - skipped);
    size_t kind = 0;
    while ((draw -= Mix[kind].first) >= 0)
        ++kind;
    const Event made = Mix[kind].second;

    ++m_event;
    m_modalAnswer.start();
    (this->*made)();
    m_modalAnswer.stop();
    QCoreApplication::processEvents();
    if (broken())
        return;
    if (ShootForm->isHidden()) {
        // Any key, click or release may reach Exit in an open Game menu.
        QVERIFY2(made != &RandomPlayer::tick && made != &RandomPlayer::minimiseOrRestore,
                 "the game window closed by itself");
        if (made == &RandomPlayer::key)
            m_closingKeys.insert(m_lastKey.toCombined());
        openWindows();
    }
    check();
}

void RandomPlayer::tick()
{
    emit ShootForm->Timer1->timeout();
}

// A button is pressed only while up and released only while down, as a
// mouse has it; the release may come anywhere.
void RandomPlayer::mouseButton()
{
    const Qt::MouseButton button = pick(Buttons);
    const QPoint at = anywhereIn(ShootForm);
    m_held.setFlag(button, !m_held.testFlag(button));
    if (m_held.testFlag(button))
        QTest::mousePress(ShootForm->windowHandle(), button, pick(Modifiers), at);
    else
        QTest::mouseRelease(ShootForm->windowHandle(), button, pick(Modifiers), at);
}

void RandomPlayer::letGo(QWidget *widget, Qt::MouseButton button, const QPoint &at)
{
    if (!m_held.testFlag(button))
        return;
    m_held.setFlag(button, false);
    QTest::mouseRelease(widget->window()->windowHandle(), button, Qt::NoModifier, widget->mapTo(widget->window(), at));
}

void RandomPlayer::click(QWidget *widget, const QPoint &at, Qt::MouseButton button)
{
    letGo(widget, button, at);
    clickThroughWindow(widget, at, button);
}

void RandomPlayer::strike()
{
    // Anywhere in a spot's strike area, which reaches 10 pixels beyond the
    // sprite to the left and above; half the time where a target is up.
    std::vector<int> up;
    for (int spot = 0; spot < 8; ++spot) {
        if (ShootForm->TargetSlots[size_t(spot)].ExpiryTick != 0)
            up.push_back(spot);
    }
    const int spot = !up.empty() && oneIn(2) ? pick(up) : below(8);
    click(ShootForm->Image2, SpotTable[size_t(spot)] + QPoint(below(85) - 9, below(65) - 9), pick(Buttons));
}

void RandomPlayer::toolButton()
{
    QToolButton *button = pick(std::array{ShootForm->NewButton, ShootForm->PauseButton, ShootForm->StopButton});
    click(button, anywhereIn(button), oneIn(5) ? pick(Buttons) : Qt::LeftButton);
}

void RandomPlayer::menuCommand()
{
    QList<QAction *> items;
    for (QAction *item : ShootForm->Gamr1->actions() + ShootForm->MainMenu1->actions()) {
        if (!item->isSeparator() && !item->menu())
            items << item;
    }
    QAction *item = nullptr;
    // Exit ends the program and costs a fresh start: keep it rare.
    do
        item = pick(items);
    while (item == ShootForm->Exit1 && !oneIn(20));
    // A hidden item can only be triggered; the menu would not offer it.
    if (!item->isVisible() || oneIn(5)) {
        item->trigger();
        if (item == ShootForm->Exit1)
            QVERIFY2(ShootForm->isHidden(), "Exit left the game window open");
    } else {
        letGo(ShootForm->MainMenu1, Qt::LeftButton, QPoint());
        chooseMenuItem(item);
    }
}

void RandomPlayer::key()
{
    // Half the time a key bound to a command of the game window or a mnemonic
    // of its menu bar, found afresh: new ones are played as they come.
    std::vector<QKeyCombination> keys;
    if (oneIn(2)) {
        keys = GameKeys;
    } else {
        for (QAction *action : ShootForm->findChildren<QAction *>()) {
            for (const QKeySequence &sequence : action->shortcuts())
                keys.push_back(sequence[0]);
        }
        for (QShortcut *shortcut : ShootForm->findChildren<QShortcut *>()) {
            for (const QKeySequence &sequence : shortcut->keys())
                keys.push_back(sequence[0]);
        }
        for (QAction *action : ShootForm->MainMenu1->actions()) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
            if (action->isVisible() && !mnemonic.isEmpty())
                keys.push_back(mnemonic[0]);
        }
    }
    // A key that ends the program costs a fresh start: keep it as rare as Exit.
    do
        m_lastKey = pick(keys);
    while (m_closingKeys.contains(m_lastKey.toCombined()) && !oneIn(20));
    pressKey(ShootForm->windowHandle(), m_lastKey);
}

void RandomPlayer::minimiseOrRestore()
{
    const bool minimised = ShootForm->isMinimized();
    ShootForm->setWindowState(ShootForm->windowState() ^ Qt::WindowMinimized);
    if (minimised)
        ShootForm->activateWindow(); // as the window manager does
}

void RandomPlayer::close()
{
    ShootForm->windowHandle()->close();
    QVERIFY2(ShootForm->isHidden(), "the game window stayed open");
}

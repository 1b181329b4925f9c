// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "randomplayer.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWindow>

#include <limits>

namespace {

// Keys a player may press in the game window, or in its Game menu when open.
const std::vector<QKeyCombination> GameKeys = {
    Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
    Qt::Key_Tab, Qt::Key_N, Qt::Key_O, Qt::Key_S, Qt::Key_P, Qt::Key_C, Qt::Key_G, Qt::Key_X,
    Qt::AltModifier | Qt::Key_G, Qt::AltModifier | Qt::Key_P, Qt::AltModifier | Qt::Key_X,
    Qt::ControlModifier | Qt::Key_N,
};

QString keyName(QKeyCombination key)
{
    return QKeySequence(key).toString();
}

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

RandomPlayer::~RandomPlayer() = default;

void RandomPlayer::openWindows()
{
    m_windows.reset();
    m_windows.emplace();
    // The clock's own expiries would fall between the ticks delivered here as
    // the machine's load has it; at one a day they stay out of the play, so a
    // seed replays exactly.
    ShootForm->Timer1->setInterval(std::numeric_limits<int>::max());
    SeedRandom(uint32_t(m_random()));
    m_live = ShootForm->LiveBitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_dead = ShootForm->DeadBitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_gameStarted = false;
    m_wasStopped = true;
    m_wasPaused = false;
    m_lastTick = m_lastHits = m_lastMisses = m_lastEscaped = 0;
}

void RandomPlayer::play(int64_t events)
{
    while (m_event < events && step()) {
    }
}

QString RandomPlayer::summary() const
{
    return QStringLiteral("%1 events of seed %2: %3 ticks, %4 games, %5 hits; options dialog shown %6 times, "
                          "About box %7 times; the windows closed and opened again %8 times")
        .arg(m_event)
        .arg(m_seed)
        .arg(m_ticks)
        .arg(m_games)
        .arg(m_hits)
        .arg(m_optionsShown)
        .arg(m_aboutShown)
        .arg(m_restarts);
}

bool RandomPlayer::step()
{
    ++m_event;
    const Kind kind = pickKind();
    m_modalAnswer.start();
    perform(kind);
    m_modalAnswer.stop();
    QCoreApplication::processEvents();

    if (ShootForm->isHidden()) {
        note(QStringLiteral("(the game window closed)"));
        // Any key, click or release may reach Exit in an open Game menu.
        if (kind == Kind::Tick || kind == Kind::MinimiseOrRestore) {
            QTest::qFail("the game window closed by itself", __FILE__, __LINE__);
            return !broken();
        }
        // A shortcut found to end the program is kept as rare as Exit.
        if (kind == Kind::Shortcut)
            m_closingKeys.insert(m_lastKey.toCombined());
        ++m_restarts;
        openWindows();
    }
    check();
    return !broken();
}

RandomPlayer::Kind RandomPlayer::pickKind()
{
    struct Share {
        Kind kind;
        int weight;
    };
    static const Share Mix[] = {
        {Kind::Tick, 700},      {Kind::Press, 140},     {Kind::Release, 110},
        {Kind::Strike, 120},    {Kind::ToolButton, 80}, {Kind::MenuCommand, 80},
        {Kind::Shortcut, 50},   {Kind::Key, 40},        {Kind::MinimiseOrRestore, 20},
        {Kind::Close, 1},
    };
    // Ticks come only while the clock runs, as the clock's would.
    const bool ticking = ShootForm->Timer1->isActive();
    int total = 0;
    for (const Share &share : Mix)
        total += share.kind == Kind::Tick && !ticking ? 0 : share.weight;
    int draw = below(total);
    for (const Share &share : Mix) {
        if (share.kind == Kind::Tick && !ticking)
            continue;
        if (draw < share.weight)
            return share.kind;
        draw -= share.weight;
    }
    return Kind::Press;
}

void RandomPlayer::perform(Kind kind)
{
    switch (kind) {
    case Kind::Tick:
        note(QStringLiteral("tick"));
        ++m_ticks;
        emit ShootForm->Timer1->timeout();
        break;
    case Kind::Press:
        press();
        break;
    case Kind::Release:
        release();
        break;
    case Kind::Strike:
        strike();
        break;
    case Kind::ToolButton:
        toolButton();
        break;
    case Kind::MenuCommand:
        menuCommand();
        break;
    case Kind::Shortcut:
        shortcut();
        break;
    case Kind::Key:
        pressKey(ShootForm->windowHandle(), GameKeys[size_t(below(int(GameKeys.size())))]);
        break;
    case Kind::MinimiseOrRestore:
        minimiseOrRestore();
        break;
    case Kind::Close:
        note(QStringLiteral("close the game window"));
        ShootForm->windowHandle()->close();
        QVERIFY2(ShootForm->isHidden(), "the game window stayed open");
        break;
    }
}

QPoint RandomPlayer::anywhereIn(const QWidget *widget)
{
    return QPoint(below(widget->width()), below(widget->height()));
}

Qt::MouseButton RandomPlayer::anyButton()
{
    static const Qt::MouseButton Buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                              Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton};
    return Buttons[below(int(std::size(Buttons)))];
}

Qt::KeyboardModifiers RandomPlayer::anyModifiers()
{
    static const Qt::KeyboardModifiers Modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier,
                                                      Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
    return Modifiers[below(int(std::size(Modifiers)))];
}

// A button is pressed only while up and released only while down, as a
// mouse has it; the release may come anywhere.
void RandomPlayer::press()
{
    const Qt::MouseButton button = anyButton();
    if (m_held.testFlag(button))
        return release();
    const QPoint at = anywhereIn(ShootForm);
    note(QStringLiteral("press button %1 at %2,%3").arg(int(button)).arg(at.x()).arg(at.y()));
    m_held.setFlag(button);
    QTest::mousePress(ShootForm->windowHandle(), button, anyModifiers(), at);
}

void RandomPlayer::release()
{
    if (!m_held)
        return press();
    Qt::MouseButton button = anyButton();
    while (!m_held.testFlag(button))
        button = anyButton();
    const QPoint at = anywhereIn(ShootForm);
    note(QStringLiteral("release button %1 at %2,%3").arg(int(button)).arg(at.x()).arg(at.y()));
    m_held.setFlag(button, false);
    QTest::mouseRelease(ShootForm->windowHandle(), button, anyModifiers(), at);
}

void RandomPlayer::letGo(QWidget *widget, Qt::MouseButton button, const QPoint &at)
{
    if (!m_held.testFlag(button))
        return;
    m_held.setFlag(button, false);
    QTest::mouseRelease(widget->window()->windowHandle(), button, Qt::NoModifier, widget->mapTo(widget->window(), at));
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
    const int spot = !up.empty() && oneIn(2) ? up[size_t(below(int(up.size())))] : below(8);
    const QPoint at = SpotTable[size_t(spot)] + QPoint(below(85) - 9, below(65) - 9);
    const Qt::MouseButton button = anyButton();
    note(QStringLiteral("strike spot %1 at %2,%3 with button %4").arg(spot).arg(at.x()).arg(at.y()).arg(int(button)));
    letGo(ShootForm->Image2, button, at);
    clickThroughWindow(ShootForm->Image2, at, button);
}

void RandomPlayer::toolButton()
{
    QToolButton *const buttons[] = {ShootForm->NewButton, ShootForm->PauseButton, ShootForm->StopButton};
    QToolButton *button = buttons[below(3)];
    const QPoint at = anywhereIn(button);
    const Qt::MouseButton with = oneIn(5) ? anyButton() : Qt::LeftButton;
    note(QStringLiteral("click ") + button->objectName());
    letGo(button, with, at);
    clickThroughWindow(button, at, with);
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
        item = items[below(int(items.size()))];
    while (item == ShootForm->Exit1 && !oneIn(20));
    // A hidden item can only be triggered; the menu would not offer it.
    if (!item->isVisible() || oneIn(5)) {
        note(QStringLiteral("trigger ") + item->objectName());
        item->trigger();
        if (item == ShootForm->Exit1)
            QVERIFY2(ShootForm->isHidden(), "Exit left the game window open");
    } else {
        note(QStringLiteral("choose ") + item->objectName() + QStringLiteral(" from the menu"));
        letGo(ShootForm->MainMenu1, Qt::LeftButton, QPoint());
        chooseMenuItem(item);
    }
}

void RandomPlayer::shortcut()
{
    // Every key bound to an action or a shortcut of the game window, and the
    // menu bar's mnemonics, found afresh: new ones are played as they come.
    std::vector<std::pair<QKeyCombination, QObject *>> keys;
    for (QAction *action : ShootForm->findChildren<QAction *>()) {
        for (const QKeySequence &sequence : action->shortcuts())
            keys.emplace_back(sequence[0], action);
    }
    for (QShortcut *shortcut : ShootForm->findChildren<QShortcut *>()) {
        for (const QKeySequence &sequence : shortcut->keys())
            keys.emplace_back(sequence[0], shortcut);
    }
    for (QAction *action : ShootForm->MainMenu1->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
        if (action->isVisible() && !mnemonic.isEmpty())
            keys.emplace_back(mnemonic[0], action);
    }
    std::pair<QKeyCombination, QObject *> key;
    do
        key = keys[size_t(below(int(keys.size())))];
    while ((key.second == ShootForm->Exit1 || m_closingKeys.contains(key.first.toCombined())) && !oneIn(20));
    pressKey(ShootForm->windowHandle(), key.first);
}

void RandomPlayer::pressKey(QWindow *window, QKeyCombination key)
{
    note(QStringLiteral("key ") + keyName(key));
    m_lastKey = key;
    QTest::keyClick(window, key.key(), key.keyboardModifiers());
}

void RandomPlayer::minimiseOrRestore()
{
    if (ShootForm->isMinimized()) {
        note(QStringLiteral("restore"));
        ShootForm->setWindowState(ShootForm->windowState() & ~Qt::WindowMinimized);
        ShootForm->activateWindow(); // as the window manager does
    } else {
        note(QStringLiteral("minimise"));
        ShootForm->setWindowState(ShootForm->windowState() | Qt::WindowMinimized);
    }
}

void RandomPlayer::note(const QString &event)
{
    m_recent << QString::number(m_event) + QStringLiteral(": ") + event;
    if (m_recent.size() > 20)
        m_recent.removeFirst();
}

bool RandomPlayer::broken()
{
    if (!QTest::currentTestFailed())
        return false;
    if (!m_failureReported) {
        m_failureReported = true;
        qInfo().noquote() << QStringLiteral("random play broke at event %1 of seed %2 (THWACKLE_SEED=%2 replays "
                                            "it); the events up to it:\n")
                                 .arg(m_event)
                                 .arg(m_seed)
                                 + m_recent.join(QLatin1Char('\n'));
    }
    return true;
}

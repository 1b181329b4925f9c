// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's keys, in every state: Ctrl+N, P and Pause, Ctrl+Q and F1. A key
// obeys its menu item: where the item is disabled, the key does nothing.

#include "support/programwindows.h"
#include "support/testmain.h"

#include <QStyleOptionMenuItem>
#include <QTimer>

namespace {

// What the Game menu draws for an item: its caption and, after a tab, its key.
struct MenuText : QMenu {
    static QString of(QAction *action)
    {
        QStyleOptionMenuItem option;
        (ShootForm->Gamr1->*(&MenuText::initStyleOption))(&option, action);
        return option.text;
    }
};

} // namespace

class KeysTest : public QObject
{
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<State>("before");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<State>("after");
        QTest::addColumn<bool>("aboutShown");
        QTest::addColumn<bool>("held");
        const auto row = [](const char *name, State before, QKeyCombination key, State after, bool about = false,
                            bool held = false) { QTest::newRow(name) << before << key << after << about << held; };
        const QKeyCombination ctrlN = Qt::CTRL | Qt::Key_N, p = Qt::Key_P, pause = Qt::Key_Pause,
                              ctrlQ = Qt::CTRL | Qt::Key_Q, f1 = Qt::Key_F1;
        row("Ctrl+N starts a game", State::Ready, ctrlN, State::Playing);
        row("Ctrl+N after a game starts another", State::GameOver, ctrlN, State::Playing);
        row("Ctrl+N during a game does nothing", State::Playing, ctrlN, State::Playing);
        row("Ctrl+N while paused does nothing", State::Paused, ctrlN, State::Paused);
        row("P pauses", State::Playing, p, State::Paused);
        row("P continues", State::Paused, p, State::Playing);
        row("Pause pauses", State::Playing, pause, State::Paused);
        row("Pause continues", State::Paused, pause, State::Playing);
        row("the menu bar's Alt+P pauses", State::Playing, Qt::ALT | Qt::Key_P, State::Paused);
        row("and Alt+C continues", State::Paused, Qt::ALT | Qt::Key_C, State::Playing);
        row("P before a game does nothing", State::Ready, p, State::Ready);
        row("Pause after a game does nothing", State::GameOver, pause, State::GameOver);
        row("Ctrl+Q before a game exits", State::Ready, ctrlQ, State::Closed);
        row("Ctrl+Q during a game exits", State::Playing, ctrlQ, State::Closed);
        row("Ctrl+Q while paused exits", State::Paused, ctrlQ, State::Closed);
        row("F1 before a game opens the About box", State::Ready, f1, State::Ready, true);
        row("F1 after a game opens the About box", State::GameOver, f1, State::GameOver, true);
        row("F1 during a game does nothing", State::Playing, f1, State::Playing);
        // The keyboard repeats a key held down; its command must still work once.
        row("P held down pauses once", State::Playing, p, State::Paused, false, true);
        row("Pause held down continues once", State::Paused, pause, State::Playing, false, true);
        row("F1 held down opens one About box", State::Ready, f1, State::Ready, true, true);
    }
    void keys()
    {
        QFETCH(State, before);
        QFETCH(QKeyCombination, key);
        QFETCH(State, after);
        QFETCH(bool, aboutShown);
        QFETCH(bool, held);
        GameWindow windows(createProgramWindows);
        QVERIFY(windows.shown());
        TShootForm &form = *ShootForm;
        if (before != State::Ready)
            form.New1->trigger();
        if (before == State::Paused)
            form.Pause1->trigger();
        if (before == State::GameOver)
            form.Stop1->trigger();
        form.Timer1->stop(); // no ticks in the way
        form.Score = 42;     // New would zero it

        // The About box is modal: it opens and is closed within the key press.
        int aboutBoxes = 0;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, this, [&aboutBoxes] {
            if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget()); modal && modal->isVisible()) {
                aboutBoxes += modal == AboutBox;
                modal->reject();
            }
        });
        answerer.start(10);
        QTest::keyPress(&form, key.key(), key.keyboardModifiers());
        if (held) { // the repeats a held key sends until it is let go
            form.activateWindow(); // as the window manager does when a modal box closes
            QVERIFY(QTest::qWaitForWindowActive(&form));
            for (int repeat = 0; repeat < 5; ++repeat)
                qt_handleKeyEvent(form.windowHandle(), QEvent::KeyPress, key.key(), key.keyboardModifiers(), {}, true);
        }
        QTest::keyRelease(&form, key.key(), key.keyboardModifiers());
        answerer.stop();
        QCOMPARE(gameState(form), after);
        QCOMPARE(aboutBoxes, aboutShown ? 1 : 0);
        const bool idle = before == State::Ready || before == State::GameOver;
        QCOMPARE(form.Score != 42, idle && after == State::Playing); // restarted
    }

    // Pause sits on the menu bar, which shows no keys.
    void gameMenuShowsTheKeys()
    {
        GameWindow windows(createProgramWindows);
        QCOMPARE((QStringList{MenuText::of(ShootForm->New1), MenuText::of(ShootForm->Options1),
                              MenuText::of(ShootForm->Stop1), MenuText::of(ShootForm->Exit1)}),
                 (QStringList{QStringLiteral("&New\tCtrl+N"), QStringLiteral("&Options..."), QStringLiteral("&Stop"),
                              QStringLiteral("E&xit\tCtrl+Q")}));
    }
};

THWACKLE_TEST_MAIN(KeysTest)
#include "keys_test.moc"

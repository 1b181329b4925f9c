// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's keys, in every state: Ctrl+N, P and Pause, Ctrl+Q and F1. A key
// obeys its menu item: where the item is disabled, the key does nothing.

#include "app/programwindows.h"
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

Q_DECLARE_METATYPE(GameState)

class KeysTest : public QObject
{
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<GameState>("before");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<GameState>("after");
        QTest::addColumn<bool>("aboutShown");
        using S = GameState;
        const auto row = [](const char *name, S before, QKeyCombination key, S after, bool about = false) {
            QTest::newRow(name) << before << key << after << about;
        };
        const QKeyCombination ctrlN = Qt::CTRL | Qt::Key_N, p = Qt::Key_P, pause = Qt::Key_Pause,
                              ctrlQ = Qt::CTRL | Qt::Key_Q, f1 = Qt::Key_F1;
        row("Ctrl+N starts a game", S::Ready, ctrlN, S::Playing);
        row("Ctrl+N after a game starts another", S::GameOver, ctrlN, S::Playing);
        row("Ctrl+N during a game does nothing", S::Playing, ctrlN, S::Playing);
        row("Ctrl+N while paused does nothing", S::Paused, ctrlN, S::Paused);
        row("P pauses", S::Playing, p, S::Paused);
        row("P continues", S::Paused, p, S::Playing);
        row("Pause pauses", S::Playing, pause, S::Paused);
        row("Pause continues", S::Paused, pause, S::Playing);
        row("the menu bar's Alt+P pauses", S::Playing, Qt::ALT | Qt::Key_P, S::Paused);
        row("and Alt+C continues", S::Paused, Qt::ALT | Qt::Key_C, S::Playing);
        row("P before a game does nothing", S::Ready, p, S::Ready);
        row("Pause after a game does nothing", S::GameOver, pause, S::GameOver);
        row("Ctrl+Q before a game exits", S::Ready, ctrlQ, S::Closed);
        row("Ctrl+Q during a game exits", S::Playing, ctrlQ, S::Closed);
        row("Ctrl+Q while paused exits", S::Paused, ctrlQ, S::Closed);
        row("F1 before a game opens the About box", S::Ready, f1, S::Ready, true);
        row("F1 after a game opens the About box", S::GameOver, f1, S::GameOver, true);
        row("F1 during a game does nothing", S::Playing, f1, S::Playing);
    }
    void keys()
    {
        QFETCH(GameState, before);
        QFETCH(QKeyCombination, key);
        QFETCH(GameState, after);
        QFETCH(bool, aboutShown);
        ProgramWindows windows;
        QVERIFY(windows.shown());
        TShootForm &form = *ShootForm;
        if (before != GameState::Ready)
            form.New1->trigger();
        if (before == GameState::Paused)
            form.Pause1->trigger();
        if (before == GameState::GameOver)
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
        QTest::keyClick(&form, key.key(), key.keyboardModifiers());
        answerer.stop();
        QCOMPARE(gameState(form), after);
        QCOMPARE(aboutBoxes, aboutShown ? 1 : 0);
        const bool idle = before == GameState::Ready || before == GameState::GameOver;
        QCOMPARE(form.Score != 42, idle && after == GameState::Playing); // restarted
    }

    // Pause sits on the menu bar, which shows no keys.
    void gameMenuShowsTheKeys()
    {
        ProgramWindows windows;
        QCOMPARE((QStringList{MenuText::of(ShootForm->New1), MenuText::of(ShootForm->Options1),
                              MenuText::of(ShootForm->Stop1), MenuText::of(ShootForm->Exit1)}),
                 (QStringList{QStringLiteral("&New\tCtrl+N"), QStringLiteral("&Options..."), QStringLiteral("&Stop"),
                              QStringLiteral("E&xit\tCtrl+Q")}));
    }
};

THWACKLE_TEST_MAIN(KeysTest)
#include "keys_test.moc"

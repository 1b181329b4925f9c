// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's keys, in every state: Ctrl+N, P and Pause, Ctrl+Q and F1. A key
// obeys its menu item: where the item is disabled, the key does nothing.

#include "about/aboutbox.h"
#include "app/startup.h"
#include "game/gamefixture.h"
#include "support/testmain.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QStyleOptionMenuItem>
#include <QTimer>

namespace {

// What the Game menu draws for an item: its caption and, after a tab, its key.
struct MenuText : QMenu {
    static QString of(QMenu *menu, QAction *action)
    {
        QStyleOptionMenuItem option;
        (menu->*(&MenuText::initStyleOption))(&option, action);
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
        QTest::addColumn<QString>("before");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<GameState>("after");
        QTest::addColumn<bool>("aboutShown");
        const QKeySequence ctrlN(Qt::CTRL | Qt::Key_N);
        const QKeySequence p(Qt::Key_P);
        const QKeySequence pause(Qt::Key_Pause);
        const QKeySequence ctrlQ(Qt::CTRL | Qt::Key_Q);
        const QKeySequence f1(Qt::Key_F1);
        const auto row = [](const char *name, const char *before, const QKeySequence &key, GameState after,
                            bool about = false) {
            QTest::newRow(name) << QString::fromLatin1(before) << key << after << about;
        };
        row("Ctrl+N starts a game", "ready", ctrlN, GameState::Playing);
        row("Ctrl+N after a game starts another", "over", ctrlN, GameState::Playing);
        row("Ctrl+N during a game does nothing", "playing", ctrlN, GameState::Playing);
        row("Ctrl+N while paused does nothing", "paused", ctrlN, GameState::Paused);
        row("P pauses", "playing", p, GameState::Paused);
        row("P continues", "paused", p, GameState::Playing);
        row("Pause pauses", "playing", pause, GameState::Paused);
        row("Pause continues", "paused", pause, GameState::Playing);
        row("the menu bar's Alt+P pauses", "playing", QKeySequence(Qt::ALT | Qt::Key_P), GameState::Paused);
        row("and Alt+C continues", "paused", QKeySequence(Qt::ALT | Qt::Key_C), GameState::Playing);
        row("P before a game does nothing", "ready", p, GameState::Ready);
        row("Pause after a game does nothing", "over", pause, GameState::GameOver);
        row("Ctrl+Q before a game exits", "ready", ctrlQ, GameState::Closed);
        row("Ctrl+Q during a game exits", "playing", ctrlQ, GameState::Closed);
        row("Ctrl+Q while paused exits", "paused", ctrlQ, GameState::Closed);
        row("F1 before a game opens the About box", "ready", f1, GameState::Ready, true);
        row("F1 after a game opens the About box", "over", f1, GameState::GameOver, true);
        row("F1 during a game does nothing", "playing", f1, GameState::Playing);
    }
    void keys()
    {
        QFETCH(QString, before);
        QFETCH(QKeySequence, key);
        QFETCH(GameState, after);
        QFETCH(bool, aboutShown);
        Application *app = Application::instance();
        Startup::createForms(*app);
        TShootForm &form = *ShootForm;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        if (before != QLatin1String("ready"))
            form.New1->trigger();
        if (before == QLatin1String("paused"))
            form.Pause1->trigger();
        if (before == QLatin1String("over"))
            form.Stop1->trigger();
        form.Timer1->stop(); // no ticks in the way
        form.Score = 42;     // New would zero it
        const int scoreBefore = form.Score;

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
        QTest::keyClick(&form, key[0].key(), key[0].keyboardModifiers());
        answerer.stop();
        const GameState state = gameState(form);
        const bool restarted = form.Score != scoreBefore;
        app->destroyForms();

        QCOMPARE(state, after);
        QCOMPARE(aboutBoxes, aboutShown ? 1 : 0);
        QCOMPARE(restarted, before != QLatin1String("playing") && before != QLatin1String("paused")
                                && after == GameState::Playing);
    }

    void gameMenuShowsTheKeys()
    {
        Startup::createForms(*Application::instance());
        QMenu *menu = ShootForm->Gamr1;
        const QStringList shown{MenuText::of(menu, ShootForm->New1), MenuText::of(menu, ShootForm->Options1),
                                MenuText::of(menu, ShootForm->Stop1), MenuText::of(menu, ShootForm->Exit1)};
        const QList<QKeySequence> pauseKeys = ShootForm->Pause1->shortcuts();
        Application::instance()->destroyForms();
        QCOMPARE(shown, (QStringList{QStringLiteral("&New\tCtrl+N"), QStringLiteral("&Options..."),
                                     QStringLiteral("&Stop"), QStringLiteral("E&xit\tCtrl+Q")}));
        // Pause sits on the menu bar, which shows no keys.
        QCOMPARE(pauseKeys, (QList<QKeySequence>{QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)}));
    }
};

THWACKLE_TEST_MAIN(KeysTest)
#include "keys_test.moc"

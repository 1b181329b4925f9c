// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The modal windows of the random play, played from inside their own loops.

#include "randomplayer.h"

#include "options/gametime.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWindow>

namespace {

// Keys in the options dialog: the bars, the focus, the Game Time field.
const std::vector<QKeyCombination> OptionsKeys = {
    Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
    Qt::Key_End, Qt::Key_Tab, Qt::Key_Backtab,
    Qt::AltModifier | Qt::Key_S, Qt::AltModifier | Qt::Key_P, Qt::AltModifier | Qt::Key_G,
    Qt::Key_0, Qt::Key_1, Qt::Key_5, Qt::Key_9, Qt::Key_Minus, Qt::Key_Plus, Qt::Key_Space, Qt::Key_Backspace,
    Qt::Key_Delete, Qt::Key_A, Qt::Key_E,
};

const std::vector<QKeyCombination> AboutKeys = {
    Qt::Key_Tab, Qt::Key_Left, Qt::Key_Up, Qt::Key_A, Qt::Key_F1, Qt::AltModifier | Qt::Key_O,
};

// What a player may type into the Game Time field.
const QStringList GameTimeTexts = {
    QString(), QStringLiteral("abc"), QStringLiteral("0"), QStringLiteral("-20"), QStringLiteral("  75"),
    QStringLiteral("+75"), QStringLiteral("75 ticks"), QStringLiteral("1e3"), QStringLiteral("9999"),
    QStringLiteral("10000"), QStringLiteral("4294967297"), QStringLiteral("2147483648"), QStringLiteral("1"),
    QStringLiteral("3"), QStringLiteral("40"),
};

} // namespace

void RandomPlayer::answerModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal == m_playing || modal->objectName() == QLatin1String("ErrorBox")) {
        // Nothing new yet: the event may open one later on its way.
        m_modalAnswer.start();
        return;
    }
    if (m_playing) {
        note(QStringLiteral("(") + modal->objectName() + QStringLiteral(" opened over ") + m_playing->objectName()
             + QStringLiteral(")"));
        QVERIFY2(false, "a modal window opened over another");
        modal->close();
        return;
    }
    if (modal == OptionsForm) {
        playOptions();
    } else if (modal == AboutBox) {
        playAbout();
    } else {
        QVERIFY2(false, qPrintable(QStringLiteral("an unknown modal window ") + modal->objectName()));
        modal->close();
    }
    ShootForm->activateWindow(); // as the window manager does when the modal closes
}

void RandomPlayer::playOptions()
{
    ++m_optionsShown;
    note(QStringLiteral("(options dialog shown)"));
    const GameParameters before = *ShootForm;
    const State state = currentState();
    QVERIFY2(ShootForm->GameStopped, "the options dialog opened during a game");
    playDialog(OptionsForm, [this] { optionsEvent(); },
               [&] {
                   // Only OK writes, and only when the dialog closes.
                   QCOMPARE(ShootForm->TargetLife, before.TargetLife);
                   QCOMPARE(ShootForm->SpawnRange, before.SpawnRange);
                   QCOMPARE(ShootForm->GameLength, before.GameLength);
                   verifyState(*ShootForm, state);
               });
    if (broken())
        return;
    if (OptionsForm->result() == QDialog::Accepted) {
        QCOMPARE(ShootForm->TargetLife, OptionsForm->SpeedSet->maximum() + 1 - OptionsForm->SpeedSet->value());
        QCOMPARE(ShootForm->SpawnRange, OptionsForm->PopulationSet->value());
        const int32_t typed = readGameTime(OptionsForm->GameTimeSet->text());
        QCOMPARE(ShootForm->GameLength, typed < 1 ? 150 : std::min(typed, 9999));
    } else {
        QCOMPARE(ShootForm->TargetLife, before.TargetLife);
        QCOMPARE(ShootForm->SpawnRange, before.SpawnRange);
        QCOMPARE(ShootForm->GameLength, before.GameLength);
    }
}

void RandomPlayer::optionsEvent()
{
    const int choice = below(10);
    if (choice < 5) {
        pressKey(OptionsForm->windowHandle(), OptionsKeys[size_t(below(int(OptionsKeys.size())))]);
    } else if (choice < 7) {
        const QString text = GameTimeTexts[below(int(GameTimeTexts.size()))];
        note(QStringLiteral("type \"") + text + QStringLiteral("\" as the game time"));
        QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(OptionsForm->GameTimeSet, text);
    } else if (choice < 8) {
        QSlider *bar = oneIn(2) ? OptionsForm->SpeedSet : OptionsForm->PopulationSet;
        note(QStringLiteral("click on ") + bar->objectName());
        clickIn(bar, anywhereIn(bar));
    } else {
        const QPoint at = anywhereIn(OptionsForm);
        note(QStringLiteral("click the options dialog at %1,%2").arg(at.x()).arg(at.y()));
        clickIn(OptionsForm, at);
    }
}

void RandomPlayer::playAbout()
{
    ++m_aboutShown;
    note(QStringLiteral("(About box shown)"));
    const State state = currentState();
    QVERIFY2(ShootForm->GameStopped, "the About box opened during a game");
    playDialog(AboutBox,
               [this] {
                   if (oneIn(2)) {
                       pressKey(AboutBox->windowHandle(), AboutKeys[size_t(below(int(AboutKeys.size())))]);
                   } else {
                       const QPoint at = anywhereIn(AboutBox);
                       note(QStringLiteral("click the About box at %1,%2").arg(at.x()).arg(at.y()));
                       clickIn(AboutBox, at);
                   }
               },
               [&] { verifyState(*ShootForm, state); });
}

void RandomPlayer::playDialog(QDialog *dialog, const std::function<void()> &event,
                              const std::function<void()> &checkOpen)
{
    m_playing = dialog;
    // Whoever works a dialog has let go of the buttons held over the game.
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton,
                                         Qt::ForwardButton})
        letGo(ShootForm, button, anywhereIn(ShootForm));
    // Its accelerators need it active; the play goes on if it never is.
    if (!dialog->isActiveWindow() && !QTest::qWaitForWindowActive(dialog, 1000))
        note(QStringLiteral("(dialog not active)"));
    for (int made = 0; dialog->isVisible() && !broken(); ++made) {
        ++m_event;
        m_modalAnswer.start();
        // A clicked OK, Cancel or Esc may close it before this does.
        if (made >= 12 || oneIn(6))
            closeDialog(dialog);
        else
            event();
        m_modalAnswer.stop();
        if (dialog->isVisible())
            checkOpen();
        QVERIFY2(m_errorBoxes.texts().isEmpty(), qPrintable(m_errorBoxes.texts().join(QLatin1Char('\n'))));
    }
    if (dialog->isVisible())
        dialog->reject();
    m_playing = nullptr;
}

void RandomPlayer::closeDialog(QDialog *dialog)
{
    auto *ok = dialog->findChild<QPushButton *>(dialog == OptionsForm ? QStringLiteral("OKBtn")
                                                                      : QStringLiteral("OKButton"));
    auto *cancel = dialog->findChild<QPushButton *>(QStringLiteral("CancelBtn"));
    switch (below(cancel ? 5 : 4)) {
    case 0:
        note(QStringLiteral("close by clicking OK"));
        clickIn(ok, ok->rect().center());
        break;
    case 1:
        pressKey(dialog->windowHandle(), Qt::Key_Return);
        break;
    case 2:
        pressKey(dialog->windowHandle(), Qt::Key_Escape);
        break;
    case 3:
        note(QStringLiteral("close by the title bar"));
        dialog->windowHandle()->close();
        break;
    default:
        note(QStringLiteral("close by clicking Cancel"));
        clickIn(cancel, cancel->rect().center());
        break;
    }
    QVERIFY2(!dialog->isVisible(), "the dialog stayed open");
}

void RandomPlayer::clickIn(QWidget *widget, const QPoint &at)
{
    letGo(widget, Qt::LeftButton, at);
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(widget->window(), at));
}

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

QList<int32_t> parameters(const GameParameters &game)
{
    return {game.TargetLife, game.SpawnRange, game.GameLength};
}

} // namespace

void RandomPlayer::answerModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal == m_playing || modal->objectName() == QLatin1String("ErrorBox")) {
        // Nothing new yet: the event may open one later on its way.
        m_modalAnswer.start();
        return;
    }
    if (m_playing || (modal != OptionsForm && modal != AboutBox)) {
        modal->close();
        QFAIL(qPrintable(QStringLiteral("modal window %1 opened over %2")
                             .arg(modal->objectName(), (m_playing ? m_playing : ShootForm)->objectName())));
    }
    playDialog(static_cast<QDialog *>(modal));
    ShootForm->activateWindow(); // as the window manager does when the modal closes
}

void RandomPlayer::playDialog(QDialog *dialog)
{
    const bool options = dialog == OptionsForm;
    ++(options ? m_optionsPlayed : m_aboutPlayed);
    const QList<int32_t> before = parameters(*ShootForm);
    const State state = currentState();
    m_playing = dialog;
    // Whoever works a dialog has let go of the buttons held over the game.
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton,
                                         Qt::ForwardButton})
        letGo(ShootForm, button, anywhereIn(ShootForm));
    // Its accelerators need it active; the play goes on if it never is.
    if (!dialog->isActiveWindow())
        (void)QTest::qWaitForWindowActive(dialog, 1000);
    for (int made = 0; dialog->isVisible() && !broken(); ++made) {
        ++m_event;
        m_modalAnswer.start();
        // A clicked OK, Cancel or Esc may close it before this does.
        if (made >= 12 || oneIn(6))
            closeDialog(dialog);
        else if (options)
            optionsEvent();
        else if (oneIn(2))
            pressKey(dialog->windowHandle(), pick(AboutKeys));
        else
            click(dialog, anywhereIn(dialog));
        m_modalAnswer.stop();
        [&] {
            QVERIFY2(ShootForm->GameStopped, "a dialog opened during a game");
            if (dialog->isVisible()) {
                // Only OK writes, and only when the dialog closes.
                QCOMPARE(parameters(*ShootForm), before);
                verifyState(*ShootForm, state);
                QCOMPARE(Application::instance()->cursors().current(), 0); // no mallet while it is open
            }
            QVERIFY2(m_errorBoxes.texts().isEmpty(), qPrintable(m_errorBoxes.texts().join(QLatin1Char('\n'))));
        }();
    }
    if (dialog->isVisible())
        dialog->reject();
    m_playing = nullptr;
    if (!options || broken())
        return;
    if (OptionsForm->result() == QDialog::Accepted) {
        const int32_t typed = readGameTime(OptionsForm->GameTimeSet->text());
        QCOMPARE(parameters(*ShootForm),
                 (QList<int32_t>{OptionsForm->SpeedSet->maximum() + 1 - OptionsForm->SpeedSet->value(),
                                 OptionsForm->PopulationSet->value(), typed < 1 ? 150 : std::min(typed, 9999)}));
    } else {
        QCOMPARE(parameters(*ShootForm), before);
    }
}

void RandomPlayer::optionsEvent()
{
    const int choice = below(10);
    if (choice < 5) {
        pressKey(OptionsForm->windowHandle(), pick(OptionsKeys));
    } else if (choice < 7) {
        QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(OptionsForm->GameTimeSet, pick(GameTimeTexts));
    } else {
        QWidget *where = choice == 7 ? static_cast<QWidget *>(oneIn(2) ? OptionsForm->SpeedSet
                                                                         : OptionsForm->PopulationSet)
                                     : OptionsForm;
        click(where, anywhereIn(where));
    }
}

void RandomPlayer::closeDialog(QDialog *dialog)
{
    QPushButton *ok = dialog == OptionsForm ? OptionsForm->OKBtn : AboutBox->OKButton;
    QPushButton *cancel = dialog == OptionsForm ? OptionsForm->CancelBtn : nullptr;
    switch (below(cancel ? 5 : 4)) {
    case 0:
        click(ok, ok->rect().center());
        break;
    case 1:
        pressKey(dialog->windowHandle(), Qt::Key_Return);
        break;
    case 2:
        pressKey(dialog->windowHandle(), Qt::Key_Escape);
        break;
    case 3:
        dialog->windowHandle()->close(); // the title bar's close button
        break;
    default:
        click(cancel, cancel->rect().center());
        break;
    }
    QVERIFY2(!dialog->isVisible(), "the dialog stayed open");
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/playarea.h"
#include "game/shootform.h"
#include "options/optionsform.h"
#include "support/testmain.h"
#include "toolkit/intervaltimer.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

// The dialog as the player meets it: through the game window's Options command.
class OptionsGameTest : public QObject
{
    Q_OBJECT

    static constexpr int Timeout = 10000;

    // A press on the New tool button delivered the way the window system
    // delivers it, so that modality decides whether it gets through.
    void clickNewButtonThroughWindow()
    {
        QToolButton *button = ShootForm->NewButton;
        const QPoint at = button->mapTo(ShootForm, button->rect().center());
        QTest::mouseClick(ShootForm->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::processEvents();
    }

    bool focusOn(QWidget *widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        return QTest::qWaitFor([widget] { return QApplication::focusWidget() == widget; }, Timeout);
    }

private slots:
    void initTestCase()
    {
        Application *app = Application::instance();
        app->createForm(ShootForm);
        app->createForm(OptionsForm, *ShootForm);
        ShootForm->show();
        QVERIFY(QTest::qWaitForWindowActive(ShootForm, Timeout));
    }

    // The cursor rule and modality of the dialog shown by the Options command.
    void cursorRuleThroughOptionsCommand()
    {
        CursorTable &cursors = Application::instance()->cursors();
        for (const bool setMeanwhile : {false, true}) {
            cursors.setCurrent(MaletCursor);
            QCOMPARE(ShootForm->Image2->cursor().shape(), Qt::BitmapCursor);
            QVERIFY(ShootForm->GameStopped);
            bool answered = false;
            TestSupport::answerNextModal([&](QWidget *modal) {
                answered = true;
                QCOMPARE(modal, OptionsForm);
                QCOMPARE(cursors.current(), 0);
                QCOMPARE(ShootForm->Image2->cursor().shape(), Qt::ArrowCursor);
                QCOMPARE(OptionsForm->cursor().shape(), Qt::ArrowCursor);
                clickNewButtonThroughWindow();
                QVERIFY(ShootForm->GameStopped);
                if (setMeanwhile)
                    cursors.setCurrent(MaletDownCursor);
                QTest::mouseClick(OptionsForm->CancelBtn, Qt::LeftButton);
            });
            ShootForm->Options1->trigger();
            QVERIFY(answered);
            QVERIFY(!OptionsForm->isVisible());
            QCOMPARE(cursors.current(), setMeanwhile ? 0 : MaletCursor);
            QCOMPARE(ShootForm->Image2->cursor().shape(), setMeanwhile ? Qt::ArrowCursor : Qt::BitmapCursor);
            // The press that the dialog held off reaches the window once it has gone.
            clickNewButtonThroughWindow();
            QTRY_VERIFY_WITH_TIMEOUT(!ShootForm->GameStopped, Timeout);
            ShootForm->Stop1->trigger();
            QVERIFY(ShootForm->GameStopped);
        }
    }

    void nextGameUsesNewParameters()
    {
        QCOMPARE(ShootForm->SpawnRange, 30);
        TestSupport::answerNextModal([this](QWidget *) {
            QVERIFY(focusOn(OptionsForm->SpeedSet));
            QTest::keyClick(OptionsForm->SpeedSet, Qt::Key_End);
            QVERIFY(focusOn(OptionsForm->PopulationSet));
            QTest::keyClick(OptionsForm->PopulationSet, Qt::Key_Home);
            QVERIFY(focusOn(OptionsForm->GameTimeSet));
            QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(OptionsForm->GameTimeSet, QStringLiteral("40"));
            QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_Return);
        });
        ShootForm->Options1->trigger();
        QCOMPARE(ShootForm->TargetLife, 1);
        QCOMPARE(ShootForm->SpawnRange, 0);
        QCOMPARE(ShootForm->GameLength, 40);

        ShootForm->New1->trigger();
        QVERIFY(!ShootForm->GameStopped);
        // The ticks are driven by hand so that the test decides when they come.
        ShootForm->Timer1->stop();
        int spawned = 0;
        for (int tick = 1; tick <= 40; ++tick) {
            QVERIFY2(!ShootForm->GameStopped, qPrintable(QStringLiteral("stopped before tick %1").arg(tick)));
            const bool spotZeroFree = ShootForm->TargetSlots[0].ExpiryTick == 0;
            ShootForm->Timer1Timer();
            if (spotZeroFree) {
                // Population at the Low end makes no draw: spot 0 every time it is free.
                QCOMPARE(ShootForm->TargetSlots[0].ExpiryTick, tick + 1);
                ++spawned;
            }
            for (int spot = 1; spot < 8; ++spot)
                QCOMPARE(ShootForm->TargetSlots[spot].ExpiryTick, 0);
        }
        QVERIFY(ShootForm->GameStopped);
        // One target up for two ticks, then one tick to clear: every third tick.
        QCOMPARE(spawned, 14);
        QCOMPARE(ShootForm->Escaped, 13);
    }
};

THWACKLE_TEST_MAIN(OptionsGameTest)
#include "optionsgame_test.moc"

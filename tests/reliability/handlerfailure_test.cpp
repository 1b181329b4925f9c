// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A failure in every kind of handler of the real windows: each is reported
// once in the error box, the loop goes on, and the next event of the same
// kind still does its work.
//
// The failure is raised by a handler of the test's own, bound to the real
// control the way the program binds its handlers and after them: it arises
// inside the dispatch of that very event, with the program's handler already
// run, and the shipped program carries no hook for it. A paint has no bound
// handler; there an event filter raises it at the paint's dispatch.

#include "support/programwindows.h"
#include "support/testmain.h"
#include "toolkit/failure.h"
#include "toolkit/handlerbinding.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <utility>

namespace {

constexpr int Patience = 20000;

// Binds a handler that raises `message` the first time `signal` is emitted.
template <class Sender, class Signal>
void failOnce(Sender *sender, Signal signal, const QString &message)
{
    auto armed = std::make_shared<bool>(true);
    bindHandler(sender, signal, sender, [armed, message] {
        if (std::exchange(*armed, false))
            throw Failure(message);
    });
}

// Raises `message` at the first paint dispatched to `widget`.
class FailFirstPaint : public QObject
{
public:
    FailFirstPaint(QWidget *widget, QString message) : QObject(widget), m_message(std::move(message))
    {
        widget->installEventFilter(this);
    }
    bool raised() const { return !m_armed; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && std::exchange(m_armed, false))
            throw Failure(m_message);
        return false;
    }

private:
    QString m_message;
    bool m_armed = true;
};

// A press and a release on the play area outside every strike area.
const QPoint OpenWater(300, 270);

// Opens the options dialog, types `gameTime` and closes it with `close`.
void withOptions(const QString &gameTime, void (*close)())
{
    bool answered = false;
    TestSupport::answerNextModal([&](QWidget *) {
        answered = true;
        QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(OptionsForm->GameTimeSet, gameTime);
        close();
    });
    chooseMenuItem(ShootForm->Options1);
    QTRY_VERIFY_WITH_TIMEOUT(answered, Patience);
    QTRY_VERIFY_WITH_TIMEOUT(!OptionsForm->isVisible(), Patience);
}

// Each row arms its failure with `message`, makes the failing event and the
// next one of its kind through their real dispatch, and checks that the next
// one did its work.
struct HandlerFailure {
    const char *kind;
    const char *message;
    const char *shown; // the error box's text
    void (*play)(const QString &message);
};

const HandlerFailure Rows[] = {
    {"menu command", "Menu command failed", "Menu command failed.",
     [](const QString &message) {
         failOnce(ShootForm->New1, &QAction::triggered, message);
         for (QAction *item : {ShootForm->New1, ShootForm->Stop1, ShootForm->New1})
             chooseMenuItem(item);
         verifyState(*ShootForm, State::Playing);
     }},
    {"tool button", "Tool button failed!", "Tool button failed!",
     [](const QString &message) {
         failOnce(ShootForm->NewButton, &QToolButton::clicked, message);
         for (QToolButton *button : {ShootForm->NewButton, ShootForm->StopButton, ShootForm->NewButton})
             clickThroughWindow(button, button->rect().center());
         verifyState(*ShootForm, State::Playing);
     }},
    {"shortcut", "Shortcut failed.", "Shortcut failed.",
     [](const QString &message) {
         auto *aboutKey = ShootForm->findChild<QShortcut *>(QStringLiteral("AboutShortcut"));
         QVERIFY(aboutKey);
         failOnce(aboutKey, &QShortcut::activated, message);
         static int shown;
         shown = 0;
         for (int time = 0; time < 2; ++time) {
             TestSupport::answerNextModal([](QWidget *modal) {
                 shown += modal == AboutBox;
                 AboutBox->accept();
             });
             QTest::keyClick(ShootForm->windowHandle(), Qt::Key_F1);
             ShootForm->activateWindow(); // as the window manager does when the box closes
             QVERIFY(QTest::qWaitForWindowActive(ShootForm, Patience));
         }
         QCOMPARE(shown, 2);
     }},
    {"tick", "Tick failed (once)", "Tick failed (once)",
     [](const QString &message) {
         failOnce(ShootForm->Timer1, &IntervalTimer::timeout, message);
         ShootForm->New1->trigger();
         QTRY_VERIFY_WITH_TIMEOUT(ShootForm->TickCount >= 2, Patience);
         ShootForm->Stop1->trigger();
         QCOMPARE(ShootForm->TimeLabel->text(), QString::number(ShootForm->GameLength - ShootForm->TickCount));
     }},
    {"press", "Press failed 1", "Press failed 1.",
     [](const QString &message) {
         startHandTickedGame(*ShootForm);
         failOnce(ShootForm->Image2, &PlayArea::mouseDown, message);
         clickThroughWindow(ShootForm->Image2, OpenWater);
         clickThroughWindow(ShootForm->Image2, OpenWater);
         QCOMPARE(ShootForm->Misses, 2);
         QCOMPARE(ShootForm->MissLabel->text(), QStringLiteral("2"));
     }},
    {"release", "Release failed?", "Release failed?.",
     [](const QString &message) {
         failOnce(ShootForm->Image2, &PlayArea::mouseUp, message);
         clickThroughWindow(ShootForm->Image2, OpenWater);
         const QPoint at = ShootForm->Image2->mapTo(ShootForm, OpenWater);
         QTest::mousePress(ShootForm->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
         QCOMPARE(Application::instance()->cursors().current(), MaletDownCursor);
         QTest::mouseRelease(ShootForm->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
         QCOMPARE(Application::instance()->cursors().current(), MaletCursor);
     }},
    {"paint", "Paint failed", "Paint failed.",
     [](const QString &message) {
         auto *filter = new FailFirstPaint(ShootForm->Image2, message);
         ShootForm->Image2->update();
         QTRY_VERIFY_WITH_TIMEOUT(filter->raised(), Patience);
         // The next paint: a target pops up at spot 0 and must show.
         ShootForm->SpawnRange = 0;
         startHandTickedGame(*ShootForm);
         ShootForm->Timer1Timer();
         const QPoint centre = ShootForm->Image2->mapTo(ShootForm, spriteCentre(0));
         QTRY_COMPARE_WITH_TIMEOUT(ShootForm->screen()->grabWindow(ShootForm->winId()).toImage().pixel(centre),
                                   ShootForm->LiveBitmap.pixel(38, 28), Patience);
     }},
    {"key in the options dialog", "Key failed", "Key failed.",
     [](const QString &message) {
         failOnce(OptionsForm->GameTimeSet, &QLineEdit::textEdited, message);
         withOptions(QStringLiteral("7"), [] {
             QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_5);
             QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_Return);
         });
         QCOMPARE(ShootForm->GameLength, 75);
     }},
    {"options dialog OK", "OK failed.", "OK failed.",
     [](const QString &message) {
         failOnce(OptionsForm->OKBtn, &QPushButton::clicked, message);
         for (const QString &length : {QStringLiteral("60"), QStringLiteral("70")})
             withOptions(length, [] { QTest::mouseClick(OptionsForm->OKBtn, Qt::LeftButton); });
         QCOMPARE(ShootForm->GameLength, 70);
     }},
};

} // namespace

class HandlerFailureTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnEscapedException(); }
    void failureInEveryKindOfHandler_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(Rows)); ++row)
            QTest::newRow(Rows[row].kind) << row;
    }
    void failureInEveryKindOfHandler()
    {
        QFETCH(int, row);
        GameWindow windows(createProgramWindows);
        TestSupport::ErrorBoxRecorder recorder;

        Rows[row].play(QString::fromLatin1(Rows[row].message));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(recorder.texts(), QStringList{QString::fromLatin1(Rows[row].shown)});

        bool loopWentOn = false;
        QTimer::singleShot(0, qApp, [&loopWentOn] { loopWentOn = true; });
        QTRY_VERIFY_WITH_TIMEOUT(loopWentOn, Patience);
        QCOMPARE(recorder.texts().size(), 1);
    }
};

THWACKLE_TEST_MAIN(HandlerFailureTest)
#include "handlerfailure_test.moc"

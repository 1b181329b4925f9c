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

#include "app/programwindows.h"
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
#include <map>
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

// Raises `message` the first time its object receives an event of `type`.
class FailOnceFilter : public QObject
{
public:
    FailOnceFilter(QObject *watched, QEvent::Type type, QString message)
        : QObject(watched)
        , m_type(type)
        , m_message(std::move(message))
    {
        watched->installEventFilter(this);
    }
    bool raised() const { return !m_armed; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type && std::exchange(m_armed, false))
            throw Failure(m_message);
        return false;
    }

private:
    QEvent::Type m_type;
    QString m_message;
    bool m_armed = true;
};

// A press and a release on the play area outside every strike area.
const QPoint OpenWater(300, 270);

void pressThroughWindow(QWidget *widget, const QPoint &at)
{
    QTest::mousePress(ShootForm->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget->mapTo(ShootForm, at));
}

void releaseThroughWindow(QWidget *widget, const QPoint &at)
{
    QTest::mouseRelease(ShootForm->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget->mapTo(ShootForm, at));
}

// Opens the options dialog and lets `inDialog` work it; it must close it.
void withOptions(const std::function<void()> &inDialog)
{
    bool answered = false;
    TestSupport::answerNextModal([&](QWidget *) {
        answered = true;
        inDialog();
    });
    chooseMenuItem(ShootForm->Options1);
    QTRY_VERIFY_WITH_TIMEOUT(answered, Patience);
    QTRY_VERIFY_WITH_TIMEOUT(!OptionsForm->isVisible(), Patience);
}

void typeGameTime(const QString &text)
{
    QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(OptionsForm->GameTimeSet, text);
}

// What the window system shows of the game window at `at` in the play area.
QRgb shownPixel(const QPoint &at)
{
    const QImage shown = ShootForm->screen()->grabWindow(ShootForm->winId()).toImage();
    return shown.pixel(ShootForm->Image2->mapTo(ShootForm, at));
}

struct HandlerFailure {
    QString message;
    QString shown; // the error box's text
    // Arms the seam to raise `message` and makes the failing event and then
    // the next one of its kind, through their real dispatch.
    std::function<void(const QString &message)> play;
    // Checks that the next event did its work.
    std::function<void()> worked;
};

int g_aboutShown = 0;
FailOnceFilter *g_paintFailure = nullptr;

const std::map<QString, HandlerFailure> &handlerFailures()
{
    static const std::map<QString, HandlerFailure> rows{
        {QStringLiteral("menu command"),
         {QStringLiteral("Menu command failed"), QStringLiteral("Menu command failed."),
          [](const QString &message) {
              failOnce(ShootForm->New1, &QAction::triggered, message);
              chooseMenuItem(ShootForm->New1);
              chooseMenuItem(ShootForm->Stop1);
              chooseMenuItem(ShootForm->New1);
          },
          [] { verifyState(*ShootForm, State::Playing); }}},
        {QStringLiteral("tool button"),
         {QStringLiteral("Tool button failed!"), QStringLiteral("Tool button failed!"),
          [](const QString &message) {
              failOnce(ShootForm->NewButton, &QToolButton::clicked, message);
              for (QToolButton *button : {ShootForm->NewButton, ShootForm->StopButton, ShootForm->NewButton})
                  clickThroughWindow(button, button->rect().center());
          },
          [] { verifyState(*ShootForm, State::Playing); }}},
        {QStringLiteral("shortcut"),
         {QStringLiteral("Shortcut failed."), QStringLiteral("Shortcut failed."),
          [](const QString &message) {
              auto *aboutKey = ShootForm->findChild<QShortcut *>(QStringLiteral("AboutShortcut"));
              QVERIFY(aboutKey);
              failOnce(aboutKey, &QShortcut::activated, message);
              g_aboutShown = 0;
              for (int time = 0; time < 2; ++time) {
                  TestSupport::answerNextModal([](QWidget *modal) {
                      g_aboutShown += modal == AboutBox;
                      AboutBox->accept();
                  });
                  QTest::keyClick(ShootForm->windowHandle(), Qt::Key_F1);
                  ShootForm->activateWindow(); // as the window manager does when the box closes
                  QVERIFY(QTest::qWaitForWindowActive(ShootForm, Patience));
              }
          },
          [] { QCOMPARE(g_aboutShown, 2); }}},
        {QStringLiteral("tick"),
         {QStringLiteral("Tick failed (once)"), QStringLiteral("Tick failed (once)"),
          [](const QString &message) {
              failOnce(ShootForm->Timer1, &IntervalTimer::timeout, message);
              ShootForm->New1->trigger();
              QTRY_VERIFY_WITH_TIMEOUT(ShootForm->TickCount >= 2, Patience);
              ShootForm->Stop1->trigger();
          },
          [] {
              QCOMPARE(ShootForm->TimeLabel->text(), QString::number(ShootForm->GameLength - ShootForm->TickCount));
          }}},
        {QStringLiteral("press"),
         {QStringLiteral("Press failed 1"), QStringLiteral("Press failed 1."),
          [](const QString &message) {
              startHandTickedGame(*ShootForm);
              failOnce(ShootForm->Image2, &PlayArea::mouseDown, message);
              clickThroughWindow(ShootForm->Image2, OpenWater);
              clickThroughWindow(ShootForm->Image2, OpenWater);
          },
          [] {
              QCOMPARE(ShootForm->Misses, 2);
              QCOMPARE(ShootForm->MissLabel->text(), QStringLiteral("2"));
          }}},
        {QStringLiteral("release"),
         {QStringLiteral("Release failed?"), QStringLiteral("Release failed?."),
          [](const QString &message) {
              failOnce(ShootForm->Image2, &PlayArea::mouseUp, message);
              clickThroughWindow(ShootForm->Image2, OpenWater);
              pressThroughWindow(ShootForm->Image2, OpenWater);
              QCOMPARE(Application::instance()->cursors().current(), MaletDownCursor);
              releaseThroughWindow(ShootForm->Image2, OpenWater);
          },
          [] { QCOMPARE(Application::instance()->cursors().current(), MaletCursor); }}},
        {QStringLiteral("paint"),
         {QStringLiteral("Paint failed"), QStringLiteral("Paint failed."),
          [](const QString &message) {
              g_paintFailure = new FailOnceFilter(ShootForm->Image2, QEvent::Paint, message);
              ShootForm->Image2->update();
              QTRY_VERIFY_WITH_TIMEOUT(g_paintFailure->raised(), Patience);
              // The next paint: a target pops up at spot 0 and must show.
              ShootForm->SpawnRange = 0;
              startHandTickedGame(*ShootForm);
              ShootForm->Timer1Timer();
          },
          [] {
              const QRgb target = ShootForm->LiveBitmap.pixel(38, 28);
              QTRY_COMPARE_WITH_TIMEOUT(shownPixel(spriteCentre(0)), target, Patience);
          }}},
        {QStringLiteral("key in the options dialog"),
         {QStringLiteral("Key failed"), QStringLiteral("Key failed."),
          [](const QString &message) {
              failOnce(OptionsForm->GameTimeSet, &QLineEdit::textEdited, message);
              withOptions([] {
                  typeGameTime(QStringLiteral("7"));
                  QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_5);
                  QTest::keyClick(OptionsForm->GameTimeSet, Qt::Key_Return);
              });
          },
          [] { QCOMPARE(ShootForm->GameLength, 75); }}},
        {QStringLiteral("options dialog OK"),
         {QStringLiteral("OK failed."), QStringLiteral("OK failed."),
          [](const QString &message) {
              failOnce(OptionsForm->OKBtn, &QPushButton::clicked, message);
              for (const QString &length : {QStringLiteral("60"), QStringLiteral("70")}) {
                  withOptions([&length] {
                      typeGameTime(length);
                      QTest::mouseClick(OptionsForm->OKBtn, Qt::LeftButton);
                  });
              }
          },
          [] { QCOMPARE(ShootForm->GameLength, 70); }}},
    };
    return rows;
}

} // namespace

class HandlerFailureTest : public QObject
{
    Q_OBJECT

private slots:
    void failureInEveryKindOfHandler_data()
    {
        QTest::addColumn<QString>("kind");
        for (const auto &[kind, row] : handlerFailures())
            QTest::newRow(qPrintable(kind)) << kind;
    }
    void failureInEveryKindOfHandler()
    {
        QFETCH(QString, kind);
        const HandlerFailure &row = handlerFailures().at(kind);
        ProgramWindows windows;
        TestSupport::ErrorBoxRecorder recorder;

        row.play(row.message);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(recorder.texts(), QStringList{row.shown});
        QCOMPARE(recorder.captions(), QStringList{QStringLiteral("Thwackle")});
        row.worked();

        bool loopWentOn = false;
        QTimer::singleShot(0, qApp, [&loopWentOn] { loopWentOn = true; });
        QTRY_VERIFY_WITH_TIMEOUT(loopWentOn, Patience);
        QCOMPARE(recorder.texts().size(), 1);
    }
};

THWACKLE_TEST_MAIN(HandlerFailureTest)
#include "handlerfailure_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The application object's services: the error box and its text rule, the
// loop going on after a failure in a handler, guarded start-up, ownership of
// the windows, the minimise and restore notifications and the cursor rule
// around modal windows.

#include "support/testmain.h"
#include "toolkit/failure.h"
#include "toolkit/handlerbinding.h"

#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QPushButton>
#include <QTimer>

namespace {

// Records what happened to windows created through the application.
QStringList g_events;

class RecordingWindow : public QWidget
{
public:
    explicit RecordingWindow(QString name, RecordingWindow **reference = nullptr)
        : m_name(std::move(name))
    {
        // The reference is already set while the window is being built.
        if (reference)
            g_events << m_name + (*reference == this ? QStringLiteral(" sees itself") : QStringLiteral(" unseen"));
    }
    ~RecordingWindow() override { g_events << QStringLiteral("destroyed ") + m_name; }

protected:
    void showEvent(QShowEvent *) override { g_events << QStringLiteral("shown ") + m_name; }

private:
    QString m_name;
};

class FailingWindow : public RecordingWindow
{
public:
    FailingWindow()
        : RecordingWindow(QStringLiteral("failing"))
    {
        throw Failure(QStringLiteral("Resource Live not found"));
    }
};

class ThrowingButton : public QPushButton
{
public:
    using QPushButton::QPushButton;
    bool failPaint = false;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (failPaint) {
            failPaint = false; // fail once: a repaint under the box must not fail again
            throw Failure(QStringLiteral("Cannot paint"));
        }
        QPushButton::paintEvent(event);
    }
};

} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnEscapedException(); }
    void errorBoxText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("letter") << QStringLiteral("Not enough timers available")
                                << QStringLiteral("Not enough timers available.");
        QTest::newRow("digit") << QStringLiteral("JPEG error #42") << QStringLiteral("JPEG error #42.");
        QTest::newRow("question") << QStringLiteral("Why?") << QStringLiteral("Why?.");
        QTest::newRow("slash sorts after stop") << QStringLiteral("a/") << QStringLiteral("a/.");
        QTest::newRow("stop") << QStringLiteral("Done.") << QStringLiteral("Done.");
        QTest::newRow("exclamation") << QStringLiteral("Oops!") << QStringLiteral("Oops!");
        QTest::newRow("parenthesis") << QStringLiteral("(x)") << QStringLiteral("(x)");
        QTest::newRow("comma") << QStringLiteral("a,") << QStringLiteral("a,");
        QTest::newRow("hyphen") << QStringLiteral("a-") << QStringLiteral("a-");
        QTest::newRow("space") << QStringLiteral("a ") << QStringLiteral("a ");
    }
    void errorBoxText()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(Application::errorBoxText(message), shown);
    }

    void failureInTimerHandlerIsReportedAndLoopGoesOn()
    {
        TestSupport::ErrorBoxRecorder recorder;
        int ticksAfter = 0;
        QTimer::singleShot(0, qApp, [] { throw Failure(QStringLiteral("Tick failed")); });
        QTimer::singleShot(20, qApp, [&ticksAfter] { ++ticksAfter; });
        QTRY_COMPARE_WITH_TIMEOUT(ticksAfter, 1, 10000);
        QCOMPARE(recorder.texts(), QStringList{QStringLiteral("Tick failed.")});
        QCOMPARE(recorder.captions(), QStringList{QStringLiteral("Thwackle")});
    }

    void failureInClickAndPaintHandlersIsReported()
    {
        TestSupport::ErrorBoxRecorder recorder;
        ThrowingButton button(QStringLiteral("Go"));
        bool changedBeforeFailing = false;
        bindHandler(&button, &QPushButton::clicked, this, [&changedBeforeFailing] {
            changedBeforeFailing = true;
            throw Failure(QStringLiteral("Command failed!"));
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(recorder.texts().size(), 1, 10000);
        QCOMPARE(recorder.texts().constFirst(), QStringLiteral("Command failed!"));
        QVERIFY(changedBeforeFailing); // what the handler did before failing stays done

        button.failPaint = true;
        button.grab();
        QTRY_COMPARE_WITH_TIMEOUT(recorder.texts().size(), 2, 10000);
        QCOMPARE(recorder.texts().constLast(), QStringLiteral("Cannot paint."));

        // The button still works afterwards.
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(recorder.texts().size(), 3, 10000);
    }

    void startUpFailureIsReportedAndNothingIsShown()
    {
        g_events.clear();
        TestSupport::ErrorBoxRecorder recorder;
        RecordingWindow *first = nullptr;
        FailingWindow *second = reinterpret_cast<FailingWindow *>(quintptr(1));
        Application *app = Application::instance();
        const int status = app->run([&] {
            app->createForm(first, QStringLiteral("first"), &first);
            app->createForm(second);
        });
        QCOMPARE(status, 0);
        QCOMPARE(recorder.texts(), QStringList{QStringLiteral("Resource Live not found.")});
        QVERIFY(second == nullptr);
        QVERIFY(first == nullptr);
        QCOMPARE(g_events, (QStringList{QStringLiteral("first sees itself"), QStringLiteral("destroyed failing"),
                                        QStringLiteral("destroyed first")}));
    }

    void windowsAreDestroyedLastCreatedFirst()
    {
        g_events.clear();
        RecordingWindow *a = nullptr, *b = nullptr, *c = nullptr;
        Application *app = Application::instance();
        app->createForm(a, QStringLiteral("a"), &a);
        app->createForm(b, QStringLiteral("b"), &b);
        app->createForm(c, QStringLiteral("c"), &c);
        app->destroyForms();
        QCOMPARE(g_events, (QStringList{QStringLiteral("a sees itself"), QStringLiteral("b sees itself"),
                                        QStringLiteral("c sees itself"), QStringLiteral("destroyed c"),
                                        QStringLiteral("destroyed b"), QStringLiteral("destroyed a")}));
        QVERIFY(!a && !b && !c);
    }

    void modalWindowSwitchesTheCursorOffAndBack_data()
    {
        QTest::addColumn<int>("setDuring");
        QTest::addColumn<int>("after");
        QTest::newRow("untouched: saved cursor returns") << -1 << 5;
        QTest::newRow("changed meanwhile: none") << 6 << 0;
        QTest::newRow("set to none meanwhile: saved returns") << 0 << 5;
    }
    void modalWindowSwitchesTheCursorOffAndBack()
    {
        QFETCH(int, setDuring);
        QFETCH(int, after);
        CursorTable &cursors = Application::instance()->cursors();
        cursors.registerCursor(5, QCursor(Qt::CrossCursor));
        cursors.registerCursor(6, QCursor(Qt::PointingHandCursor));
        // A window beside the modal one, with a control that has a cursor of its own.
        QWidget window;
        QLineEdit edit(&window);
        window.show();
        cursors.setCurrent(5);
        QCOMPARE(window.cursor().shape(), Qt::CrossCursor);
        QCOMPARE(edit.cursor().shape(), Qt::CrossCursor);

        QDialog dialog;
        int during = -1;
        Qt::CursorShape windowDuring = Qt::BlankCursor, editDuring = Qt::BlankCursor, dialogDuring = Qt::BlankCursor;
        TestSupport::answerNextModal([&](QWidget *modal) {
            during = cursors.current();
            windowDuring = window.cursor().shape();
            editDuring = edit.cursor().shape();
            dialogDuring = modal->cursor().shape();
            if (setDuring >= 0)
                cursors.setCurrent(setDuring);
            static_cast<QDialog *>(modal)->reject();
        });
        Application::instance()->execModal(&dialog);
        QCOMPARE(during, 0);
        QCOMPARE(windowDuring, Qt::ArrowCursor);
        QCOMPARE(editDuring, Qt::IBeamCursor);
        QCOMPARE(dialogDuring, Qt::ArrowCursor);
        QCOMPARE(cursors.current(), after);
        QCOMPARE(window.cursor().shape(), after != 0 ? Qt::CrossCursor : Qt::ArrowCursor);
        QCOMPARE(edit.cursor().shape(), after != 0 ? Qt::CrossCursor : Qt::IBeamCursor);
        cursors.setCurrent(0);
    }

    // Client areas only, whenever they appear; each control's own cursor back
    // at 0. What the X server then shows is tests/app/x11_test's part.
    void cursorCoversClientAreasAndGivesOwnCursorsBack()
    {
        CursorTable &cursors = Application::instance()->cursors();
        cursors.registerCursor(5, QCursor(Qt::CrossCursor));
        QMainWindow window;
        QMenu *menu = window.menuBar()->addMenu(QStringLiteral("&Game"));
        menu->addAction(QStringLiteral("&New"));
        auto *client = new QWidget;
        window.setCentralWidget(client);
        auto *edit = new QLineEdit(client);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        cursors.setCurrent(42); // no entry: the arrow, set all the same
        QVERIFY(client->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(client->cursor().shape(), Qt::ArrowCursor);
        cursors.setCurrent(5);
        QCOMPARE(client->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(edit->cursor().shape(), Qt::CrossCursor);
        menu->popup(window.mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        // The menu bar, the menu and the window around them ask for nothing.
        for (QWidget *bare : std::initializer_list<QWidget *>{&window, window.menuBar(), menu})
            QVERIFY2(!bare->testAttribute(Qt::WA_SetCursor), bare->metaObject()->className());
        menu->close();

        // Controls and windows that come along later are covered too.
        auto *later = new QLineEdit(client);
        later->show();
        QCOMPARE(later->cursor().shape(), Qt::CrossCursor);
        edit->setCursor(Qt::SizeAllCursor); // a control changes its mind meanwhile
        QCOMPARE(edit->cursor().shape(), Qt::CrossCursor);
        QWidget other;
        other.show();
        QCOMPARE(other.cursor().shape(), Qt::CrossCursor);

        cursors.setCurrent(6);
        cursors.setCurrent(0);
        QCOMPARE(edit->cursor().shape(), Qt::SizeAllCursor);
        QCOMPARE(later->cursor().shape(), Qt::IBeamCursor);
        QCOMPARE(other.cursor().shape(), Qt::ArrowCursor); // a window keeps an arrow of its own
        for (QWidget *bare : std::initializer_list<QWidget *>{client, window.menuBar(), &window})
            QVERIFY2(!bare->testAttribute(Qt::WA_SetCursor), bare->metaObject()->className());
    }

    void toolTipsShowAfterHalfASecondAndHideAfterTwoAndAHalf()
    {
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
        QPushButton button(QStringLiteral("Stop"));
        button.setToolTip(QStringLiteral("Stop the game"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QElapsedTimer shown;
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&button, &help);
        shown.start();
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Stop the game"));
        // Qt's own default would keep it up for ten seconds.
        QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 8000);
        QVERIFY(shown.elapsed() >= 2000);
    }

    void minimiseAndRestoreNotifyOnce()
    {
        Application *app = Application::instance();
        RecordingWindow *main = nullptr;
        app->createForm(main, QStringLiteral("main"));
        QCOMPARE(app->mainWindow(), main);
        QStringList calls;
        connect(app, &Application::minimized, main, [&calls] { calls << QStringLiteral("minimise"); });
        connect(app, &Application::restored, main, [&calls] { calls << QStringLiteral("restore"); });
        main->show();
        main->setWindowState(Qt::WindowMinimized);
        main->setWindowState(Qt::WindowMinimized);
        main->setWindowState(Qt::WindowNoState);
        main->setWindowState(Qt::WindowMaximized);
        QCOMPARE(calls, (QStringList{QStringLiteral("minimise"), QStringLiteral("restore")}));
        app->destroyForms();
    }
};

THWACKLE_TEST_MAIN(ApplicationTest)
#include "application_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real windows on Wayland, under a weston of the test's own with its
// headless backend: a game played through, and what minimising does there.
// Wayland never tells a window that it was minimised; once the compositor
// stops asking for frames Qt takes the window as out of sight. A running game
// pauses then and carries on when the window is back; a game paused by hand
// stays paused.

#include "app/startup.h"
#include "game/gamefixture.h"
#include "support/serverprocess.h"
#include "support/testsupport.h"
#include "toolkit/application.h"
#include "toolkit/picturebox.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <cstdlib>

namespace {

constexpr int Timeout = 60000; // weston and Qt may take their time on a loaded machine

QString g_noServer; // why the test cannot run, when it cannot

enum class State { Ready, Playing, Paused, GameOver };

State stateOf(const TShootForm &form)
{
    if (form.GameStopped)
        return form.Image3->isVisible() ? State::Ready : State::GameOver;
    return form.GamePaused ? State::Paused : State::Playing;
}

// The exposure changes that Qt reports for a window: once the watcher has
// seen one, the program has heard of it too.
class ExposureWatcher : public QObject
{
public:
    explicit ExposureWatcher(QWindow *window)
    {
        window->installEventFilter(this);
    }

    // Forgets what was seen so far: before doing what should change it.
    void forget() { m_seen = false; }

    // Waits for the window to be reported out of sight, or back in sight.
    bool waitFor(bool exposed)
    {
        return QTest::qWaitFor([this, exposed] { return m_seen && m_exposed == exposed; }, Timeout);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose) {
            m_seen = true;
            m_exposed = static_cast<QWindow *>(watched)->isExposed();
        }
        return false;
    }

private:
    bool m_seen = false;
    bool m_exposed = true;
};

// A running game, which Qt may pause for a moment should the compositor be
// slow to ask for a frame.
bool waitUntilPlaying(const TShootForm &form)
{
    return QTest::qWaitFor([&form] { return stateOf(form) == State::Playing; }, Timeout);
}

} // namespace

Q_DECLARE_METATYPE(State)

class WaylandTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!g_noServer.isEmpty())
            QSKIP(qPrintable(g_noServer));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        QVERIFY(!Application::instance()->reportsMinimise());
        Startup::createForms(*Application::instance());
        ShootForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(ShootForm, Timeout));
    }

    void cleanupTestCase()
    {
        if (g_noServer.isEmpty())
            Application::instance()->destroyForms();
    }

    void init()
    {
        if (!ShootForm->windowHandle()->isExposed()) {
            ShootForm->hide();
            ShootForm->show();
        }
        QVERIFY(QTest::qWaitForWindowExposed(ShootForm, Timeout));
    }

    void playsAGame()
    {
        TShootForm &form = *ShootForm;
        QTest::mouseClick(form.NewButton, Qt::LeftButton);
        QCOMPARE(stateOf(form), State::Playing);

        // A target comes up in the end; strike it, then strike the water.
        int spot = -1;
        QVERIFY(QTest::qWaitFor([&] {
            if (stateOf(form) != State::Playing)
                return false;
            for (spot = 0; spot < int(form.TargetSlots.size()); ++spot) {
                if (form.TargetSlots[spot].ExpiryTick != 0 && !form.TargetSlots[spot].Hit)
                    return true;
            }
            return false;
        }, Timeout));
        const int score = form.Score;
        strike(form, spriteCentre(spot));
        QCOMPARE(form.Hits, 1);
        QCOMPARE(form.Score, score + 5);
        strike(form, QPoint(300, 270));
        QCOMPARE(form.Misses, 1);
        QCOMPARE(form.ScoreLabel->text(), QString::number(score + 3));

        QTest::mouseClick(form.PauseButton, Qt::LeftButton);
        QCOMPARE(stateOf(form), State::Paused);
        const int pausedAt = form.TickCount;
        QTest::qWait(500);
        QCOMPARE(form.TickCount, pausedAt);
        form.Pause1->trigger();
        QCOMPARE(stateOf(form), State::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(form.TickCount > pausedAt, Timeout);
        QVERIFY(waitUntilPlaying(form));
        QTest::mouseClick(form.StopButton, Qt::LeftButton);
        QCOMPARE(stateOf(form), State::GameOver);
        QVERIFY(form.GameOverImage->isVisible());
    }

    void minimising_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("byTitleBar");
        QTest::addColumn<State>("outOfSight");
        QTest::addColumn<State>("backInSight");
        QTest::newRow("running game pauses, then carries on") << "running" << false << State::Paused
                                                             << State::Playing;
        QTest::newRow("title bar's button: the same") << "running" << true << State::Paused << State::Playing;
        QTest::newRow("paused by hand: stays paused") << "paused" << false << State::Paused << State::Paused;
        QTest::newRow("after a game: nothing") << "over" << false << State::GameOver << State::GameOver;
    }
    void minimising()
    {
        QFETCH(QString, before);
        QFETCH(bool, byTitleBar);
        QFETCH(State, outOfSight);
        QFETCH(State, backInSight);
        TShootForm &form = *ShootForm;
        if (form.GamePaused)
            form.Pause1->trigger();
        form.Stop1->trigger();
        QCOMPARE(stateOf(form), State::GameOver);
        if (before != QLatin1String("over"))
            form.New1->trigger();
        if (before == QLatin1String("paused"))
            form.Pause1->trigger();

        ExposureWatcher watcher(form.windowHandle());
        // The compositor stops asking for frames only from a window that
        // draws; a running game draws anyway.
        QTimer drawing;
        connect(&drawing, &QTimer::timeout, &form, [&form] { form.update(); });
        drawing.start(100);
        watcher.forget();
        if (byTitleBar) // as Qt's own title bar does on Wayland: xdg_toplevel.set_minimized
            form.windowHandle()->setWindowStates(form.windowHandle()->windowStates() | Qt::WindowMinimized);
        else
            form.showMinimized();
        QVERIFY2(watcher.waitFor(false), "the window goes out of sight");
        QCOMPARE(stateOf(form), outOfSight);
        const int ticks = form.TickCount;
        QTest::qWait(500);
        if (outOfSight != State::Playing)
            QCOMPARE(form.TickCount, ticks);

        // Weston's headless backend has no seat to bring the window back
        // with; mapping it anew is what the program sees of that.
        watcher.forget();
        form.hide();
        form.show();
        QVERIFY2(watcher.waitFor(true), "the window is back in sight");
        QCOMPARE(stateOf(form), backInSight);
        if (backInSight == State::Playing)
            QTRY_VERIFY_WITH_TIMEOUT(form.TickCount > ticks, Timeout);
    }
};

int main(int argc, char *argv[])
{
    // The compositor comes first and goes last: the application object talks
    // to it all its life. Its runtime directory is private to this run.
    char runtime[] = "/tmp/thwackle-wayland-XXXXXX";
    const QString runtimeDir = QString::fromLocal8Bit(mkdtemp(runtime));
    const QString socket = QStringLiteral("thwackle-test");
    ServerProcess weston;
    if (runtimeDir.isEmpty()) {
        g_noServer = QStringLiteral("no runtime directory for weston");
    } else if (!weston.start(QStringLiteral("weston"),
                             {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=") + socket,
                              QStringLiteral("--idle-time=0"), QStringLiteral("--no-config"),
                              QStringLiteral("--log=") + runtimeDir + QStringLiteral("/weston.log")},
                             {QStringLiteral("XDG_RUNTIME_DIR=") + runtimeDir})) {
        g_noServer = QStringLiteral("weston could not be started");
    } else {
        const QString path = runtimeDir + QLatin1Char('/') + socket;
        for (int waited = 0; waited < 600 && weston.running() && !QFileInfo::exists(path); ++waited)
            QThread::msleep(100);
        const QString log = runtimeDir + QStringLiteral("/weston.log");
        if (!QFileInfo::exists(log)) {
            g_noServer = QStringLiteral("weston could not be run: is it installed?");
            QDir(runtimeDir).removeRecursively();
        } else if (!QFileInfo::exists(path) || !weston.running()) {
            g_noServer = QStringLiteral("weston did not come up (its log: %1)").arg(log);
        } else {
            qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
            qputenv("WAYLAND_DISPLAY", socket.toLocal8Bit());
            qputenv("QT_QPA_PLATFORM", "wayland");
        }
    }
    int status = 0;
    {
        Application app("thwackle-tests");
        app.setTitle(QStringLiteral("Thwackle"));
        TestSupport::installMessageGuard();
        WaylandTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    weston.stop();
    // Kept when weston failed, for its log.
    if (g_noServer.isEmpty() && !runtimeDir.isEmpty())
        QDir(runtimeDir).removeRecursively();
    return status;
}

#include "wayland_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up and shutdown of the whole program, as the main routine runs them.

#include "about/aboutbox.h"
#include "app/startup.h"
#include "game/shootform.h"
#include "options/optionsform.h"
#include "resources/assets.h"
#include "support/testmain.h"

#include <QAction>
#include <QTimer>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void startsShowsTheGameAndShutsDownInOrder()
    {
        QStringList seen, destroyed;
        QTimer::singleShot(0, qApp, [&] {
            seen << (ShootForm && ShootForm->isVisible() ? QStringLiteral("game shown") : QStringLiteral("no game"));
            seen << (OptionsForm && !OptionsForm->isVisible() ? QStringLiteral("options hidden") : QString());
            seen << (AboutBox && !AboutBox->isVisible() ? QStringLiteral("about hidden") : QString());
            seen << (Application::instance()->mainWindow() == ShootForm ? QStringLiteral("main") : QString());
            for (QObject *window : std::initializer_list<QObject *>{ShootForm, OptionsForm, AboutBox}) {
                const QString name = window->objectName();
                connect(window, &QObject::destroyed, qApp, [&destroyed, name] { destroyed << name; });
            }
            ShootForm->Exit1->trigger();
        });
        QCOMPARE(Startup::run(*Application::instance()), 0);
        QCOMPARE(seen, (QStringList{QStringLiteral("game shown"), QStringLiteral("options hidden"),
                                    QStringLiteral("about hidden"), QStringLiteral("main")}));
        QCOMPARE(destroyed, (QStringList{QStringLiteral("AboutBox"), QStringLiteral("OptionsForm"),
                                         QStringLiteral("ShootForm")}));
        QVERIFY(!ShootForm && !OptionsForm && !AboutBox);
    }

    void missingSpriteIsReportedAndTheWindowNeverShows_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::newRow("Live") << QStringLiteral("Live");
        QTest::newRow("Dead") << QStringLiteral("Dead");
    }
    void missingSpriteIsReportedAndTheWindowNeverShows()
    {
        QFETCH(QString, resource);
        TestSupport::ErrorBoxRecorder recorder;
        Assets::withholdForTesting(QStringLiteral("named/") + resource);
        bool anyWindowShown = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&anyWindowShown] {
            for (QWidget *window : QApplication::topLevelWidgets())
                anyWindowShown |= window->isVisible() && window->objectName() != QLatin1String("ErrorBox");
        });
        watcher.start(1);
        const int status = Startup::run(*Application::instance());
        Assets::withholdForTesting(QStringLiteral("named/") + resource, false);
        QCOMPARE(status, 0);
        QCOMPARE(recorder.texts(), QStringList{QStringLiteral("Resource %1 not found.").arg(resource)});
        QCOMPARE(recorder.captions(), QStringList{QStringLiteral("Thwackle")});
        QVERIFY(!ShootForm && !OptionsForm && !AboutBox);
        QVERIFY(!anyWindowShown);
    }

    void missingCursorAndIconFallBackQuietly()
    {
        for (const char *name : {"named/Malet", "named/MaletDown", "named/MAINICON"})
            Assets::withholdForTesting(QLatin1String(name));
        const bool noMalet = !Assets::cursor(QStringLiteral("Malet"));
        const bool noMaletDown = !Assets::cursor(QStringLiteral("MaletDown"));
        const bool noIcon = Assets::mainIcon().isNull();
        for (const char *name : {"named/Malet", "named/MaletDown", "named/MAINICON"})
            Assets::withholdForTesting(QLatin1String(name), false);
        QVERIFY(noMalet && noMaletDown && noIcon);
        QVERIFY(Assets::cursor(QStringLiteral("Malet")).has_value());
        QVERIFY(!Assets::mainIcon().isNull());
    }

    void f1OpensTheAboutBoxOnlyBetweenGames()
    {
        Application *app = Application::instance();
        Startup::createForms(*app);
        ShootForm->show();
        QVERIFY(QTest::qWaitForWindowActive(ShootForm));
        int shown = 0, cursorDuring = -1;
        const auto answer = [&](QWidget *modal) {
            shown += modal == AboutBox;
            cursorDuring = app->cursors().current();
            AboutBox->accept();
        };
        TestSupport::answerNextModal(answer);
        QTest::keyClick(ShootForm, Qt::Key_F1);
        QCOMPARE(shown, 1);
        QCOMPARE(cursorDuring, 0);
        QCOMPARE(app->cursors().current(), MaletCursor);

        ShootForm->New1->trigger();
        ShootForm->activateWindow(); // as the window manager does when the box closes
        QVERIFY(QTest::qWaitForWindowActive(ShootForm));
        QTest::keyClick(ShootForm, Qt::Key_F1);
        QTest::qWait(50);
        QVERIFY(!AboutBox->isVisible());
        ShootForm->Stop1->trigger();
        ShootForm->activateWindow(); // as the window manager does when the box closes
        QVERIFY(QTest::qWaitForWindowActive(ShootForm));
        TestSupport::answerNextModal(answer);
        QTest::keyClick(ShootForm, Qt::Key_F1);
        QCOMPARE(shown, 2);
        app->destroyForms();
    }
};

THWACKLE_TEST_MAIN(StartupTest)
#include "startup_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program started where there is no display: one line that says what is
// missing and how to play anyway, and status 1; neither Qt's advice to
// reinstall nor its abort. Where the display is not what failed, Qt's own
// messages, and status 1 all the same.

#include "support/testmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

class NoDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void saysWhatIsMissing_data()
    {
        // Each row's environment is all the program gets, nothing inherited;
        // an empty value stands for a fresh directory that holds nothing but
        // an empty, unloadable copy of the library the X11 plugin needs.
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("said"); // a line of ours, alone; or a line of Qt's among its others
        const auto noDisplay = [](const QString &missing) {
            return QStringLiteral("thwackle: no display found (%1); start it in a desktop session, or on a virtual "
                                  "display with xvfb-run (Debian package xvfb)")
                .arg(missing);
        };
        QTest::newRow("empty environment") << QStringList{} << noDisplay(QStringLiteral("tried X11 with no display set"));
        QTest::newRow("debug output asked for")
            << QStringList{QStringLiteral("QT_DEBUG_PLUGINS=1")}
            << QStringLiteral("qt.core.plugin.factoryloader: Got keys from plugin meta data QList(\"xcb\")");
        QTest::newRow("displays that do not answer")
            << QStringList{QStringLiteral("DISPLAY=:9876"), QStringLiteral("WAYLAND_DISPLAY=thwackle-nowhere"),
                           QStringLiteral("XDG_SESSION_TYPE=wayland"), QStringLiteral("XDG_RUNTIME_DIR=")}
            << noDisplay(QStringLiteral("tried Wayland, then X11 on display :9876"));
        QTest::newRow("only X11 asked for")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("DISPLAY=:9876"),
                           QStringLiteral("WAYLAND_DISPLAY=thwackle-nowhere"), QStringLiteral("XDG_RUNTIME_DIR=")}
            << noDisplay(QStringLiteral("tried X11 on display :9876"));
        QTest::newRow("no such platform") << QStringList{QStringLiteral("QT_QPA_PLATFORM=bogus")}
                                          << noDisplay(QStringLiteral("the display platform \"bogus\" is not available"));
        QTest::newRow("a plugin that does not load")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("LD_LIBRARY_PATH=")}
            << QStringLiteral("qt.qpa.plugin: Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.");
    }
    void saysWhatIsMissing()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, said);
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        QFile unloadable(scratch.filePath(QStringLiteral("libQt6XcbQpa.so.6")));
        QVERIFY(unloadable.open(QIODevice::WriteOnly));
        QProcessEnvironment variables;
        for (const QString &entry : environment) {
            const QString value = entry.section(QLatin1Char('='), 1);
            variables.insert(entry.section(QLatin1Char('='), 0, 0), value.isEmpty() ? scratch.path() : value);
        }

        QProcess game;
        game.setProcessEnvironment(variables);
        game.start(QStringLiteral(THWACKLE_BINARY), QStringList{});
        QVERIFY(game.waitForFinished(120000));
        const QString error = QString::fromLocal8Bit(game.readAllStandardError());
        QCOMPARE(game.exitStatus(), QProcess::NormalExit); // no abort
        QCOMPARE(game.exitCode(), 1);
        // What else Qt prints, and in which order, changes between its
        // versions (a note on a locale that is not UTF-8, a missing library).
        if (said.startsWith(QLatin1String("thwackle:")))
            QCOMPARE(error, said + QLatin1Char('\n'));
        else
            QVERIFY2(error.split(QLatin1Char('\n')).contains(said), qPrintable(error));
        QVERIFY(game.readAllStandardOutput().isEmpty());
    }

    // Where a display answers, Qt's warnings from start-up, held while the guard waited, come out once it
    // stands down (the game then runs, and is killed).
    void passesStartUpWarningsOn()
    {
        const QString line = QStringLiteral("Unknown scale factor rounding policy: bogus");
        QProcess game;
        game.setEnvironment({QStringLiteral("QT_QPA_PLATFORM=offscreen"), QStringLiteral("QT_SCALE_FACTOR_ROUNDING_POLICY=bogus")});
        game.start(QStringLiteral(THWACKLE_BINARY), QStringList{});
        QString error;
        (void)QTest::qWaitFor([&] {
            error += QString::fromLocal8Bit(game.readAllStandardError());
            return error.contains(line) || game.state() == QProcess::NotRunning;
        }, 20000);
        game.kill();
        game.waitForFinished();
        error += QString::fromLocal8Bit(game.readAllStandardError());
        QVERIFY2(error.contains(line), qPrintable(error));
    }
};

THWACKLE_TEST_MAIN(NoDisplayTest)
#include "nodisplay_test.moc"

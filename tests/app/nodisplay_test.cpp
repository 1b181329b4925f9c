// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program started where there is no display: one line that says what is
// missing and how to play anyway, and status 1; neither Qt's advice to
// reinstall nor its abort.

#include "support/testmain.h"

#include <QProcess>
#include <QTemporaryDir>

class NoDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void saysWhatIsMissing_data()
    {
        // Each row's environment is all the program gets, nothing inherited;
        // an empty value stands for a fresh, empty directory.
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("missing");
        const QString none = QStringLiteral("neither X11 nor Wayland");
        QTest::newRow("empty environment") << QStringList{} << none;
        QTest::newRow("displays that do not answer")
            << QStringList{QStringLiteral("DISPLAY=:9876"), QStringLiteral("WAYLAND_DISPLAY=thwackle-nowhere"),
                           QStringLiteral("XDG_RUNTIME_DIR=")}
            << none;
        QTest::newRow("no such platform") << QStringList{QStringLiteral("QT_QPA_PLATFORM=bogus")}
                                          << QStringLiteral("the display platform \"bogus\" is not available");
    }
    void saysWhatIsMissing()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, missing);
        QTemporaryDir runtime; // an empty runtime directory: no Wayland socket in it
        QVERIFY(runtime.isValid());
        QProcessEnvironment variables;
        for (const QString &entry : environment) {
            const QString value = entry.section(QLatin1Char('='), 1);
            variables.insert(entry.section(QLatin1Char('='), 0, 0), value.isEmpty() ? runtime.path() : value);
        }

        QProcess game;
        game.setProcessEnvironment(variables);
        game.start(QStringLiteral(THWACKLE_BINARY), QStringList{});
        QVERIFY(game.waitForFinished(120000));
        const QString said = QString::fromLocal8Bit(game.readAllStandardError());
        QCOMPARE(game.exitStatus(), QProcess::NormalExit); // no abort
        QCOMPARE(game.exitCode(), 1);
        QCOMPARE(said, QStringLiteral("thwackle: no display found (%1); start it on a desktop, or run `make run` from "
                                      "the source tree, which starts a virtual display\n")
                           .arg(missing));
        QVERIFY(game.readAllStandardOutput().isEmpty());
    }
};

THWACKLE_TEST_MAIN(NoDisplayTest)
#include "nodisplay_test.moc"

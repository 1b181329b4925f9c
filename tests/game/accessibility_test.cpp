// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader gets from the game window, through Qt's accessibility
// interfaces: the tool buttons named after their commands, the play area,
// and each scoreboard value read with its caption, kept current as the game
// goes.

#include "support/gamefixture.h"
#include "support/testmain.h"

#include <QAccessible>
#include <QToolButton>

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void namesAsTheGameGoes_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("names");
        // New, Pause and Stop buttons, play area, then time left, hits,
        // misses, escaped and score.
        const auto row = [](const char *name, const char *events, const char *names) {
            QTest::newRow(name) << QString::fromLatin1(events).split(QLatin1Char(' '), Qt::SkipEmptyParts)
                                << QString::fromLatin1(names).split(QLatin1Char('|'));
        };
        row("at start", "", "New|Pause|Stop|Play area|Time left 00|Hits 0|Misses 0|Escaped 0|Total 0");
        row("paused", "New Score Pause",
            "New|Continue|Stop|Play area|Time left 141|Hits 3|Misses 1|Escaped 2|Total 11");
        row("continued", "New Pause Pause",
            "New|Pause|Stop|Play area|Time left 00|Hits 0|Misses 0|Escaped 0|Total 0");
        row("a negative score", "New Strike",
            "New|Pause|Stop|Play area|Time left 150|Hits 0|Misses 1|Escaped 0|Total -2");
    }
    void namesAsTheGameGoes()
    {
        QFETCH(QStringList, events);
        QFETCH(QStringList, names);
        GameWindow form;
        const QList<QObject *> controls{form->NewButton, form->PauseButton, form->StopButton,
                                        form->Image2,    form->TimeLabel,   form->HitsLabel,
                                        form->MissLabel, form->EscapedLabel, form->ScoreLabel};
        // Asked for once, as a screen reader does: the interfaces must follow.
        QList<QAccessibleInterface *> readable;
        for (QObject *control : controls)
            readable << QAccessible::queryAccessibleInterface(control);
        QVERIFY(!readable.contains(nullptr));
        for (int i = 4; i < readable.size(); ++i)
            QCOMPARE(readable[i]->role(), QAccessible::StaticText);

        for (const QString &event : events) {
            if (event == QLatin1String("New")) {
                startHandTickedGame(*form);
            } else if (event == QLatin1String("Pause")) {
                form->Pause1->trigger();
            } else if (event == QLatin1String("Strike")) {
                strike(*form, QPoint(300, 270));
            } else {
                form->TickCount = 9;
                form->Hits = 3;
                form->Misses = 1;
                form->Escaped = 2;
                form->Score = 11;
                form->WriteScore();
            }
        }
        QStringList read;
        for (QAccessibleInterface *interface : std::as_const(readable))
            read << interface->text(QAccessible::Name);
        QCOMPARE(read, names);
    }
};

THWACKLE_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"

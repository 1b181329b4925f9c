// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/optionsform.h"
#include "support/testmain.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <climits>

using P = GameParameters;
Q_DECLARE_METATYPE(GameParameters)

bool operator==(const GameParameters &a, const GameParameters &b)
{
    return a.TargetLife == b.TargetLife && a.SpawnRange == b.SpawnRange && a.GameLength == b.GameLength;
}

char *toString(const GameParameters &p)
{
    return qstrdup(qPrintable(QString::asprintf("{%d, %d, %d}", p.TargetLife, p.SpawnRange, p.GameLength)));
}

class OptionsFormTest : public QObject
{
    Q_OBJECT

    static constexpr int Timeout = 10000;
    GameParameters m_parameters;
    TOptionsForm *m_form = nullptr;

    // Shows the dialog the way the player gets it: modal and active.
    bool openDialog()
    {
        m_form->open();
        return QTest::qWaitForWindowActive(m_form, Timeout);
    }

    bool focusOn(QWidget *widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        return QTest::qWaitFor([widget] { return QApplication::focusWidget() == widget; }, Timeout);
    }

    // Keys go where the player's keys go: to the widget with the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClick(target ? target : m_form, key, modifiers);
    }

    void typeGameTime(const QString &text)
    {
        QLineEdit *edit = m_form->GameTimeSet;
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        // keyClicks takes Latin-1 only; other characters go as key events
        // that carry just their text, as an input method would send them.
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(edit, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    bool closedWith(int result)
    {
        return QTest::qWaitFor([this] { return !m_form->isVisible(); }, Timeout) && m_form->result() == result;
    }

    bool clickOK()
    {
        QTest::mouseClick(m_form->OKBtn, Qt::LeftButton);
        return closedWith(QDialog::Accepted);
    }

private slots:
    void init()
    {
        m_parameters = {15, 30, 150};
        m_form = new TOptionsForm(m_parameters);
    }

    void cleanup()
    {
        delete m_form;
        m_form = nullptr;
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        auto row = [](const char *name, const char *kind, QRect geometry, const char *caption) {
            QTest::newRow(name) << name << kind << geometry << caption;
        };
        row("Bevel1", "QFrame", {8, 8, 281, 217}, "");
        row("Speed", "QLabel", {133, 24, 31, 13}, "&Speed");
        row("SpeedSet", "QSlider", {36, 40, 225, 25}, "");
        row("Slow", "QLabel", {36, 72, 23, 13}, "Slow");
        row("Fast", "QLabel", {241, 72, 20, 13}, "Fast");
        row("Population", "QLabel", {123, 96, 50, 13}, "&Population");
        row("PopulationSet", "QSlider", {36, 112, 225, 25}, "");
        row("Label1", "QLabel", {36, 144, 20, 13}, "Low");
        row("Label2", "QLabel", {239, 144, 22, 13}, "High");
        row("Time", "QLabel", {121, 168, 54, 13}, "&Game Time");
        row("GameTimeSet", "QLineEdit", {116, 184, 65, 21}, "150");
        row("OKBtn", "QPushButton", {300, 8, 75, 25}, "OK");
        row("CancelBtn", "QPushButton", {300, 38, 75, 25}, "Cancel");
    }

    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QVERIFY(openDialog());
        auto *widget = m_form->findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), m_form);
        QCOMPARE(QLatin1String(widget->metaObject()->className()), kind);
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            QCOMPARE(label->text(), caption);
            // A label may widen to the right, a little, to fit its caption in the face at hand.
            QCOMPARE(label->pos(), geometry.topLeft());
            QCOMPARE(label->height(), geometry.height());
            QVERIFY(label->width() >= qMax(geometry.width(), label->sizeHint().width()));
            QVERIFY(label->width() <= geometry.width() + 12);
            QVERIFY(label->fontMetrics().horizontalAdvance(QString(caption).remove(u'&')) <= label->width());
            return;
        }
        QCOMPARE(widget->geometry(), geometry);
        if (auto *button = qobject_cast<QPushButton *>(widget))
            QCOMPARE(button->text(), caption);
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            QCOMPARE(edit->text(), caption);
    }

    void windowAndFirstFocus()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(m_form->pos(), QPoint(254, 262));
        QCOMPARE(m_form->minimumSize(), QSize(383, 230));
        QCOMPARE(m_form->maximumSize(), QSize(383, 230));
        const Qt::WindowFlags flags = m_form->windowFlags();
        QVERIFY(flags.testFlags(Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(m_form->font().pixelSize(), 11);
        QVERIFY(!m_form->isVisible());
        QVERIFY(openDialog());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), m_form->OKBtn, Timeout);
    }

    void tabOrderAndAccelerators()
    {
        QVERIFY(openDialog());
        QVERIFY(focusOn(m_form->OKBtn));
        for (QWidget *next : std::initializer_list<QWidget *>{m_form->CancelBtn, m_form->SpeedSet,
                                                              m_form->PopulationSet, m_form->GameTimeSet, m_form->OKBtn}) {
            press(Qt::Key_Tab);
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), next, Timeout);
        }
        const std::pair<Qt::Key, QWidget *> accelerators[] = {
            {Qt::Key_S, m_form->SpeedSet}, {Qt::Key_P, m_form->PopulationSet}, {Qt::Key_G, m_form->GameTimeSet}};
        for (const auto &[key, target] : accelerators) {
            QVERIFY(focusOn(m_form->OKBtn));
            press(key, Qt::AltModifier);
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), target, Timeout);
            QVERIFY(m_form->isVisible());
        }
    }

    void showLoadsAndOKStores_data()
    {
        QTest::addColumn<GameParameters>("given");
        QTest::addColumn<int>("speedShown");
        QTest::addColumn<int>("populationShown");
        QTest::addColumn<QString>("typed"); // into Game Time before OK; null: left as shown
        QTest::addColumn<GameParameters>("stored");
        QTest::newRow("defaults") << P{15, 30, 150} << 16 << 30 << QString() << P{15, 30, 150};
        QTest::newRow("upper ends") << P{31, 35, 9999} << 0 << 35 << QString() << P{31, 35, 9999};
        QTest::newRow("lower ends") << P{1, 0, 1} << 30 << 0 << QString() << P{1, 0, 1};
        QTest::newRow("just outside") << P{32, 36, -7} << 0 << 35 << QString() << P{31, 35, 150};
        QTest::newRow("just below") << P{0, -1, 10000} << 30 << 0 << QString() << P{1, 0, 9999};
        QTest::newRow("int min") << P{INT_MIN, INT_MIN, INT_MIN} << 30 << 0 << QString() << P{1, 0, 150};
        QTest::newRow("int max") << P{INT_MAX, INT_MAX, INT_MAX} << 0 << 35 << QString() << P{31, 35, 9999};
        for (int life = 1; life <= 31; ++life)
            QTest::addRow("TargetLife %d", life) << P{life, 30, 150} << 31 - life << 30 << QString() << P{life, 30, 150};
        for (int range = 0; range <= 35; ++range)
            QTest::addRow("SpawnRange %d", range) << P{15, range, 150} << 16 << range << QString() << P{15, range, 150};
        // Typed text reads like C's atol with 32-bit wrap; below 1 gives 150, above 9999 gives 9999.
        const std::pair<const char16_t *, int> typed[] = {
            {u"", 150}, {u"abc", 150}, {u"0", 150}, {u"-0", 150}, {u"-20", 150}, {u"1", 1}, {u"0042", 42},
            {u"  75", 75}, {u"+75", 75}, {u"75 ticks", 75}, {u"1e3", 1}, {u"12.9", 12}, {u"+-5", 150},
            {u"- 5", 150}, {u"9999", 9999}, {u"10000", 9999}, {u"2147483647", 9999}, {u"2147483648", 150},
            {u"4294967295", 150}, {u"4294967297", 1}, {u"4294967446", 150}, {u"-4294967295", 1},
            {u"-4294966996", 300}, {u"99999999999999999999", 9999},
            {u"\u00a075", 150}, // non-ASCII space
            {u"\u0667\u0665", 150}, // Arabic-Indic digits
        };
        for (const auto &[text, length] : typed) {
            const QString t = QString::fromUtf16(text);
            QTest::addRow("typed \"%s\"", qPrintable(t)) << P{15, 30, 500} << 16 << 30 << t << P{15, 30, length};
        }
    }

    void showLoadsAndOKStores()
    {
        QFETCH(GameParameters, given);
        QFETCH(int, speedShown);
        QFETCH(int, populationShown);
        QFETCH(QString, typed);
        QFETCH(GameParameters, stored);
        m_parameters = given;
        QVERIFY(openDialog());
        QCOMPARE(m_form->SpeedSet->value(), speedShown);
        QCOMPARE(m_form->PopulationSet->value(), populationShown);
        QCOMPARE(m_form->GameTimeSet->text(), QString::number(given.GameLength));
        if (!typed.isNull()) {
            typeGameTime(typed);
            QCOMPARE(m_form->GameTimeSet->text(), typed);
        }
        QVERIFY(clickOK());
        QCOMPARE(m_parameters, stored);
    }

    // Arrows move a bar by one, Page keys by two, Home and End to its ends;
    // Return on a bar is OK.
    void barKeys()
    {
        QVERIFY(openDialog());
        QSlider *speed = m_form->SpeedSet;
        QSlider *population = m_form->PopulationSet;
        const std::tuple<QSlider *, Qt::Key, int> steps[] = {
            {speed, Qt::Key_Right, 17}, {speed, Qt::Key_Left, 16}, {speed, Qt::Key_PageUp, 18},
            {speed, Qt::Key_PageDown, 16}, {speed, Qt::Key_End, 30}, {speed, Qt::Key_Home, 0},
            {population, Qt::Key_Right, 31}, {population, Qt::Key_Left, 30}, {population, Qt::Key_PageUp, 32},
            {population, Qt::Key_PageDown, 30}, {population, Qt::Key_Home, 0}, {population, Qt::Key_End, 35},
        };
        for (const auto &[bar, key, position] : steps) {
            QVERIFY(focusOn(bar));
            press(key);
            QCOMPARE(bar->value(), position);
        }
        press(Qt::Key_Return);
        QVERIFY(closedWith(QDialog::Accepted));
        QCOMPARE(m_parameters, (P{31, 35, 150}));
    }

    // The mouse route: each bar's handle dragged past one end, then OK.
    void barDraggedToTheEnds()
    {
        for (const bool toLeft : {true, false}) {
            QVERIFY(openDialog());
            for (QSlider *bar : {m_form->SpeedSet, m_form->PopulationSet}) {
                const QPoint from(1 + (bar->width() - 2) * bar->value() / bar->maximum(), bar->height() / 2);
                const QPoint to(toLeft ? -40 : bar->width() + 40, from.y());
                QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, from);
                QTest::mouseMove(bar, (from + to) / 2);
                QTest::mouseMove(bar, to);
                QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, to);
                QCOMPARE(bar->value(), toLeft ? bar->minimum() : bar->maximum());
            }
            QVERIFY(clickOK());
            QCOMPARE(m_parameters, (toLeft ? P{31, 0, 150} : P{1, 35, 150}));
            m_parameters = {15, 30, 150};
        }
    }

    // Every way to close: only OK (by click, Return, keypad Enter or Space)
    // stores what was changed, and the next showing loads the stored values.
    void closing_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key"); // 0: mouse click on the control; -1: the close button
        QTest::addColumn<bool>("accepted");
        for (const char *control : {"OKBtn", "SpeedSet", "PopulationSet", "GameTimeSet", "CancelBtn"}) {
            const bool accepted = qstrcmp(control, "CancelBtn") != 0;
            QTest::addRow("Return on %s", control) << control << int(Qt::Key_Return) << accepted;
            QTest::addRow("keypad Enter on %s", control) << control << int(Qt::Key_Enter) << accepted;
        }
        QTest::newRow("Space on OKBtn") << "OKBtn" << int(Qt::Key_Space) << true;
        QTest::newRow("Space on CancelBtn") << "CancelBtn" << int(Qt::Key_Space) << false;
        QTest::newRow("click on CancelBtn") << "CancelBtn" << 0 << false;
        QTest::newRow("Esc") << "GameTimeSet" << int(Qt::Key_Escape) << false;
        QTest::newRow("close button") << "GameTimeSet" << -1 << false;
    }

    void closing()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(bool, accepted);
        m_parameters = {7, 12, 333};
        QVERIFY(openDialog());
        QVERIFY(focusOn(m_form->SpeedSet));
        press(Qt::Key_End);
        QVERIFY(focusOn(m_form->PopulationSet));
        press(Qt::Key_Home);
        typeGameTime(QStringLiteral("42"));
        QCOMPARE(m_form->SpeedSet->value(), 30);
        auto *target = m_form->findChild<QWidget *>(control);
        QVERIFY(focusOn(target));
        if (key == 0)
            QTest::mouseClick(target, Qt::LeftButton);
        else if (key < 0)
            QVERIFY(m_form->close());
        else
            press(Qt::Key(key));
        QVERIFY(closedWith(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(m_parameters, (accepted ? P{1, 0, 42} : P{7, 12, 333}));
        QVERIFY(openDialog());
        QCOMPARE(m_form->SpeedSet->value(), accepted ? 30 : 24);
        QCOMPARE(m_form->PopulationSet->value(), accepted ? 0 : 12);
        QCOMPARE(m_form->GameTimeSet->text(), accepted ? QStringLiteral("42") : QStringLiteral("333"));
    }

    // Through the toolkit's modal showing, as the game's Options command does.
    void cursorRule()
    {
        CursorTable &cursors = Application::instance()->cursors();
        cursors.registerCursor(5, QCursor(Qt::CrossCursor));
        cursors.registerCursor(6, QCursor(Qt::PointingHandCursor));
        for (const bool setMeanwhile : {false, true}) {
            cursors.setCurrent(5);
            bool answered = false;
            TestSupport::answerNextModal([&](QWidget *modal) {
                answered = true;
                QCOMPARE(modal, m_form);
                QCOMPARE(cursors.current(), 0);
                QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
                QCOMPARE(m_form->GameTimeSet->cursor().shape(), Qt::IBeamCursor);
                QCOMPARE(m_form->SpeedSet->cursor().shape(), Qt::ArrowCursor);
                if (setMeanwhile)
                    cursors.setCurrent(6);
                QTest::mouseClick(m_form->OKBtn, Qt::LeftButton);
            });
            QCOMPARE(Application::instance()->execModal(m_form), int(QDialog::Accepted));
            QVERIFY(answered);
            // Put back only if nothing set a cursor while the dialog was open.
            QCOMPARE(cursors.current(), setMeanwhile ? 0 : 5);
            QCOMPARE(m_form->SpeedSet->cursor().shape(), setMeanwhile ? Qt::ArrowCursor : Qt::CrossCursor);
            QCOMPARE(m_form->GameTimeSet->cursor().shape(), setMeanwhile ? Qt::IBeamCursor : Qt::CrossCursor);
        }
        cursors.setCurrent(0);
    }
};

THWACKLE_TEST_MAIN(OptionsFormTest)
#include "optionsform_test.moc"

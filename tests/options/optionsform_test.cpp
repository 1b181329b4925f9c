#include "options/optionsform.h"
#include "support/testmain.h"

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <climits>

namespace {

constexpr int Timeout = 10000;

} // namespace

class OptionsFormTest : public QObject
{
    Q_OBJECT

private:
    GameParameters m_parameters;
    TOptionsForm *m_form = nullptr;

    void setParameters(int32_t life, int32_t range, int32_t length)
    {
        m_parameters.TargetLife = life;
        m_parameters.SpawnRange = range;
        m_parameters.GameLength = length;
    }

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
        QTest::mouseClick(m_form->GameTimeSet, Qt::LeftButton);
        QTest::keyClick(m_form->GameTimeSet, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_form->GameTimeSet, Qt::Key_Backspace);
        // keyClicks takes Latin-1 only; other characters go as key events
        // that carry just their text, as an input method would send them.
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(m_form->GameTimeSet, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, m_form->GameTimeSet, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    bool closedWith(int result)
    {
        return QTest::qWaitFor([this] { return !m_form->isVisible(); }, Timeout) && m_form->result() == result;
    }

private slots:
    void init()
    {
        setParameters(15, 30, 150);
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
            // A label may widen to the right to fit its caption in the face at hand.
            QCOMPARE(label->pos(), geometry.topLeft());
            QCOMPARE(label->height(), geometry.height());
            QCOMPARE(label->width(), qMax(geometry.width(), label->sizeHint().width()));
            QVERIFY(label->width() <= geometry.width() + 12);
            QVERIFY(label->fontMetrics().horizontalAdvance(QString(caption).remove(u'&')) <= label->width());
            qInfo("%s: table %dx%d, actual %d,%d %dx%d", qPrintable(name), geometry.width(), geometry.height(),
                  label->x(), label->y(), label->width(), label->height());
            return;
        }
        QCOMPARE(widget->geometry(), geometry);
        if (auto *button = qobject_cast<QPushButton *>(widget))
            QCOMPARE(button->text(), caption);
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            QCOMPARE(edit->text(), caption);
    }

    void window()
    {
        QCOMPARE(m_form->objectName(), QStringLiteral("OptionsForm"));
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(m_form->pos(), QPoint(254, 262));
        QCOMPARE(m_form->minimumSize(), QSize(383, 230));
        QCOMPARE(m_form->maximumSize(), QSize(383, 230));
        const Qt::WindowFlags flags = m_form->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(m_form->font().pixelSize(), 11);
        QVERIFY(!m_form->isVisible());

        QVERIFY(m_form->OKBtn->isDefault());
        QVERIFY(!m_form->CancelBtn->isDefault());
        QCOMPARE(m_form->Bevel1->focusPolicy(), Qt::NoFocus);
    }

    void firstShowingFocusesOK()
    {
        QVERIFY(openDialog());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), m_form->OKBtn, Timeout);
    }

    void tabOrder()
    {
        QVERIFY(openDialog());
        QVERIFY(focusOn(m_form->OKBtn));
        const QList<QWidget *> expected{m_form->CancelBtn, m_form->SpeedSet, m_form->PopulationSet,
                                        m_form->GameTimeSet, m_form->OKBtn};
        for (QWidget *next : expected) {
            press(Qt::Key_Tab);
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), next, Timeout);
        }
    }

    void accelerators_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("target");
        QTest::newRow("Alt+S") << int(Qt::Key_S) << QStringLiteral("SpeedSet");
        QTest::newRow("Alt+P") << int(Qt::Key_P) << QStringLiteral("PopulationSet");
        QTest::newRow("Alt+G") << int(Qt::Key_G) << QStringLiteral("GameTimeSet");
    }

    void accelerators()
    {
        QFETCH(int, key);
        QFETCH(QString, target);
        QVERIFY(openDialog());
        QVERIFY(focusOn(m_form->OKBtn));
        press(Qt::Key(key), Qt::AltModifier);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), m_form->findChild<QWidget *>(target), Timeout);
        QVERIFY(m_form->isVisible());
    }

    void showLoadsAndOKStores_data()
    {
        QTest::addColumn<int>("life");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("speedShown");
        QTest::addColumn<int>("populationShown");
        QTest::addColumn<QString>("timeShown");
        QTest::addColumn<int>("lifeAfter");
        QTest::addColumn<int>("rangeAfter");
        QTest::addColumn<int>("lengthAfter");
        QTest::newRow("defaults") << 15 << 30 << 150 << 16 << 30 << "150" << 15 << 30 << 150;
        QTest::newRow("upper ends") << 31 << 35 << 9999 << 0 << 35 << "9999" << 31 << 35 << 9999;
        QTest::newRow("lower ends") << 1 << 0 << 1 << 30 << 0 << "1" << 1 << 0 << 1;
        QTest::newRow("just outside") << 32 << 36 << -7 << 0 << 35 << "-7" << 31 << 35 << 150;
        QTest::newRow("just below") << 0 << -1 << 10000 << 30 << 0 << "10000" << 1 << 0 << 9999;
        QTest::newRow("int min") << INT_MIN << INT_MIN << INT_MIN << 30 << 0 << "-2147483648" << 1 << 0 << 150;
        QTest::newRow("int max") << INT_MAX << INT_MAX << INT_MAX << 0 << 35 << "2147483647" << 31 << 35 << 9999;
        for (int life = 1; life <= 31; ++life)
            QTest::addRow("TargetLife %d", life) << life << 30 << 150 << 31 - life << 30 << "150" << life << 30 << 150;
        for (int range = 0; range <= 35; ++range)
            QTest::addRow("SpawnRange %d", range) << 15 << range << 150 << 16 << range << "150" << 15 << range << 150;
    }

    void showLoadsAndOKStores()
    {
        QFETCH(int, life);
        QFETCH(int, range);
        QFETCH(int, length);
        setParameters(life, range, length);
        QVERIFY(openDialog());
        QFETCH(int, speedShown);
        QCOMPARE(m_form->SpeedSet->value(), speedShown);
        QFETCH(int, populationShown);
        QCOMPARE(m_form->PopulationSet->value(), populationShown);
        QFETCH(QString, timeShown);
        QCOMPARE(m_form->GameTimeSet->text(), timeShown);
        QTest::mouseClick(m_form->OKBtn, Qt::LeftButton);
        QVERIFY(closedWith(QDialog::Accepted));
        QFETCH(int, lifeAfter);
        QCOMPARE(m_parameters.TargetLife, lifeAfter);
        QFETCH(int, rangeAfter);
        QCOMPARE(m_parameters.SpawnRange, rangeAfter);
        QFETCH(int, lengthAfter);
        QCOMPARE(m_parameters.GameLength, lengthAfter);
    }

    void gameTime_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("length");
        QTest::newRow("empty") << "" << 150;
        QTest::newRow("letters") << "abc" << 150;
        QTest::newRow("zero") << "0" << 150;
        QTest::newRow("negative") << "-20" << 150;
        QTest::newRow("two spaces") << "  75" << 75;
        QTest::newRow("plus") << "+75" << 75;
        QTest::newRow("trailing word") << "75 ticks" << 75;
        QTest::newRow("exponent") << "1e3" << 1;
        QTest::newRow("largest") << "9999" << 9999;
        QTest::newRow("too large") << "10000" << 9999;
        QTest::newRow("2^32+1") << "4294967297" << 1;
        QTest::newRow("2^31") << "2147483648" << 150;
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("minus zero") << "-0" << 150;
        QTest::newRow("leading zeros") << "0042" << 42;
        QTest::newRow("two signs") << "+-5" << 150;
        QTest::newRow("space after sign") << "- 5" << 150;
        QTest::newRow("decimal") << "12.9" << 12;
        QTest::newRow("2^31-1") << "2147483647" << 9999;
        QTest::newRow("2^32-1") << "4294967295" << 150;
        QTest::newRow("-(2^32-1)") << "-4294967295" << 1;
        QTest::newRow("2^32+150") << "4294967446" << 150;
        QTest::newRow("-(2^32-300)") << "-4294966996" << 300;
        QTest::newRow("twenty digits") << "99999999999999999999" << 9999;
        QTest::newRow("non-ASCII space") << QString(QChar(0x00a0)) + QStringLiteral("75") << 150;
        QTest::newRow("Arabic-Indic digits") << QString(QChar(0x0667)) + QString(QChar(0x0665)) << 150;
    }

    void gameTime()
    {
        QFETCH(QString, typed);
        QFETCH(int, length);
        setParameters(15, 30, 500);
        QVERIFY(openDialog());
        typeGameTime(typed);
        QCOMPARE(m_form->GameTimeSet->text(), typed);
        QTest::mouseClick(m_form->OKBtn, Qt::LeftButton);
        QVERIFY(closedWith(QDialog::Accepted));
        QCOMPARE(m_parameters.GameLength, length);
    }

    void barKeys_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("life");
        QTest::addColumn<int>("range");
        // Starts from the defaults: speed bar at 16, population bar at 30.
        QTest::newRow("Slow end") << "SpeedSet" << int(Qt::Key_Home) << 0 << 31 << 30;
        QTest::newRow("Fast end") << "SpeedSet" << int(Qt::Key_End) << 30 << 1 << 30;
        QTest::newRow("Low end") << "PopulationSet" << int(Qt::Key_Home) << 0 << 15 << 0;
        QTest::newRow("High end") << "PopulationSet" << int(Qt::Key_End) << 35 << 15 << 35;
        QTest::newRow("speed right") << "SpeedSet" << int(Qt::Key_Right) << 17 << 14 << 30;
        QTest::newRow("speed left") << "SpeedSet" << int(Qt::Key_Left) << 15 << 16 << 30;
        QTest::newRow("speed page up") << "SpeedSet" << int(Qt::Key_PageUp) << 18 << 13 << 30;
        QTest::newRow("speed page down") << "SpeedSet" << int(Qt::Key_PageDown) << 14 << 17 << 30;
        QTest::newRow("population right") << "PopulationSet" << int(Qt::Key_Right) << 31 << 15 << 31;
        QTest::newRow("population left") << "PopulationSet" << int(Qt::Key_Left) << 29 << 15 << 29;
        QTest::newRow("population page up") << "PopulationSet" << int(Qt::Key_PageUp) << 32 << 15 << 32;
        QTest::newRow("population page down") << "PopulationSet" << int(Qt::Key_PageDown) << 28 << 15 << 28;
    }

    void barKeys()
    {
        QFETCH(QString, bar);
        QFETCH(int, key);
        QFETCH(int, position);
        QVERIFY(openDialog());
        auto *slider = m_form->findChild<QSlider *>(bar);
        QVERIFY(focusOn(slider));
        press(Qt::Key(key));
        QCOMPARE(slider->value(), position);
        press(Qt::Key_Return);
        QVERIFY(closedWith(QDialog::Accepted));
        QFETCH(int, life);
        QCOMPARE(m_parameters.TargetLife, life);
        QFETCH(int, range);
        QCOMPARE(m_parameters.SpawnRange, range);
        QCOMPARE(m_parameters.GameLength, 150);
    }

    void barDraggedToTheEnds_data()
    {
        QTest::addColumn<bool>("toLeft");
        QTest::addColumn<int>("life");
        QTest::addColumn<int>("range");
        QTest::newRow("Slow and Low") << true << 31 << 0;
        QTest::newRow("Fast and High") << false << 1 << 35;
    }

    // The mouse route: drag each bar's handle past its end.
    void barDraggedToTheEnds()
    {
        QFETCH(bool, toLeft);
        QVERIFY(openDialog());
        for (QSlider *bar : {m_form->SpeedSet, m_form->PopulationSet}) {
            const QPoint from(1 + (bar->width() - 2) * (bar->value() - bar->minimum()) / bar->maximum(),
                              bar->height() / 2);
            const QPoint to(toLeft ? -40 : bar->width() + 40, from.y());
            QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, from);
            QTest::mouseMove(bar, (from + to) / 2);
            QTest::mouseMove(bar, to);
            QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, to);
            QCOMPARE(bar->value(), toLeft ? bar->minimum() : bar->maximum());
        }
        QTest::mouseClick(m_form->OKBtn, Qt::LeftButton);
        QVERIFY(closedWith(QDialog::Accepted));
        QFETCH(int, life);
        QCOMPARE(m_parameters.TargetLife, life);
        QFETCH(int, range);
        QCOMPARE(m_parameters.SpawnRange, range);
    }

    void dismissChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("Esc") << "escape";
        QTest::newRow("close button") << "close";
    }

    void dismissChangesNothing()
    {
        QFETCH(QString, how);
        setParameters(7, 12, 333);
        QVERIFY(openDialog());
        QVERIFY(focusOn(m_form->SpeedSet));
        press(Qt::Key_End);
        QVERIFY(focusOn(m_form->PopulationSet));
        press(Qt::Key_Home);
        typeGameTime(QStringLiteral("42"));
        QCOMPARE(m_form->SpeedSet->value(), 30);
        if (how == QLatin1String("cancel"))
            QTest::mouseClick(m_form->CancelBtn, Qt::LeftButton);
        else if (how == QLatin1String("escape"))
            press(Qt::Key_Escape);
        else
            QVERIFY(m_form->close());
        QVERIFY(closedWith(QDialog::Rejected));
        QCOMPARE(m_parameters.TargetLife, 7);
        QCOMPARE(m_parameters.SpawnRange, 12);
        QCOMPARE(m_parameters.GameLength, 333);

        QVERIFY(openDialog());
        QCOMPARE(m_form->SpeedSet->value(), 24);
        QCOMPARE(m_form->PopulationSet->value(), 12);
        QCOMPARE(m_form->GameTimeSet->text(), QStringLiteral("333"));
    }

    void enterAndSpace_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepted");
        for (const char *control : {"OKBtn", "SpeedSet", "PopulationSet", "GameTimeSet", "CancelBtn"}) {
            const bool accepted = qstrcmp(control, "CancelBtn") != 0;
            QTest::addRow("Return on %s", control) << control << int(Qt::Key_Return) << accepted;
            QTest::addRow("keypad Enter on %s", control) << control << int(Qt::Key_Enter) << accepted;
        }
        QTest::newRow("Space on OKBtn") << "OKBtn" << int(Qt::Key_Space) << true;
        QTest::newRow("Space on CancelBtn") << "CancelBtn" << int(Qt::Key_Space) << false;
    }

    void enterAndSpace()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(bool, accepted);
        QVERIFY(openDialog());
        typeGameTime(QStringLiteral("77"));
        QVERIFY(focusOn(m_form->findChild<QWidget *>(control)));
        press(Qt::Key(key));
        QVERIFY(closedWith(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(m_parameters.GameLength, accepted ? 77 : 150);
    }

    // Through the toolkit's modal showing, as the game's Options command does.
    void cursorRule_data()
    {
        QTest::addColumn<bool>("setMeanwhile");
        QTest::newRow("left alone") << false;
        QTest::newRow("set while open") << true;
    }

    void cursorRule()
    {
        QFETCH(bool, setMeanwhile);
        CursorTable &cursors = Application::instance()->cursors();
        cursors.registerCursor(5, QCursor(Qt::CrossCursor));
        cursors.registerCursor(6, QCursor(Qt::PointingHandCursor));
        cursors.setCurrent(5);

        bool answered = false;
        TestSupport::answerNextModal([&](QWidget *modal) {
            answered = true;
            QCOMPARE(modal, m_form);
            QCOMPARE(cursors.current(), 0);
            QVERIFY(!QGuiApplication::overrideCursor());
            QCOMPARE(m_form->GameTimeSet->cursor().shape(), Qt::IBeamCursor);
            QCOMPARE(m_form->SpeedSet->cursor().shape(), Qt::ArrowCursor);
            if (setMeanwhile)
                cursors.setCurrent(6);
            QTest::mouseClick(m_form->OKBtn, Qt::LeftButton);
        });
        QCOMPARE(Application::instance()->execModal(m_form), int(QDialog::Accepted));
        QVERIFY(answered);
        if (setMeanwhile) {
            QCOMPARE(cursors.current(), 0);
            QVERIFY(!QGuiApplication::overrideCursor());
        } else {
            QCOMPARE(cursors.current(), 5);
            QVERIFY(QGuiApplication::overrideCursor());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        }
        cursors.setCurrent(0);
    }
};

THWACKLE_TEST_MAIN(OptionsFormTest)
#include "optionsform_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The mallet as the X server shows it: over the play area, the pictures, the
// scoreboard and the tool panel; not over the menu bar nor the open menu; not
// while the options dialog is open, and back after. The test runs the real
// windows on an Xvfb server of its own and reads the cursor through XFixes.

#include "app/startup.h"
#include "game/playarea.h"
#include "game/shootform.h"
#include "options/optionsform.h"
#include "resources/assets.h"
#include "support/serverprocess.h"
#include "support/shownxcursor.h"
#include "support/testsupport.h"
#include "toolkit/application.h"
#include "toolkit/picturebox.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

constexpr int Timeout = 30000; // a loaded machine may be slow to move a pointer

QString g_noServer; // why the test cannot run, when it cannot

// The mallet's drawing, as a set of opaque pixels, with its hot spot.
bool isMallet(const std::optional<ShownXCursor> &shown)
{
    static const QCursor mallet = *Assets::cursor(QStringLiteral("Malet"));
    const QImage drawing = mallet.pixmap().toImage();
    if (!shown || shown->image.size() != drawing.size() || shown->hotSpot != mallet.hotSpot())
        return false;
    for (int y = 0; y < drawing.height(); ++y) {
        for (int x = 0; x < drawing.width(); ++x) {
            if ((qAlpha(shown->image.pixel(x, y)) != 0) != (qAlpha(drawing.pixel(x, y)) != 0))
                return false;
        }
    }
    return true;
}

QImage shownImage()
{
    const auto shown = shownXCursor();
    return shown ? shown->image : QImage();
}

QPoint centreOf(const QWidget *widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

QPoint gameMenuTitle()
{
    return ShootForm->MainMenu1->mapToGlobal(
        ShootForm->MainMenu1->actionGeometry(ShootForm->Gamr1->menuAction()).center());
}

} // namespace

class CursorX11Test : public QObject
{
    Q_OBJECT

    // Moves the pointer and waits until the X server shows the mallet there,
    // or shows something else.
    static bool pointAt(const QPoint &at, bool mallet)
    {
        QCursor::setPos(at);
        return QTest::qWaitFor([mallet] { return isMallet(shownXCursor()) == mallet; }, Timeout);
    }

private slots:
    void initTestCase()
    {
        if (!g_noServer.isEmpty())
            QSKIP(qPrintable(g_noServer));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        Startup::createForms(*Application::instance());
        ShootForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(ShootForm, Timeout));
    }

    void cleanupTestCase()
    {
        if (g_noServer.isEmpty())
            Application::instance()->destroyForms();
    }

    void overTheWindow_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("mallet");
        QTest::newRow("play area") << QStringLiteral("play area") << true;
        QTest::newRow("start picture") << QStringLiteral("start picture") << true;
        QTest::newRow("scoreboard") << QStringLiteral("scoreboard") << true;
        QTest::newRow("score label") << QStringLiteral("score label") << true;
        QTest::newRow("tool panel") << QStringLiteral("tool panel") << true;
        QTest::newRow("tool button") << QStringLiteral("tool button") << true;
        QTest::newRow("menu bar") << QStringLiteral("menu bar") << false;
        QTest::newRow("open Game menu") << QStringLiteral("open Game menu") << false;
    }
    void overTheWindow()
    {
        QFETCH(QString, place);
        QFETCH(bool, mallet);
        const QPoint playArea = ShootForm->Image2->mapToGlobal(QPoint(20, 250));
        // Start from the other kind of cursor, so that what is seen is the
        // server's answer to this move.
        QVERIFY2(pointAt(mallet ? gameMenuTitle() : playArea, !mallet), "the cursor before the move");

        QPoint at;
        if (place == QLatin1String("play area"))
            at = playArea;
        else if (place == QLatin1String("start picture"))
            at = centreOf(ShootForm->Image3);
        else if (place == QLatin1String("scoreboard"))
            at = ShootForm->Image1->mapToGlobal(QPoint(20, 20));
        else if (place == QLatin1String("score label"))
            at = centreOf(ShootForm->ScoreLabel);
        else if (place == QLatin1String("tool panel"))
            at = ShootForm->Panel1->mapToGlobal(QPoint(10, 110));
        else if (place == QLatin1String("tool button"))
            at = centreOf(ShootForm->NewButton);
        else if (place == QLatin1String("menu bar"))
            at = gameMenuTitle();
        else {
            QMenuBar *bar = ShootForm->MainMenu1;
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->mapFromGlobal(gameMenuTitle()));
            QVERIFY(QTest::qWaitForWindowExposed(ShootForm->Gamr1, Timeout));
            at = ShootForm->Gamr1->mapToGlobal(ShootForm->Gamr1->actionGeometry(ShootForm->New1).center());
        }
        const bool seen = pointAt(at, mallet);
        if (ShootForm->Gamr1->isVisible())
            ShootForm->Gamr1->close();
        QVERIFY2(seen, mallet ? "the mallet shows" : "the system's cursor shows");
    }

    // While the options dialog is open each control shows its own cursor,
    // over the dialog and over the game window alike; the mallet is back
    // when it closes.
    void noMalletWhileTheOptionsDialogIsOpen()
    {
        const QPoint playArea = ShootForm->Image2->mapToGlobal(QPoint(20, 250));
        QVERIFY(pointAt(playArea, true));
        bool answered = false;
        TestSupport::answerNextModal([&](QWidget *) {
            answered = true;
            QVERIFY(QTest::qWaitForWindowExposed(OptionsForm, Timeout));
            QVERIFY2(pointAt(centreOf(OptionsForm->OKBtn), false), "no mallet over the dialog");
            const QImage overButton = shownImage();
            // The edit field's own cursor, told by its change from the button's.
            QCursor::setPos(centreOf(OptionsForm->GameTimeSet));
            QVERIFY(QTest::qWaitFor([&] { return shownImage() != overButton; }, Timeout));
            const QImage overEdit = shownImage();
            QVERIFY(!isMallet(shownXCursor()));
            QCursor::setPos(playArea);
            QVERIFY(QTest::qWaitFor([&] { return shownImage() != overEdit; }, Timeout));
            QVERIFY2(!isMallet(shownXCursor()), "no mallet over the game window while the dialog is open");
            OptionsForm->CancelBtn->click();
        });
        ShootForm->Options1->trigger();
        QVERIFY(answered);
        QCursor::setPos(centreOf(ShootForm->Image3));
        QVERIFY2(pointAt(playArea, true), "the mallet is back");
    }
};

int main(int argc, char *argv[])
{
    // The X server comes first and goes last: the application object talks
    // to it all its life.
    ServerProcess xvfb;
    if (!xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("3"),
                                             QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                             QStringLiteral("-screen"), QStringLiteral("0"),
                                             QStringLiteral("1024x768x24")})) {
        g_noServer = QStringLiteral("Xvfb could not be started");
    } else {
        const QByteArray display = xvfb.readLine(60000);
        if (display.isEmpty()) {
            g_noServer = QStringLiteral("Xvfb did not come up");
        } else {
            qputenv("DISPLAY", ":" + display);
            qputenv("QT_QPA_PLATFORM", "xcb");
        }
    }
    Application app("thwackle-tests");
    app.setTitle(QStringLiteral("Thwackle"));
    TestSupport::installMessageGuard();
    CursorX11Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "cursor_x11_test.moc"

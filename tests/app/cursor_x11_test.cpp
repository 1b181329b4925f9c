// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The mallet as the X server shows it, read through XFixes: over the play
// area, the pictures, the scoreboard and the tool panel; not over the menu bar
// nor the open menu; not while the options dialog is open, and back after.
// Runs the real windows on an Xvfb of its own (support/with-server).

#include "app/startup.h"
#include "game/playarea.h"
#include "game/shootform.h"
#include "options/optionsform.h"
#include "resources/assets.h"
#include "support/testmain.h"
#include "toolkit/picturebox.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace {

constexpr int Timeout = 30000; // a loaded machine may be slow to move a pointer

// The cursor the X server shows where the pointer is, and its hot spot.
QImage shownCursor(QPoint *hotSpot = nullptr)
{
    static Display *const display = [] {
        Display *opened = XOpenDisplay(nullptr);
        int events = 0;
        int errors = 0;
        return opened && XFixesQueryExtension(opened, &events, &errors) ? opened : nullptr;
    }();
    XFixesCursorImage *cursor = display ? XFixesGetCursorImage(display) : nullptr;
    if (!cursor)
        return {};
    QImage image(cursor->width, cursor->height, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < cursor->width * cursor->height; ++i) // one pixel in each long
        image.setPixel(i % cursor->width, i / cursor->width, QRgb(cursor->pixels[i] & 0xffffffffu));
    if (hotSpot)
        *hotSpot = QPoint(cursor->xhot, cursor->yhot);
    XFree(cursor);
    return image;
}

// The mallet's drawing, pixel for pixel opaque or not, with its hot spot.
bool malletShown()
{
    static const QCursor mallet = *Assets::cursor(QStringLiteral("Malet"));
    static const QImage drawing = mallet.pixmap().toImage();
    QPoint hotSpot;
    const QImage shown = shownCursor(&hotSpot);
    if (shown.size() != drawing.size() || hotSpot != mallet.hotSpot())
        return false;
    for (int y = 0; y < drawing.height(); ++y) {
        for (int x = 0; x < drawing.width(); ++x) {
            if ((qAlpha(shown.pixel(x, y)) != 0) != (qAlpha(drawing.pixel(x, y)) != 0))
                return false;
        }
    }
    return true;
}

// Moves the pointer, and waits until the server shows the mallet there or,
// as asked, something else.
bool pointAt(const QPoint &at, bool mallet)
{
    QCursor::setPos(at);
    return QTest::qWaitFor([mallet] { return malletShown() == mallet; }, Timeout);
}

QPoint centreOf(const QWidget *widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

QPoint playArea()
{
    return ShootForm->Image2->mapToGlobal(QPoint(20, 250)); // beside the start picture
}

QPoint gameMenuTitle()
{
    QMenuBar *bar = ShootForm->MainMenu1;
    return bar->mapToGlobal(bar->actionGeometry(ShootForm->Gamr1->menuAction()).center());
}

} // namespace

class CursorX11Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("THWACKLE_TEST_SKIP"))
            QSKIP(qPrintable(qEnvironmentVariable("THWACKLE_TEST_SKIP")));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        Startup::createForms(*Application::instance());
        ShootForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(ShootForm, Timeout));
    }

    void overTheGameWindow_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("mallet");
        for (const char *place :
             {"play area", "start picture", "scoreboard", "score label", "tool panel", "tool button"})
            QTest::newRow(place) << QString::fromLatin1(place) << true;
        QTest::newRow("menu bar") << QStringLiteral("menu bar") << false;
        QTest::newRow("open Game menu") << QStringLiteral("open Game menu") << false;
    }
    void overTheGameWindow()
    {
        QFETCH(QString, place);
        QFETCH(bool, mallet);
        // From the other kind of cursor, so that what shows is the server's
        // answer to this move.
        QVERIFY(pointAt(mallet ? gameMenuTitle() : playArea(), !mallet));
        const QHash<QString, QPoint> places{
            {QStringLiteral("play area"), playArea()},
            {QStringLiteral("start picture"), centreOf(ShootForm->Image3)},
            {QStringLiteral("scoreboard"), ShootForm->Image1->mapToGlobal(QPoint(20, 20))},
            {QStringLiteral("score label"), centreOf(ShootForm->ScoreLabel)},
            {QStringLiteral("tool panel"), ShootForm->Panel1->mapToGlobal(QPoint(10, 110))},
            {QStringLiteral("tool button"), centreOf(ShootForm->NewButton)},
            {QStringLiteral("menu bar"), gameMenuTitle()}};
        QPoint at = places.value(place);
        if (place == QLatin1String("open Game menu")) {
            QTest::mouseClick(ShootForm->MainMenu1, Qt::LeftButton, {},
                              ShootForm->MainMenu1->mapFromGlobal(gameMenuTitle()));
            QVERIFY(QTest::qWaitForWindowExposed(ShootForm->Gamr1, Timeout));
            at = ShootForm->Gamr1->mapToGlobal(ShootForm->Gamr1->actionGeometry(ShootForm->New1).center());
        }
        const bool shown = pointAt(at, mallet);
        ShootForm->Gamr1->close();
        QVERIFY2(shown, mallet ? "the mallet" : "the system's cursor");
    }

    // Each control's own cursor over the dialog and the game window alike.
    void noMalletWhileTheOptionsDialogIsOpen()
    {
        QVERIFY(pointAt(playArea(), true));
        bool answered = false;
        TestSupport::answerNextModal([&answered](QWidget *) {
            answered = true;
            QVERIFY(QTest::qWaitForWindowExposed(OptionsForm, Timeout));
            QVERIFY(pointAt(centreOf(OptionsForm->OKBtn), false));
            // Each move told by the change it makes: the edit field's I-beam,
            // then the game window's own arrow.
            for (const QPoint &at : {centreOf(OptionsForm->GameTimeSet), playArea()}) {
                const QImage before = shownCursor();
                QCursor::setPos(at);
                QVERIFY(QTest::qWaitFor([&before] { return shownCursor() != before; }, Timeout));
                QVERIFY(!malletShown());
            }
            OptionsForm->CancelBtn->click();
        });
        ShootForm->Options1->trigger();
        QVERIFY(answered);
        QVERIFY2(pointAt(playArea(), true), "the mallet is back");
    }
};

THWACKLE_TEST_MAIN(CursorX11Test)
#include "cursor_x11_test.moc"

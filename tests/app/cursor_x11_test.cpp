// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The mallet as the X server shows it, read through XFixes: over the play
// area, the pictures, the scoreboard and the tool panel; not over the menu bar
// nor the open menu; not while the options dialog is open, and back after.
// Runs the real windows on an Xvfb of its own (support/with-server).

#include "app/programwindows.h"
#include "resources/assets.h"
#include "support/testmain.h"

#include <QLineEdit>
#include <QPushButton>

#include <optional>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace {

constexpr int Timeout = 30000; // a loaded machine may be slow to move a pointer

// The cursor the X server shows where the pointer is, and its hot spot.
QImage shownCursor(QPoint *hotSpot = nullptr)
{
    static Display *const display = [] {
        Display *opened = XOpenDisplay(nullptr);
        int events = 0, errors = 0;
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
    for (int y = 0; y < drawing.height(); ++y)
        for (int x = 0; x < drawing.width(); ++x)
            if ((qAlpha(shown.pixel(x, y)) != 0) != (qAlpha(drawing.pixel(x, y)) != 0))
                return false;
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
    std::optional<ProgramWindows> m_windows;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("THWACKLE_TEST_SKIP"))
            QSKIP(qPrintable(qEnvironmentVariable("THWACKLE_TEST_SKIP")));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(m_windows.emplace(false, Timeout).shown());
    }

    void overTheGameWindow_data()
    {
        QTest::addColumn<QPoint>("at"); // none: over the open Game menu
        QTest::addColumn<bool>("mallet");
        QTest::newRow("play area") << playArea() << true;
        QTest::newRow("start picture") << centreOf(ShootForm->Image3) << true;
        QTest::newRow("scoreboard") << ShootForm->Image1->mapToGlobal(QPoint(20, 20)) << true;
        QTest::newRow("score label") << centreOf(ShootForm->ScoreLabel) << true;
        QTest::newRow("tool panel") << ShootForm->Panel1->mapToGlobal(QPoint(10, 110)) << true;
        QTest::newRow("tool button") << centreOf(ShootForm->NewButton) << true;
        QTest::newRow("menu bar") << gameMenuTitle() << false;
        QTest::newRow("open Game menu") << QPoint() << false;
    }
    void overTheGameWindow()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, mallet);
        // From the other kind of cursor, so that what shows is the server's
        // answer to this move.
        QVERIFY(pointAt(mallet ? gameMenuTitle() : playArea(), !mallet));
        if (at.isNull()) {
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
            [] {
                QVERIFY(QTest::qWaitForWindowExposed(OptionsForm, Timeout));
                QVERIFY(pointAt(centreOf(OptionsForm->OKBtn), false));
                // Each move told by the change it makes: the edit field's
                // I-beam, then the game window's own arrow.
                for (const QPoint &at : {centreOf(OptionsForm->GameTimeSet), playArea()}) {
                    const QImage before = shownCursor();
                    QCursor::setPos(at);
                    QVERIFY(QTest::qWaitFor([&before] { return shownCursor() != before; }, Timeout));
                    QVERIFY(!malletShown());
                }
            }();
            OptionsForm->CancelBtn->click();
        });
        ShootForm->Options1->trigger();
        QVERIFY(answered);
        QVERIFY2(pointAt(playArea(), true), "the mallet is back");
    }
};

THWACKLE_TEST_MAIN(CursorX11Test)
#include "cursor_x11_test.moc"

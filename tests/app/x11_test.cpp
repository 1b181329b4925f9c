// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real windows on an Xvfb of their own, under a window manager as on a desktop (scripts/with-display).
// The mallet as the X server shows it, read through XFixes: over the play area, the pictures, the scoreboard
// and the tool panel; not over the title bar, the menu bar nor the open menu. (Each control's own cursor
// while a modal window is open is the application test's part.) And the windows centred with the frame
// the manager gave them.

#include "app/startup.h"
#include "resources/assets.h"
#include "support/programwindows.h"
#include "support/testmain.h"
#include "toolkit/screencentring.h"

#include <QScreen>
#include <QWindow>

#include <optional>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace {

constexpr int Timeout = 30000; // a loaded machine may be slow to move a pointer

// Whether the X server shows the mallet where the pointer is: its drawing,
// pixel for pixel opaque or not, with its hot spot at the top left.
bool malletShown()
{
    static Display *const display = [] {
        Display *opened = XOpenDisplay(nullptr);
        int events = 0, errors = 0;
        return opened && XFixesQueryExtension(opened, &events, &errors) ? opened : nullptr;
    }();
    static const QImage drawing = Assets::cursor(QStringLiteral("Malet"))->pixmap().toImage();
    XFixesCursorImage *cursor = display ? XFixesGetCursorImage(display) : nullptr;
    if (!cursor)
        return false;
    const int width = drawing.width();
    bool same = cursor->width == width && cursor->height == drawing.height() && cursor->xhot == 0 && cursor->yhot == 0;
    for (int i = 0; same && i < width * drawing.height(); ++i) // one ARGB pixel in each long
        same = ((cursor->pixels[i] >> 24 & 0xff) != 0) == (qAlpha(drawing.pixel(i % width, i / width)) != 0);
    XFree(cursor);
    return same;
}

// Moves the pointer, and waits until the server shows the mallet there or, as asked, something else.
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

// Beside the caption, off its centre, clear of the title bar's buttons.
QPoint titleBar()
{
    const QRect frame = ShootForm->frameGeometry();
    return QPoint(frame.left() + frame.width() / 3, (frame.top() + ShootForm->geometry().top()) / 2);
}

} // namespace

class X11Test : public QObject
{
    Q_OBJECT
    std::optional<GameWindow> m_windows;

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(m_windows.emplace(createProgramWindows, false, Timeout).shown());
        QVERIFY(QTest::qWaitFor([] { return ShootForm->frameGeometry() != ShootForm->geometry(); }, Timeout));
    }

    // The About box each time it is shown, wherever it was left. The frame is the window system's word,
    // which Qt's widgets forget when a window is shown again at the same place.
    void centredWithItsFrame()
    {
        const auto centred = [](const QWidget *widget) {
            return QTest::qWaitFor(
                [window = widget->windowHandle()] {
                    const QRect frame = window->frameGeometry();
                    return frame.top() < window->geometry().top() // a title bar
                        && frame.topLeft()
                        == ScreenCentring::framePosition(window->screen()->availableGeometry(), frame.size());
                },
                Timeout);
        };
        QVERIFY(centred(ShootForm));
        for (const char *showing : {"shown", "shown again"}) {
            bool placed = false;
            TestSupport::answerNextModal([&](QWidget *) {
                placed = centred(AboutBox);
                AboutBox->accept();
            });
            Startup::showAboutBox();
            QVERIFY2(placed, showing);
            AboutBox->move(0, 0);
        }
    }

    // Where the player put the window, it stays through a minimise and the
    // window system's restoring.
    void movedThenMinimised()
    {
        TShootForm &form = *ShootForm;
        const QPoint put = form.pos() - QPoint(40, 30);
        form.move(put);
        QVERIFY(QTest::qWaitFor([&] { return form.windowHandle()->framePosition() == put; }, Timeout));
        form.showMinimized();
        QVERIFY(QTest::qWaitFor([&] { return !form.windowHandle()->isExposed(); }, Timeout));
        form.showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(&form, Timeout));
        QVERIFY(!QTest::qWaitFor([&] { return form.windowHandle()->framePosition() != put; }, 1000));
    }

    // As a window manager's title bar asks: one that ignores the fixed size
    // would stretch the window.
    void maximiseRequest()
    {
        QWindow *window = ShootForm->windowHandle();
        const QSize size = window->size();
        window->setWindowStates(Qt::WindowMaximized);
        QCOMPARE(window->windowStates(), Qt::WindowNoState);
        QVERIFY(!QTest::qWaitFor([&] { return window->size() != size; }, 1000));
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
        QTest::newRow("title bar") << titleBar() << false;
        QTest::newRow("menu bar") << gameMenuTitle() << false;
        QTest::newRow("open Game menu") << QPoint() << false;
    }
    void overTheGameWindow()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, mallet);
        // From the other kind of cursor, so that what shows is the server's answer to this move.
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
};

THWACKLE_TEST_MAIN(X11Test)
#include "x11_test.moc"

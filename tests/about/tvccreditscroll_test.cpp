// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/tvccreditscroll.h"
#include "about/tvctimer.h"
#include "support/testmain.h"

#include <QEnterEvent>
#include <QImage>

#include <limits>

namespace {

constexpr int Patience = 20000;
const QColor Background(0, 0, 0);

// Advances the scroller by `ticks` ticks on the GUI thread, without the worker.
void tick(TvcCreditScroll &scroll, int ticks)
{
    for (int i = 0; i < ticks; ++i)
        scroll.Ticker()->FireTick();
}

QFont textFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(16);
    return font;
}

// A 200x60 scroller, white on black in a 16-pixel font, whose worker is
// paused so that only the test moves the text.
std::unique_ptr<TvcCreditScroll> quietScroller(const QStringList &lines,
                                               TvcCreditScroll::TAlignment alignment = TvcCreditScroll::taCenter)
{
    auto scroll = std::make_unique<TvcCreditScroll>();
    scroll->setInterval(0);
    scroll->resize(200, 60);
    scroll->setColor(Background);
    scroll->setFontColor(QColor(255, 255, 255));
    scroll->setFont(textFont());
    scroll->setLines(lines);
    scroll->setAlignment(alignment);
    return scroll;
}

// The bounds of all pixels other than the background.
struct Ink {
    int left = -1, right = -1, bottom = -1, pixels = 0;
    bool any() const { return pixels > 0; }
};

Ink inkOf(const QImage &image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)) == Background)
                continue;
            ++ink.pixels;
            ink.left = ink.left < 0 ? x : std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

// The control as it paints itself, its text's top `top` pixels below the top edge.
QImage paintedWithTextAt(TvcCreditScroll &scroll, int top)
{
    scroll.Restart();
    tick(scroll, scroll.height() - top);
    return scroll.grab().toImage();
}

// The ink of a single line painted 10 pixels below the top, flush left.
Ink lineInk(const QString &line)
{
    auto scroll = quietScroller({line}, TvcCreditScroll::taLeftJustify);
    return inkOf(paintedWithTextAt(*scroll, 10));
}

} // namespace

class TvcCreditScrollTest : public QObject
{
    Q_OBJECT

private slots:
    void tickerRunsFromTheStart();
    void offsetPerTick_data();
    void offsetPerTick();
    void disabledControlFreezes();
    void workerDrivesTheScroll();
    void wrapsAfterTheLastLineLeaves_data();
    void wrapsAfterTheLastLineLeaves();
    void hiddenForAnyDistance_data();
    void hiddenForAnyDistance();
    void alignment_data();
    void alignment();
    void neverDrawsOnLastRowOrColumn();
    void ampersandPrefix();
    void sameLinesRepaint();
    void mouseNotifications();
};

void TvcCreditScrollTest::tickerRunsFromTheStart()
{
    // Shown or not. (Interval, Step, Priority and Alignment start as the
    // about box's credits test requires.)
    TvcCreditScroll scroll;
    QVERIFY(QTest::qWaitFor([&] { return scroll.ScrollOffset() >= 3; }, Patience));
}

void TvcCreditScrollTest::offsetPerTick_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("ticks");
    QTest::newRow("step 1") << 1 << 1 << 7;
    QTest::newRow("step 3") << 3 << 3 << 7;
    QTest::newRow("step 10") << 10 << 10 << 4;
    // Steps below 1 are ignored.
    QTest::newRow("zero ignored") << 0 << 1 << 5;
    QTest::newRow("negative ignored") << -4 << 1 << 5;
}

void TvcCreditScrollTest::offsetPerTick()
{
    QFETCH(int, step);
    QFETCH(int, kept);
    QFETCH(int, ticks);
    auto scroll = quietScroller({QStringLiteral("x")});
    scroll->setStep(step);
    QCOMPARE(scroll->Step(), kept);
    tick(*scroll, ticks);
    QCOMPARE(scroll->ScrollOffset(), kept * ticks);
}

void TvcCreditScrollTest::disabledControlFreezes()
{
    auto scroll = quietScroller({QStringLiteral("x")});
    tick(*scroll, 5);
    scroll->setEnabled(false);
    tick(*scroll, 5);
    QCOMPARE(scroll->ScrollOffset(), 5);
    scroll->setEnabled(true);
    tick(*scroll, 2);
    QCOMPARE(scroll->ScrollOffset(), 7);
    scroll->setEnabled(false);
    scroll->Restart();
    QCOMPARE(scroll->ScrollOffset(), 0);
}

void TvcCreditScrollTest::workerDrivesTheScroll()
{
    auto scroll = quietScroller({QStringLiteral("x")});
    scroll->setStep(2);
    scroll->setInterval(10);
    QVERIFY(QTest::qWaitFor([&] { return scroll->ScrollOffset() >= 10; }, Patience));
    QCOMPARE(scroll->ScrollOffset() % 2, 0);
    scroll->setInterval(0);
    const int stopped = scroll->ScrollOffset();
    QTest::qWait(100);
    QCOMPARE(scroll->ScrollOffset(), stopped);
}

void TvcCreditScrollTest::wrapsAfterTheLastLineLeaves_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("ticksPast");
    QTest::newRow("three lines") << 3 << 1 << 1;
    QTest::newRow("three lines, step 3") << 3 << 3 << 1;
    QTest::newRow("no lines") << 0 << 1 << 1;
    QTest::newRow("hidden for long") << 2 << 1 << 1000;
}

void TvcCreditScrollTest::wrapsAfterTheLastLineLeaves()
{
    QFETCH(int, lineCount);
    QFETCH(int, step);
    QFETCH(int, ticksPast);
    auto scroll = quietScroller(QStringList(lineCount, QStringLiteral("Line")));
    scroll->setStep(step);
    const int wrapPoint = scroll->LineHeight() * lineCount + scroll->height();
    // Up to the wrap point the offset survives a paint...
    const int ticksToWrapPoint = wrapPoint / step;
    tick(*scroll, ticksToWrapPoint);
    scroll->grab();
    QCOMPARE(scroll->ScrollOffset(), ticksToWrapPoint * step);
    // ...unpainted, nothing brings it back...
    tick(*scroll, ticksPast);
    QCOMPARE(scroll->ScrollOffset(), (ticksToWrapPoint + ticksPast) * step);
    // ...and the first paint past it starts the text again below the edge.
    const QImage image = scroll->grab().toImage();
    QCOMPARE(scroll->ScrollOffset(), 0);
    QVERIFY(!inkOf(image).any());
}

void TvcCreditScrollTest::hiddenForAnyDistance_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("ticks");
    QTest::newRow("step 2^30, two ticks") << (1 << 30) << 2;
    QTest::newRow("largest step, one tick") << std::numeric_limits<int>::max() << 1;
    QTest::newRow("largest step, three ticks") << std::numeric_limits<int>::max() << 3;
    QTest::newRow("step 2^20, many ticks") << (1 << 20) << 5000;
}

void TvcCreditScrollTest::hiddenForAnyDistance()
{
    QFETCH(int, step);
    QFETCH(int, ticks);
    auto scroll = quietScroller({QStringLiteral("Line"), QStringLiteral("Line")});
    scroll->setStep(step);
    // However far the text runs while nobody paints it, it never comes back
    // by itself...
    for (int i = 0, before = 0; i < ticks; ++i) {
        tick(*scroll, 1);
        QCOMPARE_GE(scroll->ScrollOffset(), before);
        QCOMPARE_GT(scroll->ScrollOffset(), 0);
        before = scroll->ScrollOffset();
    }
    // ...and, being past the wrap point, starts again from below.
    const QImage image = scroll->grab().toImage();
    QCOMPARE(scroll->ScrollOffset(), 0);
    QVERIFY(!inkOf(image).any());
}

void TvcCreditScrollTest::alignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("line");
    const QString plain = QStringLiteral("HIH");
    const QString tabbed = QStringLiteral("I\tI");
    QTest::newRow("left") << int(TvcCreditScroll::taLeftJustify) << plain;
    QTest::newRow("right") << int(TvcCreditScroll::taRightJustify) << plain;
    QTest::newRow("centre") << int(TvcCreditScroll::taCenter) << plain;
    QTest::newRow("left, tab") << int(TvcCreditScroll::taLeftJustify) << tabbed;
    QTest::newRow("right, tab") << int(TvcCreditScroll::taRightJustify) << tabbed;
    // The control's own alignment, the one the credits use.
    QTest::newRow("centre, tab") << int(TvcCreditScroll::taCenter) << tabbed;
}

void TvcCreditScrollTest::alignment()
{
    QFETCH(int, alignment);
    QFETCH(QString, line);
    auto scroll = quietScroller({line}, TvcCreditScroll::TAlignment(alignment));
    const Ink ink = inkOf(paintedWithTextAt(*scroll, 10));
    QVERIFY(ink.any());
    // The text rectangle spans x = 0 up to, not including, Width - 1; a
    // glyph's side bearing keeps its ink a pixel or two inside.
    const int textWidth = scroll->width() - 1;
    const int bearing = 3;
    if (alignment == TvcCreditScroll::taLeftJustify) {
        QCOMPARE_LE(ink.left, bearing);
    } else if (alignment == TvcCreditScroll::taRightJustify) {
        QCOMPARE_GE(ink.right, textWidth - 1 - bearing);
        QCOMPARE_LE(ink.right, textWidth - 1);
    } else {
        QCOMPARE_LE(std::abs((ink.left + ink.right + 1) - textWidth), 2 * bearing);
    }
    if (!line.contains(QLatin1Char('\t')))
        return;

    // A tab is expanded to the next tab stop: far wider than a space, and
    // drawn as white space, not as a box glyph (anti-aliasing at another
    // sub-pixel position changes a few pixels).
    auto spaced = quietScroller({QString(line).replace(QLatin1Char('\t'), QLatin1Char(' '))},
                                TvcCreditScroll::TAlignment(alignment));
    const Ink withSpace = inkOf(paintedWithTextAt(*spaced, 10));
    const int space = QFontMetrics(textFont()).horizontalAdvance(QLatin1Char(' '));
    QCOMPARE_GT(ink.right - ink.left, withSpace.right - withSpace.left + 3 * space);
    QCOMPARE_LE(std::abs(ink.pixels - withSpace.pixels), withSpace.pixels / 4);
}

void TvcCreditScrollTest::neverDrawsOnLastRowOrColumn()
{
    // Enough lines to run past the bottom edge, flush right.
    auto scroll = quietScroller(QStringList(12, QString(37, QLatin1Char('W'))), TvcCreditScroll::taRightJustify);
    const QImage image = paintedWithTextAt(*scroll, 0);
    const Ink ink = inkOf(image);
    QVERIFY(ink.any());
    QCOMPARE_LT(ink.right, image.width() - 1);
    QCOMPARE_LT(ink.bottom, image.height() - 1);
}

void TvcCreditScrollTest::ampersandPrefix()
{
    const Ink plain = lineInk(QStringLiteral("W"));
    const Ink prefixed = lineInk(QStringLiteral("&W"));
    const Ink shown = lineInk(QStringLiteral("&&W"));
    // The single ampersand is not shown: the W stands where it would alone,
    // with an underline added beneath it.
    QVERIFY(plain.any());
    QCOMPARE(prefixed.left, plain.left);
    QVERIFY(std::abs(prefixed.right - plain.right) <= 1);
    QVERIFY(prefixed.pixels > plain.pixels);
    QVERIFY(prefixed.bottom > plain.bottom);
    // Two in a row show one ampersand before the W, not underlined.
    const QFontMetrics metrics(textFont());
    QVERIFY(shown.right >= plain.right + metrics.horizontalAdvance(QLatin1Char('&')) - 2);
    QCOMPARE(shown.bottom, plain.bottom);
}

void TvcCreditScrollTest::sameLinesRepaint()
{
    auto scroll = quietScroller({QStringLiteral("a"), QStringLiteral("b")});
    int paints = 0;
    QObject *sender = nullptr;
    scroll->setOnPaint([&](QObject *from) {
        ++paints;
        sender = from;
    });
    scroll->show();
    QVERIFY(QTest::qWaitForWindowExposed(scroll.get(), Patience));
    QVERIFY(QTest::qWaitFor([&] { return paints > 0; }, Patience));
    QCOMPARE(sender, scroll.get());
    const int before = paints;
    scroll->setLines(scroll->Lines());
    QVERIFY(QTest::qWaitFor([&] { return paints > before; }, Patience));
}

void TvcCreditScrollTest::mouseNotifications()
{
    auto scroll = quietScroller({QStringLiteral("a")});
    QStringList seen;
    scroll->setOnMouseEnter([&](QObject *from) { seen << QStringLiteral("enter") << from->objectName(); });
    scroll->setOnMouseLeave([&](QObject *from) { seen << QStringLiteral("leave") << from->objectName(); });
    scroll->setObjectName(QStringLiteral("credits"));
    tick(*scroll, 4);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(scroll.get(), &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(scroll.get(), &leave);
    QCOMPARE(seen, (QStringList{QStringLiteral("enter"), QStringLiteral("credits"),
                                QStringLiteral("leave"), QStringLiteral("credits")}));
    // The mouse never pauses the roll.
    tick(*scroll, 1);
    QCOMPARE(scroll->ScrollOffset(), 5);
}

THWACKLE_TEST_MAIN(TvcCreditScrollTest)
#include "tvccreditscroll_test.moc"

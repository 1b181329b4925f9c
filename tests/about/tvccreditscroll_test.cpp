#include "about/tvccreditscroll.h"
#include "about/tvctimer.h"
#include "support/testmain.h"

#include <QEnterEvent>
#include <QImage>

namespace {

constexpr int Patience = 20000;

const QColor Background(0, 0, 0);
const QColor InkColour(255, 255, 255);

// Advances the scroller by `ticks` ticks straight from its ticker, on the
// GUI thread, without waiting for the worker.
void tick(TvcCreditScroll &scroll, int ticks)
{
    for (int i = 0; i < ticks; ++i)
        scroll.Ticker()->FireTick();
}

// A scroller whose worker is paused, so only the test moves the text.
std::unique_ptr<TvcCreditScroll> quietScroller(const QStringList &lines, int width = 200, int height = 60)
{
    auto scroll = std::make_unique<TvcCreditScroll>();
    scroll->setInterval(0);
    scroll->resize(width, height);
    scroll->setColor(Background);
    scroll->setFontColor(InkColour);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(16);
    scroll->setFont(font);
    scroll->setLines(lines);
    return scroll;
}

// Columns and rows that hold any pixel other than the background.
struct Ink {
    int left = -1, right = -1, top = -1, bottom = -1, pixels = 0;
    bool any() const { return pixels > 0; }
};

Ink inkOf(const QImage &image, int fromRow = 0, int toRow = -1)
{
    Ink ink;
    if (toRow < 0)
        toRow = image.height() - 1;
    for (int y = fromRow; y <= toRow; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)) == Background)
                continue;
            ++ink.pixels;
            ink.left = ink.left < 0 ? x : std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = ink.top < 0 ? y : std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

// The control as it paints itself, with the text's top `top` pixels below
// the top edge.
QImage paintedWithTextAt(TvcCreditScroll &scroll, int top)
{
    scroll.Restart();
    tick(scroll, scroll.height() - top);
    return scroll.grab().toImage();
}

} // namespace

class TvcCreditScrollTest : public QObject
{
    Q_OBJECT

private slots:
    void constructedWithDefaults();
    void offsetPerTick_data();
    void offsetPerTick();
    void stepRules_data();
    void stepRules();
    void disabledControlFreezes();
    void workerDrivesTheScroll();
    void wrapsAfterTheLastLineLeaves_data();
    void wrapsAfterTheLastLineLeaves();
    void hiddenForLong_data();
    void hiddenForLong();
    void alignment_data();
    void alignment();
    void neverDrawsOnLastRowOrColumn();
    void ampersandPrefix();
    void tabsExpanded();
    void sameLinesRepaint();
    void mouseNotifications();
};

void TvcCreditScrollTest::constructedWithDefaults()
{
    TvcCreditScroll scroll;
    QCOMPARE(scroll.Alignment(), TvcCreditScroll::taCenter);
    QCOMPARE(scroll.Color(), QColor(0, 0, 0));
    QCOMPARE(scroll.FontColor(), QColor(255, 0, 255));
    QCOMPARE(scroll.size(), QSize(90, 30));
    QCOMPARE(scroll.Interval(), 50);
    QCOMPARE(scroll.Priority(), tpNormal);
    QCOMPARE(scroll.Step(), 1);
    QCOMPARE(scroll.Lines().size(), 3);
    QCOMPARE(scroll.Lines().at(1), QStringLiteral("By"));
    // The ticker runs from the start, shown or not.
    QVERIFY(QTest::qWaitFor([&] { return scroll.ScrollOffset() >= 3; }, Patience));
}

void TvcCreditScrollTest::offsetPerTick_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("ticks");
    QTest::newRow("step 1") << 1 << 7;
    QTest::newRow("step 3") << 3 << 7;
    QTest::newRow("step 10") << 10 << 4;
}

void TvcCreditScrollTest::offsetPerTick()
{
    QFETCH(int, step);
    QFETCH(int, ticks);
    auto scroll = quietScroller({QStringLiteral("x")});
    scroll->setStep(step);
    tick(*scroll, ticks);
    QCOMPARE(scroll->ScrollOffset(), step * ticks);
}

void TvcCreditScrollTest::stepRules_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("kept");
    QTest::newRow("zero ignored") << 0 << 1;
    QTest::newRow("negative ignored") << -4 << 1;
    QTest::newRow("two taken") << 2 << 2;
}

void TvcCreditScrollTest::stepRules()
{
    QFETCH(int, value);
    QFETCH(int, kept);
    auto scroll = quietScroller({});
    scroll->setStep(value);
    QCOMPARE(scroll->Step(), kept);
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
    QTest::newRow("three lines") << 3 << 1;
    QTest::newRow("three lines, step 3") << 3 << 3;
    QTest::newRow("no lines") << 0 << 1;
}

void TvcCreditScrollTest::wrapsAfterTheLastLineLeaves()
{
    QFETCH(int, lineCount);
    QFETCH(int, step);
    QStringList lines;
    for (int i = 0; i < lineCount; ++i)
        lines << QStringLiteral("Line %1").arg(i);
    auto scroll = quietScroller(lines);
    scroll->setStep(step);
    const int wrapPoint = scroll->LineHeight() * lineCount + scroll->height();

    // Up to the wrap point the offset survives a paint...
    const int ticksToWrapPoint = wrapPoint / step;
    tick(*scroll, ticksToWrapPoint);
    scroll->grab();
    QCOMPARE(scroll->ScrollOffset(), ticksToWrapPoint * step);
    // ...and the first paint past it brings the text back below.
    tick(*scroll, 1);
    QVERIFY(scroll->ScrollOffset() > wrapPoint);
    scroll->grab();
    QCOMPARE(scroll->ScrollOffset(), 0);
}

void TvcCreditScrollTest::hiddenForLong_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("offsetAfterPaint");
    // Two lines of text in a 60-pixel control: the wrap point is far below
    // 1000 and above 40.
    QTest::newRow("past the wrap point") << 1000 << 0;
    QTest::newRow("short of it") << 40 << 40;
}

void TvcCreditScrollTest::hiddenForLong()
{
    QFETCH(int, ticks);
    QFETCH(int, offsetAfterPaint);
    auto scroll = quietScroller({QStringLiteral("First"), QStringLiteral("Second")});
    tick(*scroll, ticks);
    // Unpainted, nothing brings the offset back.
    QCOMPARE(scroll->ScrollOffset(), ticks);
    const QImage image = scroll->grab().toImage();
    QCOMPARE(scroll->ScrollOffset(), offsetAfterPaint);
    // At 40 the text shows 20 pixels below the top; restarted, none shows.
    QCOMPARE(inkOf(image).any(), offsetAfterPaint != 0);
}

void TvcCreditScrollTest::alignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(TvcCreditScroll::taLeftJustify);
    QTest::newRow("right") << int(TvcCreditScroll::taRightJustify);
    QTest::newRow("centre") << int(TvcCreditScroll::taCenter);
}

void TvcCreditScrollTest::alignment()
{
    QFETCH(int, alignment);
    auto scroll = quietScroller({QStringLiteral("HIH")});
    scroll->setAlignment(TvcCreditScroll::TAlignment(alignment));
    const Ink ink = inkOf(paintedWithTextAt(*scroll, 10));
    QVERIFY(ink.any());
    // The text rectangle spans x = 0 up to, not including, Width - 1; a
    // glyph's side bearing keeps its ink a pixel or two inside.
    const int textWidth = scroll->width() - 1;
    const int bearing = 3;
    switch (alignment) {
    case TvcCreditScroll::taLeftJustify:
        QVERIFY2(ink.left <= bearing, qPrintable(QString::number(ink.left)));
        break;
    case TvcCreditScroll::taRightJustify:
        QVERIFY2(ink.right >= textWidth - 1 - bearing && ink.right <= textWidth - 1,
                 qPrintable(QString::number(ink.right)));
        break;
    default:
        QVERIFY2(std::abs((ink.left + ink.right + 1) - textWidth) <= 2 * bearing,
                 qPrintable(QStringLiteral("%1..%2").arg(ink.left).arg(ink.right)));
    }
}

void TvcCreditScrollTest::neverDrawsOnLastRowOrColumn()
{
    // Enough lines to run past the bottom edge, flush right.
    QStringList lines;
    for (int i = 0; i < 12; ++i)
        lines << QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    auto scroll = quietScroller(lines);
    scroll->setAlignment(TvcCreditScroll::taRightJustify);
    const QImage image = paintedWithTextAt(*scroll, 0);
    QVERIFY(inkOf(image).any());
    const int w = image.width();
    const int h = image.height();
    for (int x = 0; x < w; ++x)
        QCOMPARE(QColor(image.pixel(x, h - 1)), Background);
    for (int y = 0; y < h; ++y)
        QCOMPARE(QColor(image.pixel(w - 1, y)), Background);
}

void TvcCreditScrollTest::ampersandPrefix()
{
    auto plainW = quietScroller({QStringLiteral("W")});
    auto prefixedW = quietScroller({QStringLiteral("&W")});
    auto doubled = quietScroller({QStringLiteral("&&W")});
    for (auto *scroll : {plainW.get(), prefixedW.get(), doubled.get()})
        scroll->setAlignment(TvcCreditScroll::taLeftJustify);
    const Ink plain = inkOf(paintedWithTextAt(*plainW, 10));
    const Ink prefixed = inkOf(paintedWithTextAt(*prefixedW, 10));
    const Ink shown = inkOf(paintedWithTextAt(*doubled, 10));

    // The single ampersand is not shown: the W stands where it would alone,
    // with an underline added beneath it.
    QVERIFY(plain.any());
    QCOMPARE(prefixed.left, plain.left);
    QVERIFY(std::abs(prefixed.right - plain.right) <= 1);
    QVERIFY(prefixed.pixels > plain.pixels);
    QVERIFY(prefixed.bottom > plain.bottom);
    // Two in a row show one ampersand before the W, not underlined.
    const int ampersand = QFontMetrics(doubled->font()).horizontalAdvance(QLatin1Char('&'));
    QVERIFY(shown.right >= plain.right + ampersand - 2);
    QCOMPARE(shown.bottom, plain.bottom);
}

void TvcCreditScrollTest::tabsExpanded()
{
    auto spaced = quietScroller({QStringLiteral("I I")});
    auto tabbed = quietScroller({QStringLiteral("I\tI")});
    spaced->setAlignment(TvcCreditScroll::taLeftJustify);
    tabbed->setAlignment(TvcCreditScroll::taLeftJustify);
    const Ink withSpace = inkOf(paintedWithTextAt(*spaced, 10));
    const Ink withTab = inkOf(paintedWithTextAt(*tabbed, 10));
    // Expanded to the next tab stop: far wider than a space, and drawn as
    // white space, not as a box glyph.
    QVERIFY2(withTab.right > withSpace.right + 3 * QFontMetrics(tabbed->font()).horizontalAdvance(QLatin1Char(' ')),
             qPrintable(QStringLiteral("%1 vs %2").arg(withTab.right).arg(withSpace.right)));
    // (Anti-aliasing at another sub-pixel position changes a few pixels.)
    QVERIFY2(std::abs(withTab.pixels - withSpace.pixels) <= withSpace.pixels / 4,
             qPrintable(QStringLiteral("%1 vs %2 pixels").arg(withTab.pixels).arg(withSpace.pixels)));
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

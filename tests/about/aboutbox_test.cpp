// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/aboutbox.h"
#include "about/tvccreditscroll.h"
#include "about/tvctimer.h"
#include "about/tvctimer_p.h"
#include "support/testmain.h"
#include "toolkit/application.h"
#include "toolkit/picturebox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace {

constexpr int Patience = 20000;

using Answer = std::function<void(QWidget *)>;

} // namespace

Q_DECLARE_METATYPE(Answer)

class TAboutBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void appearance();
    void createdHiddenWithCreditsRolling();
    void creditsRollInItsLayout();
    void closing_data();
    void closing();
};

void TAboutBoxTest::layout_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Panel1") << QStringLiteral("AboutBox") << QRect(8, 8, 257, 217);
    QTest::newRow("ProgramIcon") << QStringLiteral("Panel1") << QRect(16, 8, 65, 49);
    QTest::newRow("vcCreditScroll1") << QStringLiteral("Panel1") << QRect(8, 72, 241, 105);
    QTest::newRow("OKButton") << QStringLiteral("AboutBox") << QRect(95, 236, 75, 25);
    // Labels size themselves to their captions: only the place is fixed.
    QTest::newRow("ProductName") << QStringLiteral("Panel1") << QRect(120, 16, 0, 0);
    QTest::newRow("Version") << QStringLiteral("Panel1") << QRect(144, 40, 0, 0);
    QTest::newRow("Copyright") << QStringLiteral("Panel1") << QRect(8, 192, 0, 0);
}

void TAboutBoxTest::layout()
{
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    TAboutBox box;
    auto *widget = box.findChild<QWidget *>(QLatin1String(QTest::currentDataTag()));
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    if (geometry.isEmpty()) {
        QCOMPARE(widget->pos(), geometry.topLeft());
        // Inside the panel, whatever size the font gives the caption.
        QVERIFY(QRect(QPoint(0, 0), widget->parentWidget()->size()).contains(widget->geometry()));
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
}

void TAboutBoxTest::appearance()
{
    TAboutBox box;
    QCOMPARE(box.objectName(), QStringLiteral("AboutBox"));
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    QCOMPARE(box.size(), QSize(276, 264));
    // Fixed: neither resized nor minimised nor maximised.
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(box.font().pixelSize(), 11);
    QVERIFY(box.OKButton->isDefault());
    QCOMPARE(box.OKButton->text(), QStringLiteral("OK"));
    // The program picture, stretched over its control.
    QVERIFY(box.ProgramIcon->stretch());
    QCOMPARE(box.ProgramIcon->pictureSize(), QSize(48, 48));

    QCOMPARE(box.ProductName->text(), QStringLiteral("Brackwater"));
    QCOMPARE(box.ProductName->font().pixelSize(), 16);
    QVERIFY(box.ProductName->font().bold());
    QCOMPARE(box.ProductName->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    QCOMPARE(box.Version->text(), QStringLiteral("Version 1.0"));
    QVERIFY(!box.Copyright->text().isEmpty());

    const TvcCreditScroll *credits = box.vcCreditScroll1;
    QCOMPARE(credits->Color(), QColor(128, 128, 0));
    QCOMPARE(credits->FontColor(), QColor(0, 0, 255));
    QCOMPARE(credits->font().pixelSize(), 11);
    QVERIFY(!credits->font().bold());
    QCOMPARE(credits->Interval(), 50);
    QCOMPARE(credits->Step(), 1);
    QCOMPARE(credits->Priority(), tpNormal);
    QCOMPARE(credits->Alignment(), TvcCreditScroll::taCenter);

    // The scoring rules, under a rule, with blank lines where the layout
    // wants them.
    const QStringList lines = credits->Lines();
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines, TAboutBox::CreditLines());
    QCOMPARE(lines.at(0), QStringLiteral("Brackwater"));
    QCOMPARE(lines.at(4), QStringLiteral("POINTS"));
    QCOMPARE(lines.at(5), QString(13, QLatin1Char('-')));
    QCOMPARE(lines.at(6), QStringLiteral("5 Points for a hit"));
    QCOMPARE(lines.at(8), QStringLiteral("-1 Point for an escape"));
    QCOMPARE(lines.at(10), QStringLiteral("-2 Points for a miss"));
    QCOMPARE(lines.at(16), QString(44, QLatin1Char('-')));
    for (int i : {3, 7, 9, 11, 12, 13, 14, 15})
        QVERIFY2(lines.at(i).isEmpty(), qPrintable(QString::number(i + 1)));
    // Every line fits the scroller's text width: none is cut off.
    const QFontMetrics metrics(credits->font());
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= credits->width() - 1, qPrintable(line));
}

void TAboutBoxTest::createdHiddenWithCreditsRolling()
{
    auto &app = *Application::instance();
    app.createForm(AboutBox);
    QVERIFY(AboutBox);
    QVERIFY(!AboutBox->isVisible());
    TvcTimerThread *worker = AboutBox->vcCreditScroll1->Ticker()->Worker();
    QVERIFY(!worker->Suspended());
    QVERIFY(!worker->Ended());
    QVERIFY(QTest::qWaitFor([] { return AboutBox->vcCreditScroll1->ScrollOffset() >= 5; }, Patience));
    QVERIFY(!AboutBox->isVisible());
    app.destroyForms();
    QVERIFY(!AboutBox);
}

void TAboutBoxTest::creditsRollInItsLayout()
{
    TAboutBox box;
    TvcCreditScroll *credits = box.vcCreditScroll1;
    QVERIFY(QTest::qWaitFor([&] { return credits->ScrollOffset() >= 30; }, Patience));
    credits->setInterval(0);
    const int reached = credits->ScrollOffset();
    QVERIFY(reached < 391);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box, Patience));
    const QImage image = credits->grab().toImage();
    // Showing keeps the offset reached: the first line stands `reached`
    // pixels above the bottom edge, blue text on olive.
    QCOMPARE(credits->ScrollOffset(), reached);
    const int firstLineTop = credits->height() - reached;
    bool blueSeen = false;
    for (int y = std::max(0, firstLineTop); y < std::min(credits->height(), firstLineTop + 13); ++y)
        for (int x = 0; x < credits->width(); ++x)
            blueSeen = blueSeen || QColor(image.pixel(x, y)).blue() > 128;
    QVERIFY(blueSeen);

    // 22 lines of 13 pixels (ascent and descent rounded up) over 105 pixels.
    QCOMPARE(credits->LineHeight(), 13);
    credits->Restart();
    for (int i = 0; i < 391; ++i)
        credits->Ticker()->FireTick();
    credits->grab();
    QCOMPARE(credits->ScrollOffset(), 391);
    credits->Ticker()->FireTick();
    credits->grab();
    QCOMPARE(credits->ScrollOffset(), 0);
    box.hide();
}

void TAboutBoxTest::closing_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("Enter") << Answer([](QWidget *w) { QTest::keyClick(w, Qt::Key_Return); });
    QTest::newRow("OK clicked") << Answer([](QWidget *w) {
        QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
}

void TAboutBoxTest::closing()
{
    QFETCH(Answer, answer);
    TAboutBox box;
    bool answeredTheBox = false;
    TestSupport::answerNextModal([&](QWidget *modal) {
        answeredTheBox = modal == &box;
        answer(modal);
    });
    QCOMPARE(Application::instance()->execModal(&box), int(QDialog::Accepted));
    QVERIFY(answeredTheBox);
    QVERIFY(!box.isVisible());
    // Hiding does not stop the roll.
    const int offset = box.vcCreditScroll1->ScrollOffset();
    QVERIFY(QTest::qWaitFor([&] { return box.vcCreditScroll1->ScrollOffset() > offset; }, Patience));
}

THWACKLE_TEST_MAIN(TAboutBoxTest)
#include "aboutbox_test.moc"

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/aboutbox.h"

#include "about/tvccreditscroll.h"
#include "resources/assets.h"
#include "toolkit/layout.h"
#include "toolkit/maximiserefusal.h"
#include "toolkit/picturebox.h"
#include "toolkit/screencentring.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

TAboutBox *AboutBox = nullptr;

namespace {

// Labels take the size of their captions.
QLabel *captionLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    QLabel *label = makeLabel(parent, name, caption, geometry);
    label->adjustSize();
    return label;
}

} // namespace

QStringList TAboutBox::CreditLines()
{
    return {
        QStringLiteral("Brackwater"),
        QStringLiteral("By"),
        QStringLiteral("The Thwackle Team"),
        QString(),
        QStringLiteral("POINTS"),
        QStringLiteral("-------------"),
        QStringLiteral("5 Points for a hit"),
        QString(),
        QStringLiteral("-1 Point for an escape"),
        QString(),
        QStringLiteral("-2 Points for a miss"),
        QString(),
        QString(),
        QString(),
        QString(),
        QString(),
        QStringLiteral("--------------------------------------------"),
        QStringLiteral("Made by the Thwackle team,"),
        QStringLiteral("with thanks to all its players."),
        QStringLiteral("Its pictures and cursors"),
        QStringLiteral("were drawn to make"),
        QStringLiteral("the game more fun to play."),
    };
}

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFont(layoutFont());
    setFixedSize(276, 264);

    Panel1 = placed(new QFrame(this), "Panel1", {8, 8, 257, 217});
    // A lowered outer and a raised inner bevel, one pixel each: an etched line.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(0);

    ProgramIcon = placed(new PictureBox(Panel1), "ProgramIcon", {16, 8, 65, 49});
    ProgramIcon->setStretch(true);
    ProgramIcon->setImage(Assets::layoutImage(QStringLiteral("AboutBox/ProgramIcon")));
    ProgramIcon->setDoubleDensity(Assets::doubleDensityData(QStringLiteral("AboutBox/ProgramIcon")));

    ProductName = makeLabel(Panel1, "ProductName", QStringLiteral("Brackwater"), {120, 16, 79, 20});
    ProductName->setFont(layoutFont(16, true));
    setColour(ProductName, QPalette::WindowText, QColor(128, 0, 0));
    ProductName->adjustSize();

    Version = captionLabel(Panel1, "Version", QStringLiteral("Version 1.0"), {144, 40, 53, 13});
    Copyright = captionLabel(Panel1, "Copyright", QStringLiteral("\u00A9 2026 Thwackle developers, GPLv3+"), {8, 192, 189, 13});

    OKButton = placed(new QPushButton(QStringLiteral("OK"), this), "OKButton", {95, 236, 75, 25});
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    vcCreditScroll1 = placed(new TvcCreditScroll(Panel1), "vcCreditScroll1", {8, 72, 241, 105});
    vcCreditScroll1->setColor(QColor(128, 128, 0));
    vcCreditScroll1->setFont(layoutFont());
    vcCreditScroll1->setFontColor(QColor(0, 0, 255));
    vcCreditScroll1->setLines(CreditLines());

    setTabOrder(Panel1, OKButton);
    OKButton->setFocus();
    new ScreenCentring(this);
    new MaximiseRefusal(this);
}

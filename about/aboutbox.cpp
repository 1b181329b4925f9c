#include "about/aboutbox.h"

#include "about/tvccreditscroll.h"
#include "resources/assets.h"
#include "toolkit/picturebox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

TAboutBox *AboutBox = nullptr;

namespace {

// The dialog font of the layouts; fontconfig stands in a sans font for it.
QFont layoutFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    // Labels take the size of their captions.
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
    setFont(layoutFont(11));
    setFixedSize(276, 264);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    // A lowered outer and a raised inner bevel, one pixel each: an etched line.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(0);
    Panel1->setGeometry(8, 8, 257, 217);

    ProgramIcon = new PictureBox(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(16, 8, 65, 49);
    ProgramIcon->setStretch(true);
    ProgramIcon->setImage(Assets::layoutImage(QStringLiteral("AboutBox/ProgramIcon")));

    ProductName = new QLabel(QStringLiteral("Brackwater"), Panel1);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setFont(layoutFont(16, true));
    QPalette maroon = ProductName->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    ProductName->setPalette(maroon);
    ProductName->move(120, 16);
    ProductName->adjustSize();

    Version = makeLabel(Panel1, "Version", QStringLiteral("Version 1.0"), 144, 40);
    Copyright = makeLabel(Panel1, "Copyright", QStringLiteral("Copyright \u00A9 the Thwackle team"), 8, 192);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(95, 236, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    vcCreditScroll1 = new TvcCreditScroll(Panel1);
    vcCreditScroll1->setObjectName(QStringLiteral("vcCreditScroll1"));
    vcCreditScroll1->setGeometry(8, 72, 241, 105);
    vcCreditScroll1->setColor(QColor(128, 128, 0));
    vcCreditScroll1->setFont(layoutFont(11));
    vcCreditScroll1->setFontColor(QColor(0, 0, 255));
    vcCreditScroll1->setLines(CreditLines());

    setTabOrder(Panel1, OKButton);
    OKButton->setFocus();
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/optionsform.h"

#include "options/gametime.h"
#include "toolkit/handlerbinding.h"
#include "toolkit/layout.h"
#include "toolkit/maximiserefusal.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>

#include <algorithm>

TOptionsForm *OptionsForm = nullptr;

namespace {

// The widths were measured in MS Sans Serif. A substitute face can run a few
// pixels wider, and a clipped caption reads worse than one that pokes out a
// little to the right, so a label grows but never shrinks. Only once its buddy
// is set does a label hide the "&" of its caption and measure without it.
void growToCaption(QLabel *label)
{
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}

QSlider *makeBar(QWidget *parent, const char *name, int maximum, const QRect &geometry)
{
    auto *bar = placed(new QSlider(Qt::Horizontal, parent), name, geometry);
    bar->setRange(0, maximum);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(1);
    bar->setSingleStep(1);
    bar->setPageStep(2);
    bar->setValue(0);
    return bar;
}

// A bar given a position outside its range shows the nearest end. Done in
// 64 bits because the inverted speed mapping can overflow 32.
int clampToBar(const QSlider *bar, int64_t position)
{
    return static_cast<int>(std::clamp<int64_t>(position, bar->minimum(), bar->maximum()));
}

} // namespace

TOptionsForm::TOptionsForm(GameParameters &parameters, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_parameters(parameters)
{
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    setFont(layoutFont());

    Bevel1 = placed(new QFrame(this), "Bevel1", {8, 8, 281, 217});
    Bevel1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    Slow = makeLabel(this, "Slow", QStringLiteral("Slow"), {36, 72, 23, 13});
    Fast = makeLabel(this, "Fast", QStringLiteral("Fast"), {241, 72, 20, 13});
    Label1 = makeLabel(this, "Label1", QStringLiteral("Low"), {36, 144, 20, 13});
    Label2 = makeLabel(this, "Label2", QStringLiteral("High"), {239, 144, 22, 13});
    Speed = makeLabel(this, "Speed", QStringLiteral("&Speed"), {133, 24, 31, 13});
    Population = makeLabel(this, "Population", QStringLiteral("&Population"), {123, 96, 50, 13});
    Time = makeLabel(this, "Time", QStringLiteral("&Game Time"), {121, 168, 54, 13});

    OKBtn = placed(new QPushButton(QStringLiteral("OK"), this), "OKBtn", {300, 8, 75, 25});
    OKBtn->setDefault(true);
    CancelBtn = placed(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn", {300, 38, 75, 25});

    SpeedSet = makeBar(this, "SpeedSet", 30, {36, 40, 225, 25});
    PopulationSet = makeBar(this, "PopulationSet", 35, {36, 112, 225, 25});

    GameTimeSet = placed(new QLineEdit(QString::number(GameParameters::DefaultGameLength), this), "GameTimeSet",
                         {116, 184, 65, 21});

    Speed->setBuddy(SpeedSet);
    Population->setBuddy(PopulationSet);
    Time->setBuddy(GameTimeSet);
    for (QLabel *label : {Slow, Fast, Label1, Label2, Speed, Population, Time})
        growToCaption(label);

    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, SpeedSet);
    setTabOrder(SpeedSet, PopulationSet);
    setTabOrder(PopulationSet, GameTimeSet);
    // The window remembers this and hands it the focus when first activated.
    OKBtn->setFocus();

    // OK closes only after its click handler has written the parameters, so
    // the caller of exec() sees them already stored.
    bindHandler(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(OKBtn); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(383, 230);
    move(254, 262);
    new MaximiseRefusal(this);
}

void TOptionsForm::showEvent(QShowEvent *event)
{
    // A spontaneous show is the window system restoring a minimised dialog;
    // the player may have moved the bars by then, so it must not reload them.
    if (!event->spontaneous())
        FormShow(this);
    QDialog::showEvent(event);
}

void TOptionsForm::FormShow(QObject *)
{
    SpeedSet->setValue(clampToBar(SpeedSet, int64_t{SpeedSet->maximum()} + 1 - m_parameters.TargetLife));
    PopulationSet->setValue(clampToBar(PopulationSet, m_parameters.SpawnRange));
    GameTimeSet->setText(QString::number(m_parameters.GameLength));
}

void TOptionsForm::OKBtnClick(QObject *)
{
    m_parameters.TargetLife = SpeedSet->maximum() + 1 - SpeedSet->value();
    m_parameters.SpawnRange = PopulationSet->value();
    int32_t length = readGameTime(GameTimeSet->text());
    if (length < 1)
        length = GameParameters::DefaultGameLength;
    if (length > GameParameters::LongestGameLength)
        length = GameParameters::LongestGameLength;
    m_parameters.GameLength = length;
}

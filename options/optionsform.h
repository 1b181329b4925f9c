// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "options/gameparameters.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QSlider;

// The options dialog: speed, population and game time between games. It keeps
// nothing between showings; every showing loads the game's parameters afresh
// and only OK writes them back.
class TOptionsForm : public QDialog
{
    Q_OBJECT

public:
    explicit TOptionsForm(GameParameters &parameters, QWidget *parent = nullptr);

    QFrame *Bevel1;
    QLabel *Slow;
    QLabel *Fast;
    QLabel *Label1; // "Low", under the population bar
    QLabel *Label2; // "High", under the population bar
    QLabel *Speed;
    QLabel *Population;
    QLabel *Time;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;
    QSlider *SpeedSet;
    QSlider *PopulationSet;
    QLineEdit *GameTimeSet;

    void FormShow(QObject *Sender);
    void OKBtnClick(QObject *Sender);

protected:
    void showEvent(QShowEvent *event) override;

private:
    GameParameters &m_parameters;
};

extern TOptionsForm *OptionsForm;

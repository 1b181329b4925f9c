// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QStringList>

class PictureBox;
class QFrame;
class QLabel;
class QPushButton;
class TvcCreditScroll;

// The About box: product name, version, program picture and the credits
// with the scoring rules rolling in a credits scroller. It is created hidden
// at start-up and its credits roll from then on, shown or not; OK (or Enter)
// closes it with the result Accepted.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // The 22 lines the credits scroller rolls.
    static QStringList CreditLines();

    QFrame *Panel1;
    PictureBox *ProgramIcon;
    QLabel *ProductName;
    QLabel *Version;
    QLabel *Copyright;
    QPushButton *OKButton;
    TvcCreditScroll *vcCreditScroll1;
};

extern TAboutBox *AboutBox;

#pragma once

#include <QDialog>

// The About box: product name, version, program picture and rolling credits.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
};

extern TAboutBox *AboutBox;

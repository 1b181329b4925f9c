// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Builds the game window's controls and menu as the window was designed:
// absolute positions at 96 pixels per inch on a fixed-size client area.

#include "game/shootform.h"

#include "game/counterlabel.h"
#include "game/playarea.h"
#include "resources/assets.h"
#include "toolkit/glyph.h"
#include "toolkit/handlerbinding.h"
#include "toolkit/intervaltimer.h"
#include "toolkit/layout.h"
#include "toolkit/picturebox.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

QLabel *counterLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry,
                     const QString &text, int height)
{
    auto *label = new CounterLabel(caption, text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(height);
    label->setFont(font);
    setColour(label, QPalette::WindowText, Qt::white);
    label->move(geometry.topLeft());
    label->adjustSize();
    return label;
}

PictureBox *bannerPicture(QWidget *parent, const char *name)
{
    auto *picture = placed(new PictureBox(parent), name, {66, 16, 389, 170});
    picture->setAutoSize(true);
    const QString path = QStringLiteral("ShootForm/") + QLatin1String(name);
    picture->setImage(Assets::layoutImage(path));
    picture->setDoubleDensity(Assets::doubleDensityData(path));
    return picture;
}

QToolButton *toolButton(QWidget *parent, const char *name, const QRect &geometry, const QString &tip)
{
    auto *button = placed(new QToolButton(parent), name, geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(32, 32));
    const QString path = QStringLiteral("ShootForm/") + QLatin1String(name);
    button->setIcon(glyphIcon(Assets::layoutImage(path), QImage::fromData(Assets::doubleDensityData(path))));
    button->setToolTip(tip);
    return button;
}

} // namespace

void TShootForm::buildLayout()
{
    setObjectName(QStringLiteral("ShootForm"));
    setWindowTitle(QStringLiteral("Thwackle"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(522, 409);
    client->setFont(layoutFont());
    client->setAutoFillBackground(true);
    setColour(client, QPalette::Window, QColor(0, 255, 255));
    setCentralWidget(client);

    Image2 = placed(new PlayArea(client), "Image2", {0, 0, 529, 289});
    Image2->setJpeg(Assets::layoutData(QStringLiteral("ShootForm/Image2")));
    Image2->setDoubleDensity(Assets::doubleDensityData(QStringLiteral("ShootForm/Image2")));
    bindHandler(Image2, &PlayArea::mouseDown, this,
                [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &at) {
                    Image2MouseDown(Image2, button, shift, at.x(), at.y());
                });
    bindHandler(Image2, &PlayArea::mouseUp, this,
                [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &at) {
                    Image2MouseUp(Image2, button, shift, at.x(), at.y());
                });

    Image1 = placed(new PictureBox(client), "Image1", {133, 288, 388, 120});
    Image1->setAutoSize(true);
    Image1->setJpeg(Assets::layoutData(QStringLiteral("ShootForm/Image1")));
    Image1->setDoubleDensity(Assets::doubleDensityData(QStringLiteral("ShootForm/Image1")));

    GameOverImage = bannerPicture(client, "GameOverImage");

    TimeLabel = counterLabel(client, "TimeLabel", QStringLiteral("Time left"), QRect(300, 344, 24, 24),
                             QStringLiteral("00"), 21);
    MissLabel = counterLabel(client, "MissLabel", QStringLiteral("Misses"), QRect(216, 335, 11, 22),
                             QStringLiteral("0"), 19);
    HitsLabel = counterLabel(client, "HitsLabel", QStringLiteral("Hits"), QRect(171, 335, 11, 22),
                             QStringLiteral("0"), 19);
    EscapedLabel = counterLabel(client, "EscapedLabel", QStringLiteral("Escaped"), QRect(376, 335, 11, 22),
                                QStringLiteral("0"), 19);
    ScoreLabel = counterLabel(client, "ScoreLabel", QStringLiteral("Total"), QRect(447, 335, 11, 22),
                              QStringLiteral("0"), 19);

    Image3 = bannerPicture(client, "Image3");

    Panel1 = placed(new QFrame(client), "Panel1", {0, 288, 137, 121});
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    setColour(Panel1, QPalette::Window, QColor(0, 128, 128));

    NewButton = toolButton(Panel1, "NewButton", QRect(56, 8, 73, 41), QStringLiteral("Start a new game"));
    PauseButton = toolButton(Panel1, "PauseButton", QRect(8, 24, 41, 73), QStringLiteral("Pause your game"));
    StopButton = toolButton(Panel1, "StopButton", QRect(56, 72, 73, 41), QStringLiteral("Stop the game"));
    bindHandler(NewButton, &QToolButton::clicked, this, &TShootForm::NewButtonClick);
    bindHandler(PauseButton, &QToolButton::clicked, this, &TShootForm::PauseButtonClick);
    bindHandler(StopButton, &QToolButton::clicked, this, &TShootForm::StopButtonClick);

    Timer1 = new IntervalTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(150);
    bindHandler(Timer1, &IntervalTimer::timeout, this, &TShootForm::Timer1Timer);

    // The window does not resize: its size is the client area plus the menu.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TShootForm::buildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    Gamr1 = MainMenu1->addMenu(QStringLiteral("&Game"));
    Gamr1->setObjectName(QStringLiteral("Gamr1"));
    Gamr1->menuAction()->setObjectName(QStringLiteral("Gamr1"));

    const auto item = [this](QWidget *owner, const char *name, const QString &caption) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        // A key held down repeats; a command works once per press.
        action->setAutoRepeat(false);
        owner->addAction(action);
        return action;
    };
    New1 = item(Gamr1, "New1", QStringLiteral("&New"));
    Options1 = item(Gamr1, "Options1", QStringLiteral("&Options..."));
    Stop1 = item(Gamr1, "Stop1", QStringLiteral("&Stop"));
    Stop1->setEnabled(false);
    N1 = Gamr1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    Exit1 = item(Gamr1, "Exit1", QStringLiteral("E&xit"));
    Pause1 = item(MainMenu1, "Pause1", QStringLiteral("&Pause"));
    About1 = item(MainMenu1, "About1", QStringLiteral("&About"));
    About1->setVisible(false);

    // The keys a player tries first. They live on the menu items, so a
    // disabled item ignores its key as it ignores its click, and the Game
    // menu shows them beside the captions.
    New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Pause1->setShortcuts({QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)});
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    bindHandler(New1, &QAction::triggered, this, &TShootForm::New1Click);
    bindHandler(Options1, &QAction::triggered, this, &TShootForm::Options1Click);
    bindHandler(Stop1, &QAction::triggered, this, &TShootForm::Stop1Click);
    bindHandler(Exit1, &QAction::triggered, this, &TShootForm::Exit1Click);
    bindHandler(Pause1, &QAction::triggered, this, &TShootForm::Pause1Click);
    bindHandler(About1, &QAction::triggered, this, &TShootForm::About1Click);

    nameForScreenReaders();
}

void TShootForm::nameForScreenReaders()
{
    // A tool button is read as the menu item whose click it performs; the
    // Pause button follows its item to Continue and back.
    const auto nameAfter = [this](QToolButton *button, QAction *action) {
        const auto name = [button, action] { button->setAccessibleName(action->iconText()); };
        name();
        connect(action, &QAction::changed, button, name);
    };
    nameAfter(NewButton, New1);
    nameAfter(PauseButton, Pause1);
    nameAfter(StopButton, Stop1);
    Image2->setAccessibleName(QStringLiteral("Play area"));
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/aboutbox.h"
#include "app/startup.h"
#include "support/gamefixture.h"
#include "options/optionsform.h"

#include <QMenu>
#include <QMenuBar>

// The three windows as start-up creates them, for a GameWindow.
inline TShootForm *createProgramWindows()
{
    Startup::createForms(*Application::instance());
    return ShootForm;
}

// A click as the window system delivers it to the window of `widget`; `at`
// is in `widget`'s coordinates.
inline void clickThroughWindow(QWidget *widget, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(widget->window()->windowHandle(), button, Qt::NoModifier, widget->mapTo(widget->window(), at));
}

// Chooses a command as the player does: an item of the menu bar by clicking
// it, an item of the Game menu by opening the menu and clicking the item.
// A greyed item is clicked all the same, and does nothing.
inline void chooseMenuItem(QAction *item)
{
    QMenuBar *bar = ShootForm->MainMenu1;
    if (bar->actions().contains(item)) {
        clickThroughWindow(bar, bar->actionGeometry(item).center());
        return;
    }
    QMenu *menu = ShootForm->Gamr1;
    if (!menu->isVisible())
        clickThroughWindow(bar, bar->actionGeometry(menu->menuAction()).center());
    if (menu->isVisible())
        clickThroughWindow(menu, menu->actionGeometry(item).center());
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for start-up: a bare Qt Widgets main window with a menu bar.

#include "firstpaint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Game"))->addAction(QStringLiteral("&New"));
    window.setCentralWidget(new QWidget);
    window.centralWidget()->setFixedSize(522, 409);
    FirstPaintProbe probe;
    window.centralWidget()->installEventFilter(&probe);
    window.show();
    return app.exec();
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// makeassets: renders the SVG sources of the game's pictures and writes the
// bitmaps, cursors, icon and JPEG pictures that the game embeds.
//
// With a third directory, also the launcher icon in the icon theme's layout.
//
//   makeassets <art directory> <output directory> [<icon theme directory>]

#include "assetbuilder.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>

int main(int argc, char *argv[])
{
    // Rendering needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: makeassets <art directory> <output directory> [<icon theme directory>]\n");
        return 2;
    }
    try {
        AssetBuilder builder(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
        builder.buildAll();
        if (argc == 4)
            builder.themeIcons(QString::fromLocal8Bit(argv[3]));
        for (const QString &line : builder.report())
            std::printf("%s\n", qPrintable(line));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "makeassets: %s\n", error.what());
        return 1;
    }
    return 0;
}

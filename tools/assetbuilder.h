// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "svgcanvas.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// Turns the SVG sources into the files the game embeds, one method per
// kind of asset. Every written file is listed in report().
class AssetBuilder
{
public:
    AssetBuilder(const QString &artDirectory, QString outputDirectory);

    void buildAll();
    // The launcher icon in the icon theme's layout under the given directory.
    void themeIcons(const QString &themeDirectory);
    const QStringList &report() const { return m_report; }

private:
    void doubleDensity();
    void sprite(const QString &output, const QString &source, int scale = 1);
    void indexedPicture(const QString &output, const QString &source, QSize size);
    void glyph(const QString &output, const QString &source, bool indexed, int scale = 1);
    void trueColourPicture(const QString &output, const QString &source, QSize size);
    void cursors(int scale = 1);
    void icon();
    void waterPicture(const QString &output, const QString &source, QSize size);
    void jpegPicture(const QString &output, const QString &source, QSize size);
    void save(const QString &output, const QByteArray &bytes, const QString &note);

    SvgCanvas m_canvas;
    QString m_outputDirectory;
    QStringList m_report;
};

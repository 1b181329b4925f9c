// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

// Renders the hand-drawn SVG sources. A source may hold placeholder
// rectangles with the ids "creature-1", "creature-2", ...: the creature
// drawing is painted into each of them, stretched to fill it, so every
// picture that shows the creature shares one drawing of it.
class SvgCanvas
{
public:
    explicit SvgCanvas(QString artDirectory) : m_artDirectory(std::move(artDirectory)) {}

    // The named source rendered at the given size on a transparent ground.
    QImage render(const QString &fileName, QSize size) const;

    // Flattens a transparent drawing onto a solid colour.
    static QImage onBackground(const QImage &figure, QRgb background);

    // Prepares a tool-button glyph: pixels the drawing barely touches become
    // the exact-white transparent colour; every other pixel is blended over
    // white and kept off exact white so it stays visible on the button.
    static QImage glyph(const QImage &figure);

    static constexpr QRgb Cyan = 0xFF00FFFFu;
    static constexpr QRgb White = 0xFFFFFFFFu;

    // Full path of a source file, which must exist.
    QString sourcePath(const QString &fileName) const;

private:
    QString m_artDirectory;
};

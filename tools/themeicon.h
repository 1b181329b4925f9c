// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>

// The launcher icon that desktops show from the icon theme. Its source is a
// square SVG with a "creature-1" placeholder rectangle; the creature's own
// drawing is copied into that place, so the installed SVG stands alone and
// every PNG size is rendered from that very SVG.
class ThemeIcon
{
public:
    ThemeIcon(const QString &sourcePath, const QString &creaturePath);

    // The self-contained scalable icon. It begins with its root element:
    // desktop image loaders sniff the first bytes for "<svg".
    const QByteArray &svg() const { return m_svg; }

    // The icon rendered at size x size pixels on a transparent ground.
    QImage render(int size) const;

    // The sizes that icon themes ask an application for.
    static constexpr std::array<int, 8> PixelSizes{16, 22, 24, 32, 48, 64, 128, 256};

private:
    QByteArray m_svg;
};

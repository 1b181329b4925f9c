// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>

// Reduces a true-colour picture to a 256-entry palette by median cut.
//
// Reserved colours get palette entries of their own and are used only by
// pixels of exactly that colour: a sprite's cyan background or a glyph's
// white transparent colour must never absorb an anti-aliased edge pixel,
// and an edge pixel must never turn into the background colour.
class PaletteQuantizer
{
public:
    explicit PaletteQuantizer(QList<QRgb> reserved) : m_reserved(std::move(reserved)) {}

    // Returns a Format_Indexed8 image with exactly 256 colours (unused
    // entries are black).
    QImage quantize(const QImage &source, int paletteSize = 256) const;

private:
    QList<QRgb> m_reserved;
};

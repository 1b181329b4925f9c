// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>

// A tool-button glyph: pixels of exactly the bottom-left pixel's colour show
// the button face. Qt derives the disabled look from the same icon. A glyph
// may come with a double-size variant for high-density screens, masked by
// its own bottom-left colour; Qt picks the one that suits the screen.
QIcon glyphIcon(const QImage &bitmap, const QImage &doubleDensity = QImage());

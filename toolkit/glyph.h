// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>

// A tool-button glyph: pixels of exactly the bottom-left pixel's colour show
// the button face. Qt derives the disabled look from the same icon.
QIcon glyphIcon(const QImage &bitmap);

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QString>

#include <optional>

// The program's embedded pictures, cursors and icon, by name.
//
// Every picture but the icon also comes drawn from the same art at twice its
// designed size, under its name with "@2x" appended, for screens with more
// than one device pixel to the logical pixel. Such a variant comes with its
// device pixel ratio set, so Qt draws it at the designed logical size.
namespace Assets {

// A named bitmap ("Live", "Dead") for a window at the given device pixel
// ratio; raises "Resource <name> not found".
QImage bitmap(const QString &name, qreal devicePixelRatio = 1);

// A named cursor ("Malet", "MaletDown") with the hot spot its file gives, in
// logical pixels, drawn at the given device pixel ratio; none when the
// resource is missing.
std::optional<QCursor> cursor(const QString &name, qreal devicePixelRatio = 1);

// The application icon; a null icon when missing, so the system's default
// icon shows.
QIcon mainIcon();

// The raw bytes of a window layout picture such as "ShootForm/Image2";
// empty when missing.
QByteArray layoutData(const QString &path);

// A layout bitmap, decoded; null when missing.
QImage layoutImage(const QString &path);

// The raw bytes of a layout picture's double-size variant, such as
// "ShootForm/Image2@2x" for "ShootForm/Image2", for the control to decode
// when it needs it; empty when no screen has more than one device pixel to
// the logical pixel, so that only the designed pictures are read there.
QByteArray doubleDensityData(const QString &path);

// Makes a resource look missing, so that the failure paths can be tried.
void withholdForTesting(const QString &name, bool withheld = true);

} // namespace Assets

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
namespace Assets {

// A named bitmap ("Live", "Dead"); raises "Resource <name> not found".
QImage bitmap(const QString &name);

// A named cursor ("Malet", "MaletDown") with the hot spot its file gives;
// none when the resource is missing.
std::optional<QCursor> cursor(const QString &name);

// The application icon; a null icon when missing, so the system's default
// icon shows.
QIcon mainIcon();

// The raw bytes of a window layout picture such as "ShootForm/Image2";
// empty when missing.
QByteArray layoutData(const QString &path);

// A layout bitmap, decoded; null when missing.
QImage layoutImage(const QString &path);

// Makes a resource look missing, so that the failure paths can be tried.
void withholdForTesting(const QString &name, bool withheld = true);

} // namespace Assets

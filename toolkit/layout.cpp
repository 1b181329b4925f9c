// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/layout.h"

#include <QLabel>

namespace {

const QString InterfaceFace = QStringLiteral("MS Sans Serif");

} // namespace

void installLayoutFaces()
{
    // fontconfig's own choice for the name, DejaVu Sans, is too wide for
    // some captions; Arial-metric faces fit the layouts.
    QFont::insertSubstitutions(InterfaceFace,
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")});
}

QFont layoutFont(int pixelSize, bool bold)
{
    QFont font(InterfaceFace);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    return placed(new QLabel(caption, parent), name, geometry);
}

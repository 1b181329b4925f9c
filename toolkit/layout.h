// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// What building a window as it was designed takes: fixed positions at 96
// pixels per inch, in the classic 8-point interface face.

// Makes Arial-metric faces stand in for the layouts' interface face.
void installLayoutFaces();

// The layouts' interface face at a character height in pixels; 11 is the
// 8-point window font.
QFont layoutFont(int pixelSize = 11, bool bold = false);

// Names a control and puts it at its designed place and size.
template <class Control>
Control *placed(Control *control, const char *name, const QRect &geometry)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// Gives a control one colour of its own, for text or for its ground.
void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour);

// A label at its designed place and size.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry);

#pragma once

#include <QFont>
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

// A label at its designed place and size.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry);

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "svgcanvas.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <memory>
#include <stdexcept>

namespace {

// Below this coverage an edge pixel is dropped from a glyph rather than
// drawn as a faint pale speck on the button face.
constexpr int GlyphAlphaThreshold = 96;

const QString CreatureSource = QStringLiteral("creature.svg");

std::unique_ptr<QSvgRenderer> open(const QString &file)
{
    auto renderer = std::make_unique<QSvgRenderer>(file);
    if (!renderer->isValid())
        throw std::runtime_error("cannot read SVG " + file.toStdString());
    return renderer;
}

} // namespace

QString SvgCanvas::sourcePath(const QString &fileName) const
{
    const QString full = m_artDirectory + u'/' + fileName;
    if (!QFile::exists(full))
        throw std::runtime_error("missing art source " + full.toStdString());
    return full;
}

QImage SvgCanvas::render(const QString &fileName, QSize size) const
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    const auto picture = open(sourcePath(fileName));
    picture->render(&painter, QRectF(QPointF(0, 0), size));

    const QSizeF scale(size.width() / picture->viewBoxF().width(), size.height() / picture->viewBoxF().height());
    for (int n = 1;; ++n) {
        const QString id = QStringLiteral("creature-%1").arg(n);
        if (!picture->elementExists(id))
            break;
        const QRectF box = picture->transformForElement(id).mapRect(picture->boundsOnElement(id));
        const QRectF target(box.x() * scale.width(), box.y() * scale.height(), box.width() * scale.width(),
                            box.height() * scale.height());
        open(sourcePath(CreatureSource))->render(&painter, target);
    }
    return image;
}

QImage SvgCanvas::onBackground(const QImage &figure, QRgb background)
{
    QImage result(figure.size(), QImage::Format_RGB32);
    result.fill(background);
    QPainter painter(&result);
    painter.drawImage(0, 0, figure);
    return result;
}

QImage SvgCanvas::glyph(const QImage &figure)
{
    const QImage argb = figure.convertToFormat(QImage::Format_ARGB32);
    const QImage flat = onBackground(figure, White);
    QImage result(figure.size(), QImage::Format_RGB32);
    for (int y = 0; y < figure.height(); ++y)
        for (int x = 0; x < figure.width(); ++x) {
            QRgb c = White;
            if (qAlpha(argb.pixel(x, y)) >= GlyphAlphaThreshold) {
                c = flat.pixel(x, y);
                if (c == White)
                    c = qRgb(250, 250, 250);
            }
            result.setPixel(x, y, c);
        }
    return result;
}

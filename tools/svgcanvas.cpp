#include "svgcanvas.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <stdexcept>

namespace {

// Below this coverage an edge pixel is dropped from a glyph rather than
// drawn as a faint pale speck on the button face.
constexpr int GlyphAlphaThreshold = 96;

void paintSource(QPainter &painter, const QString &file, const QRectF &target)
{
    QSvgRenderer renderer(file);
    if (!renderer.isValid())
        throw std::runtime_error("cannot read SVG " + file.toStdString());
    renderer.render(&painter, target);
}

} // namespace

QString SvgCanvas::path(const QString &fileName) const
{
    const QString full = m_artDirectory + '/' + fileName;
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
    const QString file = path(fileName);
    paintSource(painter, file, QRectF(QPointF(0, 0), size));

    QSvgRenderer layout(file);
    const QSizeF scale(size.width() / layout.viewBoxF().width(), size.height() / layout.viewBoxF().height());
    for (int n = 1; layout.elementExists(QStringLiteral("creature-%1").arg(n)); ++n) {
        const QString id = QStringLiteral("creature-%1").arg(n);
        const QRectF box = layout.transformForElement(id).mapRect(layout.boundsOnElement(id));
        const QRectF target(box.x() * scale.width(), box.y() * scale.height(), box.width() * scale.width(),
                            box.height() * scale.height());
        paintSource(painter, path(QStringLiteral("creature.svg")), target);
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

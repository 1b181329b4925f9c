// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "themeicon.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <stdexcept>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

// Where the root element's start tag begins and ends in an SVG file.
struct RootTag
{
    qsizetype begin;
    qsizetype end;
};

RootTag rootTag(const QString &text, const QString &path)
{
    static const QRegularExpression root(QStringLiteral("<svg[\\s>]"));
    const qsizetype begin = text.indexOf(root);
    const qsizetype close = begin < 0 ? -1 : text.indexOf(u'>', begin);
    if (close < 0)
        throw std::runtime_error("no <svg> root element in " + path.toStdString());
    return {begin, close + 1};
}

double attribute(const QString &element, const QString &name)
{
    const QRegularExpression pattern(QStringLiteral("\\s%1=\"([-0-9.]+)\"").arg(name));
    const QRegularExpressionMatch match = pattern.match(element);
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

ThemeIcon::ThemeIcon(const QString &sourcePath, const QString &creaturePath)
{
    const QString source = QString::fromUtf8(readAll(sourcePath));
    const QString creature = QString::fromUtf8(readAll(creaturePath));

    const RootTag creatureRoot = rootTag(creature, creaturePath);
    const qsizetype creatureEnd = creature.lastIndexOf(QStringLiteral("</svg>"));
    const QString drawing = creature.mid(creatureRoot.end, creatureEnd - creatureRoot.end);
    const QSvgRenderer creatureRenderer(creaturePath);
    const QRectF creatureBox = creatureRenderer.viewBoxF();

    // The placeholder keeps the creature's proportions or stretches it, as
    // in every other picture that shows it.
    static const QRegularExpression placeholder(QStringLiteral("<rect\\s+id=\"creature-1\"[^>]*/>"));
    const QRegularExpressionMatch slot = placeholder.match(source);
    if (!slot.hasMatch())
        throw std::runtime_error("no creature-1 placeholder in " + sourcePath.toStdString());
    const QString box = slot.captured(0);
    const QString group = QStringLiteral("<g transform=\"translate(%1 %2) scale(%3 %4) translate(%5 %6)\">")
                              .arg(number(attribute(box, QStringLiteral("x"))),
                                   number(attribute(box, QStringLiteral("y"))),
                                   number(attribute(box, QStringLiteral("width")) / creatureBox.width()),
                                   number(attribute(box, QStringLiteral("height")) / creatureBox.height()),
                                   number(-creatureBox.x()), number(-creatureBox.y()))
                          + drawing + QStringLiteral("</g>");

    const RootTag root = rootTag(source, sourcePath);
    QString icon = source.mid(root.begin);
    icon.replace(slot.capturedStart(0) - root.begin, slot.capturedLength(0), group);
    icon.insert(root.end - root.begin,
                QStringLiteral("\n  <!-- SPDX-FileCopyrightText: 2026 The Thwackle developers -->"
                               "\n  <!-- SPDX-License-Identifier: GPL-3.0-or-later -->"
                               "\n  <!-- Written by makeassets from appicon.svg and creature.svg. -->"));
    m_svg = icon.toUtf8();

    if (!QSvgRenderer(m_svg).isValid())
        throw std::runtime_error("the composed launcher icon is not valid SVG");
}

QImage ThemeIcon::render(int size) const
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QSvgRenderer(m_svg).render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

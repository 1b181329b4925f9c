// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resources/assets.h"

#include "toolkit/failure.h"

#include <QFile>
#include <QPixmap>
#include <QSet>
#include <QtEndian>

namespace {

QSet<QString> &withheldNames()
{
    static QSet<QString> names;
    return names;
}

QByteArray readResource(const QString &path)
{
    if (withheldNames().contains(path))
        return {};
    QFile file(QStringLiteral(":/") + path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Cursor files keep the hot spot in their first directory entry.
QPoint cursorHotSpot(const QByteArray &data)
{
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    if (data.size() < 6 + 16)
        return {};
    return QPoint(qFromLittleEndian<quint16>(bytes + 10), qFromLittleEndian<quint16>(bytes + 12));
}

} // namespace

namespace Assets {

QImage bitmap(const QString &name)
{
    QImage image;
    const QByteArray data = readResource(QStringLiteral("named/") + name);
    if (data.isEmpty() || !image.loadFromData(data, "BMP"))
        throw Failure(QStringLiteral("Resource %1 not found").arg(name));
    return image;
}

std::optional<QCursor> cursor(const QString &name)
{
    const QByteArray data = readResource(QStringLiteral("named/") + name);
    QImage image;
    if (data.isEmpty() || !image.loadFromData(data, "CUR"))
        return std::nullopt;
    const QPoint hotSpot = cursorHotSpot(data);
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

QIcon mainIcon()
{
    const QByteArray data = readResource(QStringLiteral("named/MAINICON"));
    QImage image;
    if (data.isEmpty() || !image.loadFromData(data, "ICO"))
        return {};
    return QIcon(QPixmap::fromImage(image));
}

QByteArray layoutData(const QString &path)
{
    return readResource(QStringLiteral("layout/") + path);
}

QImage layoutImage(const QString &path)
{
    QImage image;
    image.loadFromData(layoutData(path), "BMP");
    return image;
}

void withholdForTesting(const QString &name, bool withheld)
{
    if (withheld)
        withheldNames().insert(name);
    else
        withheldNames().remove(name);
}

} // namespace Assets

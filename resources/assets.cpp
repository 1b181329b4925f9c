// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resources/assets.h"

#include "toolkit/failure.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QSet>
#include <QtEndian>

namespace {

QSet<QString> &withheldNames()
{
    static QSet<QString> names;
    return names;
}

const QString DoubleDensity = QStringLiteral("@2x");
constexpr qreal DoubleDensityRatio = 2;

// Anything above one device pixel to the logical pixel takes the double-size
// variant; Qt scales it down smoothly for ratios such as 1.25 or 1.5.
bool wantsDoubleDensity(qreal devicePixelRatio)
{
    return devicePixelRatio > 1;
}

QByteArray readResource(const QString &path)
{
    // Withholding a resource withholds its double-size variant with it.
    QString name = path;
    if (name.endsWith(DoubleDensity))
        name.chop(DoubleDensity.size());
    if (withheldNames().contains(name))
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

QImage bitmap(const QString &name, qreal devicePixelRatio)
{
    QImage image;
    if (wantsDoubleDensity(devicePixelRatio)
        && image.loadFromData(readResource(QStringLiteral("named/") + name + DoubleDensity), "BMP")) {
        image.setDevicePixelRatio(DoubleDensityRatio);
        return image;
    }
    const QByteArray data = readResource(QStringLiteral("named/") + name);
    if (data.isEmpty() || !image.loadFromData(data, "BMP"))
        throw Failure(QStringLiteral("Resource %1 not found").arg(name));
    return image;
}

std::optional<QCursor> cursor(const QString &name, qreal devicePixelRatio)
{
    const bool doubled = wantsDoubleDensity(devicePixelRatio);
    const QByteArray data = readResource(QStringLiteral("named/") + name + (doubled ? DoubleDensity : QString()));
    QImage image;
    if (data.isEmpty() || !image.loadFromData(data, "CUR"))
        return std::nullopt;
    QPoint hotSpot = cursorHotSpot(data);
    if (doubled) {
        hotSpot /= DoubleDensityRatio;
        // The window system shows a cursor picture pixel for pixel, so a
        // screen between the two sizes gets one made for its own ratio.
        if (devicePixelRatio != DoubleDensityRatio)
            image = image.scaled(image.size() / DoubleDensityRatio * devicePixelRatio, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        image.setDevicePixelRatio(devicePixelRatio);
    }
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

QByteArray doubleDensityData(const QString &path)
{
    if (!wantsDoubleDensity(qGuiApp->devicePixelRatio()))
        return {};
    return layoutData(path + DoubleDensity);
}

void withholdForTesting(const QString &name, bool withheld)
{
    if (withheld)
        withheldNames().insert(name);
    else
        withheldNames().remove(name);
}

} // namespace Assets

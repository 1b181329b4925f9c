// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// JPEG pictures are decoded with libjpeg directly: the accurate integer
// inverse transform, 24-bit colour. Any decoder error is raised as the
// Failure "JPEG error #<n>", n being libjpeg's message code.
namespace Jpeg {

// Whether the data starts as a JPEG stream does.
bool isJpeg(const QByteArray &data);

// The picture's size as its header gives it; nothing is decoded.
QSize readSize(const QByteArray &data);

// The whole picture, decoded once at full size.
QImage decode(const QByteArray &data);

} // namespace Jpeg

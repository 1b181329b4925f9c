// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes given to the JPEG decoder must either decode or raise the one
// failure type: no crash, no leak, no undefined behaviour.

#include "toolkit/failure.h"
#include "toolkit/jpegdecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), qsizetype(size));
    QSize header;
    try {
        header = Jpeg::readSize(data);
    } catch (const Failure &failure) {
        if (!failure.message().startsWith(QLatin1String("JPEG error #")))
            std::abort();
        return 0;
    }
    // Keep the fuzzer from spending its time on huge pictures.
    if (qint64(header.width()) * header.height() > 4000 * 4000)
        return 0;
    try {
        const QImage image = Jpeg::decode(data);
        if (image.size() != header)
            std::abort();
    } catch (const Failure &failure) {
        if (!failure.message().startsWith(QLatin1String("JPEG error #")))
            std::abort();
    }
    return 0;
}

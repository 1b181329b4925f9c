// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/jpegdecoder.h"

#include "toolkit/failure.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf escape;
};

extern "C" void onJpegError(j_common_ptr info)
{
    // Never unwind through libjpeg's C frames: jump back to our boundary,
    // where the failure is raised after the decoder has been destroyed.
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    std::longjmp(manager->escape, 1);
}

extern "C" void silenceJpegMessage(j_common_ptr) {}

extern "C" void onJpegMessage(j_common_ptr info, int level)
{
    // A warning means corrupt data, typically a truncated stream that libjpeg
    // would otherwise pad with grey: treat it as the error it is for us.
    if (level < 0)
        onJpegError(info);
}

// Decoder state that lives outside the frame that calls setjmp, so nothing
// in it is indeterminate after a longjmp back there.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;
    QSize size;
    int errorCode = 0;
};

enum class Mode { HeaderOnly, Full };

// Returns false with decoder.errorCode set when libjpeg reported an error.
// Holds no C++ objects with destructors in this frame.
bool runDecoder(Decoder &decoder, const QByteArray &data, Mode mode)
{
    decoder.info.err = jpeg_std_error(&decoder.errors.pub);
    decoder.errors.pub.error_exit = onJpegError;
    decoder.errors.pub.output_message = silenceJpegMessage;
    decoder.errors.pub.emit_message = onJpegMessage;
    if (setjmp(decoder.errors.escape)) {
        decoder.errorCode = decoder.errors.pub.msg_code;
        jpeg_destroy_decompress(&decoder.info);
        return false;
    }
    jpeg_create_decompress(&decoder.info);
    jpeg_mem_src(&decoder.info, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&decoder.info, TRUE);
    decoder.size = QSize(int(decoder.info.image_width), int(decoder.info.image_height));
    if (mode == Mode::Full) {
        decoder.info.dct_method = JDCT_ISLOW;
        decoder.info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&decoder.info);
        decoder.image = QImage(int(decoder.info.output_width), int(decoder.info.output_height),
                               QImage::Format_RGB888);
        if (decoder.image.isNull())
            ERREXIT(&decoder.info, JERR_OUT_OF_MEMORY);
        while (decoder.info.output_scanline < decoder.info.output_height) {
            JSAMPROW row = decoder.image.scanLine(int(decoder.info.output_scanline));
            jpeg_read_scanlines(&decoder.info, &row, 1);
        }
        jpeg_finish_decompress(&decoder.info);
    }
    jpeg_destroy_decompress(&decoder.info);
    return true;
}

Failure jpegFailure(int code)
{
    return Failure(QStringLiteral("JPEG error #%1").arg(code));
}

} // namespace

namespace Jpeg {

bool isJpeg(const QByteArray &data)
{
    return data.startsWith("\xFF\xD8");
}

QSize readSize(const QByteArray &data)
{
    Decoder decoder;
    if (!runDecoder(decoder, data, Mode::HeaderOnly))
        throw jpegFailure(decoder.errorCode);
    return decoder.size;
}

QImage decode(const QByteArray &data)
{
    Decoder decoder;
    if (!runDecoder(decoder, data, Mode::Full))
        throw jpegFailure(decoder.errorCode);
    return std::move(decoder.image);
}

} // namespace Jpeg

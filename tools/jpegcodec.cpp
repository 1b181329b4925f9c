#include "jpegcodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>
#include <string>

namespace {

// libjpeg is C: its error exit must not unwind through it, so errors jump
// back to the caller's frame, which then raises a C++ exception.
struct ErrorTrap
{
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX]{};
};

void jumpOut(j_common_ptr info)
{
    auto *trap = reinterpret_cast<ErrorTrap *>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

// The helpers below hold only trivially destructible locals, so jumping
// out of them on an error skips no destructor.
bool compress(jpeg_compress_struct &info, ErrorTrap &trap, const QImage &image, int quality)
{
    if (setjmp(trap.jump))
        return false;
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info); // JFIF 1.01 marker, YCbCr with 2x2 luma sampling
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

bool readHeader(jpeg_decompress_struct &info, ErrorTrap &trap, const QByteArray &jfif)
{
    if (setjmp(trap.jump))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(jfif.constData()),
                 static_cast<unsigned long>(jfif.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_calc_output_dimensions(&info);
    return true;
}

bool readPixels(jpeg_decompress_struct &info, ErrorTrap &trap, QImage &image)
{
    if (setjmp(trap.jump))
        return false;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QByteArray JpegCodec::encode(const QImage &source, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    ErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jumpOut;
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    const bool ok = compress(info, trap, image, quality);
    jpeg_destroy_compress(&info);
    QByteArray result(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (!ok)
        throw std::runtime_error(std::string("JPEG encoding failed: ") + trap.message);
    return result;
}

QImage JpegCodec::decode(const QByteArray &jfif)
{
    jpeg_decompress_struct info{};
    ErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jumpOut;
    jpeg_create_decompress(&info);
    QImage image;
    bool ok = readHeader(info, trap, jfif);
    if (ok) {
        image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
        ok = readPixels(info, trap, image);
    }
    jpeg_destroy_decompress(&info);
    if (!ok)
        throw std::runtime_error(std::string("JPEG decoding failed: ") + trap.message);
    return image;
}

#include "assetfile.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

struct ErrorTrap
{
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
};

void jumpOut(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorTrap *>(info->err)->jump, 1);
}

// Only trivially destructible locals live here, so the error jump skips no
// destructor.
bool decodeInto(jpeg_decompress_struct &info, ErrorTrap &trap, const QByteArray &bytes, QImage *out)
{
    if (setjmp(trap.jump))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    *out = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

namespace {

#ifdef THWACKLE_EMBEDDED_ASSETS
// Where the resources library embeds each generated file.
QString locate(const QString &file)
{
    static const QHash<QString, QString> paths = {
        {u"live.bmp"_s, u":/named/Live"_s},
        {u"dead.bmp"_s, u":/named/Dead"_s},
        {u"malet.cur"_s, u":/named/Malet"_s},
        {u"maletdown.cur"_s, u":/named/MaletDown"_s},
        {u"mainicon.ico"_s, u":/named/MAINICON"_s},
        {u"playarea.jpg"_s, u":/layout/ShootForm/Image2"_s},
        {u"scoreboard.jpg"_s, u":/layout/ShootForm/Image1"_s},
        {u"gameover.bmp"_s, u":/layout/ShootForm/GameOverImage"_s},
        {u"start.bmp"_s, u":/layout/ShootForm/Image3"_s},
        {u"newbutton.bmp"_s, u":/layout/ShootForm/NewButton"_s},
        {u"pausebutton.bmp"_s, u":/layout/ShootForm/PauseButton"_s},
        {u"stopbutton.bmp"_s, u":/layout/ShootForm/StopButton"_s},
        {u"programicon.bmp"_s, u":/layout/AboutBox/ProgramIcon"_s},
    };
    return paths.value(file);
}
#else
QString locate(const QString &file)
{
    return QStringLiteral(THWACKLE_ASSET_DIR) + u'/' + file;
}
#endif

} // namespace

AssetFile::AssetFile(const char *name) : m_name(QString::fromLatin1(name))
{
    QFile file(locate(m_name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("cannot open asset ") + name);
    m_bytes = file.readAll();
}

std::uint8_t AssetFile::u8(qsizetype offset) const
{
    if (offset < 0 || offset >= m_bytes.size())
        throw std::out_of_range("read past the end of " + m_name.toStdString());
    return static_cast<std::uint8_t>(m_bytes[offset]);
}

std::uint16_t AssetFile::u16(qsizetype offset) const
{
    return static_cast<std::uint16_t>(u8(offset) | (u8(offset + 1) << 8));
}

std::uint32_t AssetFile::u32(qsizetype offset) const
{
    return static_cast<std::uint32_t>(u16(offset)) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
}

QImage AssetFile::image() const
{
    QBuffer buffer;
    buffer.setData(m_bytes);
    QImageReader reader(&buffer);
    return reader.read();
}

QImage AssetFile::decodeJpeg() const
{
    jpeg_decompress_struct info{};
    ErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jumpOut;
    jpeg_create_decompress(&info);
    QImage image;
    const bool ok = decodeInto(info, trap, m_bytes, &image);
    jpeg_destroy_decompress(&info);
    if (!ok)
        throw std::runtime_error("libjpeg cannot decode " + m_name.toStdString());
    return image.convertToFormat(QImage::Format_RGB32);
}

std::string AssetFile::testName(const char *file)
{
    const std::string name(file);
    return name.substr(0, name.find('.'));
}

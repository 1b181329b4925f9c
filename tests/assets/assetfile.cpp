#include "assetfile.h"

#include "toolkit/jpegdecoder.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageReader>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

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
    return Jpeg::decode(m_bytes).convertToFormat(QImage::Format_RGB32);
}

std::string AssetFile::testName(const char *file)
{
    const std::string name(file);
    return name.substr(0, name.find('.'));
}

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <string>

// Access to the generated asset files and to the raw fields of their
// little-endian headers, so the tests check the stored bytes themselves
// and not only what a forgiving image reader makes of them.
class AssetFile
{
public:
    // name: the generated file's name, such as "live.bmp".
    explicit AssetFile(const char *name);

    const QByteArray &bytes() const { return m_bytes; }
    qsizetype size() const { return m_bytes.size(); }

    std::uint8_t u8(qsizetype offset) const;
    std::uint16_t u16(qsizetype offset) const;
    std::uint32_t u32(qsizetype offset) const;
    std::int32_t i32(qsizetype offset) const { return static_cast<std::int32_t>(u32(offset)); }

    // The picture as Qt reads it (BMP, ICO).
    QImage image() const;
    // The picture decoded by libjpeg with the accurate integer transform,
    // as the game decodes it.
    QImage decodeJpeg() const;

    // "live.bmp" -> "live", for naming table-driven test cases.
    static std::string testName(const char *file);

private:
    QString m_name;
    QByteArray m_bytes;
};

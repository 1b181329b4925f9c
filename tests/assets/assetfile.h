// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/jpegdecoder.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>

// The window's water and the glyphs' see-through ground, as exact colours.
constexpr QRgb Cyan = 0xFF00FFFFu;
constexpr QRgb White = 0xFFFFFFFFu;

// A generated asset as the game reads it from the embedded resources, with
// access to the raw fields of its little-endian headers, so the tests check
// the stored bytes and not only what a forgiving image reader makes of them.
class AssetFile
{
public:
    explicit AssetFile(const char *name) : m_name(name) // such as "live.bmp"
    {
        using namespace Qt::StringLiterals;
        // Where the resources library embeds each generated file.
        static const QHash<QString, QString> paths = {
            {u"live.bmp"_s, u":/named/Live"_s}, {u"dead.bmp"_s, u":/named/Dead"_s},
            {u"malet.cur"_s, u":/named/Malet"_s}, {u"maletdown.cur"_s, u":/named/MaletDown"_s},
            {u"mainicon.ico"_s, u":/named/MAINICON"_s}, {u"playarea.jpg"_s, u":/layout/ShootForm/Image2"_s},
            {u"scoreboard.jpg"_s, u":/layout/ShootForm/Image1"_s}, {u"start.bmp"_s, u":/layout/ShootForm/Image3"_s},
            {u"gameover.bmp"_s, u":/layout/ShootForm/GameOverImage"_s},
            {u"newbutton.bmp"_s, u":/layout/ShootForm/NewButton"_s},
            {u"pausebutton.bmp"_s, u":/layout/ShootForm/PauseButton"_s},
            {u"stopbutton.bmp"_s, u":/layout/ShootForm/StopButton"_s},
            {u"programicon.bmp"_s, u":/layout/AboutBox/ProgramIcon"_s},
        };
        // A double-size variant ("live@2x.bmp") is embedded under its designed file's name, "@2x" appended.
        QString designed = QString::fromLatin1(name), variant;
        if (designed.contains(u"@2x")) {
            designed.remove(u"@2x"_s);
            variant = u"@2x"_s;
        }
        QFile file(paths.value(designed) + variant);
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot open asset " + m_name);
        m_bytes = file.readAll();
    }

    const QByteArray &bytes() const { return m_bytes; }
    qsizetype size() const { return m_bytes.size(); }
    std::uint8_t u8(qsizetype at) const
    {
        if (at < 0 || at >= m_bytes.size())
            throw std::out_of_range("read past the end of " + m_name);
        return static_cast<std::uint8_t>(m_bytes[at]);
    }
    std::uint16_t u16(qsizetype at) const { return static_cast<std::uint16_t>(u8(at) | (u8(at + 1) << 8)); }
    std::uint32_t u32(qsizetype at) const { return u16(at) | (static_cast<std::uint32_t>(u16(at + 2)) << 16); }
    std::int32_t i32(qsizetype at) const { return static_cast<std::int32_t>(u32(at)); }

    // A header field of 1, 2 or 4 bytes and the value it must hold.
    struct Field
    {
        qsizetype at;
        int width;
        std::int64_t value;
        const char *what = "";
    };
    void expectFields(std::initializer_list<Field> fields) const
    {
        for (const Field &f : fields)
            EXPECT_EQ(std::int64_t{f.width == 1 ? u8(f.at) : f.width == 2 ? u16(f.at) : u32(f.at)}, f.value)
                << "field at " << f.at << " " << f.what;
    }

    QImage image() const { return QImage::fromData(m_bytes); } // as Qt reads it (BMP, ICO)
    // As the game decodes it, with libjpeg's accurate integer transform.
    QImage decodeJpeg() const { return Jpeg::decode(m_bytes).convertToFormat(QImage::Format_RGB32); }

private:
    std::string m_name;
    QByteArray m_bytes;
};

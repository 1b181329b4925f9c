#pragma once

#include <cstdint>
#include <vector>

// Every container written by this tool (BMP, CUR, ICO) is little-endian with
// fixed-width fields; this keeps the header code free of byte shuffling.
class ByteWriter
{
public:
    void u8(std::uint8_t v) { m_bytes.push_back(v); }
    void u16(std::uint16_t v)
    {
        u8(static_cast<std::uint8_t>(v & 0xFF));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(static_cast<std::uint16_t>(v & 0xFFFF));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void append(const std::vector<std::uint8_t> &more) { m_bytes.insert(m_bytes.end(), more.begin(), more.end()); }
    void padTo4()
    {
        while (m_bytes.size() % 4 != 0)
            u8(0);
    }

    std::size_t size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t> &bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

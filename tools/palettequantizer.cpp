// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "palettequantizer.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace {

struct Entry
{
    QRgb colour;
    int count;
};

int channel(QRgb c, int which)
{
    return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c);
}

// A box of the colour cube holding a run of histogram entries.
struct Box
{
    std::vector<Entry>::iterator begin;
    std::vector<Entry>::iterator end;

    int range(int which) const
    {
        auto [lo, hi] = std::minmax_element(begin, end, [which](const Entry &a, const Entry &b) {
            return channel(a.colour, which) < channel(b.colour, which);
        });
        return channel(hi->colour, which) - channel(lo->colour, which);
    }
    int widestChannel() const
    {
        std::array<int, 3> r{range(0), range(1), range(2)};
        return static_cast<int>(std::max_element(r.begin(), r.end()) - r.begin());
    }
    long long pixels() const
    {
        long long n = 0;
        for (auto it = begin; it != end; ++it)
            n += it->count;
        return n;
    }
    // Splitting priority: wide boxes holding many pixels are split first,
    // so large smooth areas get more shades than rare stray colours.
    double priority() const
    {
        if (end - begin < 2)
            return -1;
        return range(widestChannel()) * std::sqrt(static_cast<double>(pixels()));
    }
    QRgb mean() const
    {
        long long sum[3] = {0, 0, 0};
        const long long n = pixels();
        for (auto it = begin; it != end; ++it)
            for (int c = 0; c < 3; ++c)
                sum[c] += static_cast<long long>(channel(it->colour, c)) * it->count;
        return qRgb(static_cast<int>((sum[0] + n / 2) / n), static_cast<int>((sum[1] + n / 2) / n),
                    static_cast<int>((sum[2] + n / 2) / n));
    }
};

int distance(QRgb a, QRgb b)
{
    // Green weighs most and blue least, roughly as the eye sees them.
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

} // namespace

QImage PaletteQuantizer::quantize(const QImage &source, int paletteSize) const
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int available = paletteSize - static_cast<int>(m_reserved.size());
    if (available < 1)
        throw std::runtime_error("palette too small for its reserved colours");

    QHash<QRgb, int> histogram;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            if (!m_reserved.contains(c))
                ++histogram[c];
        }
    std::vector<Entry> entries;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        entries.push_back({it.key(), it.value()});
    // QHash order changes from run to run; sorting keeps the palette, and so
    // the committed files, the same for the same drawing.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.colour < b.colour; });

    std::vector<Box> boxes;
    if (!entries.empty())
        boxes.push_back({entries.begin(), entries.end()});
    while (static_cast<int>(boxes.size()) < available) {
        auto best = std::max_element(boxes.begin(), boxes.end(),
                                     [](const Box &a, const Box &b) { return a.priority() < b.priority(); });
        if (best == boxes.end() || best->priority() < 0)
            break;
        const int which = best->widestChannel();
        std::sort(best->begin, best->end, [which](const Entry &a, const Entry &b) {
            return channel(a.colour, which) < channel(b.colour, which);
        });
        // Split at the weighted median, keeping at least one entry each side.
        const long long half = best->pixels() / 2;
        long long seen = 0;
        auto cut = best->begin;
        while (cut + 1 < best->end && seen + cut->count <= half)
            seen += (cut++)->count;
        if (cut == best->begin)
            ++cut;
        const Box upper{cut, best->end};
        best->end = cut;
        boxes.push_back(upper);
    }

    QList<QRgb> palette = m_reserved;
    for (const Box &box : boxes)
        palette.push_back(box.mean());
    const int firstFree = static_cast<int>(m_reserved.size());
    const int used = static_cast<int>(palette.size());
    while (palette.size() < 256)
        palette.push_back(qRgb(0, 0, 0));

    QImage result(image.size(), QImage::Format_Indexed8);
    result.setColorTable(palette);
    QHash<QRgb, int> lookup;
    for (int i = 0; i < firstFree; ++i)
        lookup.insert(palette[i], i);
    for (int y = 0; y < image.height(); ++y) {
        uchar *line = result.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            auto found = lookup.constFind(c);
            if (found == lookup.cend()) {
                int best = firstFree;
                for (int i = firstFree + 1; i < used; ++i)
                    if (distance(c, palette[i]) < distance(c, palette[best]))
                        best = i;
                found = lookup.insert(c, best);
            }
            line[x] = static_cast<uchar>(*found);
        }
    }
    return result;
}

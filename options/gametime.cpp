// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/gametime.h"

namespace {

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

int32_t readGameTime(QStringView text)
{
    qsizetype i = 0;
    const qsizetype length = text.size();
    while (i < length && isSpace(text[i].unicode()))
        ++i;

    bool negative = false;
    if (i < length && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    // Unsigned arithmetic wraps by definition; the same steps on a signed
    // integer would be undefined behaviour once the number gets long.
    uint32_t value = 0;
    while (i < length && isDigit(text[i].unicode())) {
        value = value * 10u + static_cast<uint32_t>(text[i].unicode() - u'0');
        ++i;
    }
    if (negative)
        value = 0u - value;
    // Conversion to a signed type is modular since C++20.
    return static_cast<int32_t>(value);
}

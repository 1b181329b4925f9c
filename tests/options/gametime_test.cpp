// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/gametime.h"

#include <QString>

#include <gtest/gtest.h>

#include <utility>

namespace {

// C's atol on a 32-bit long, wrapping instead of overflowing.
TEST(ReadGameTime, FollowsAtolWithWrap)
{
    const std::pair<QStringView, int32_t> cases[] = {
        {u"", 0}, {u" ", 0}, {u"abc", 0}, {u"x12", 0}, {u"+", 0}, {u"-", 0}, {u"+-5", 0}, {u"--5", 0}, {u"- 5", 0},
        {u"0", 0}, {u"150", 150}, {u"007", 7}, {u"-20", -20}, {u"+75", 75}, {u"9999", 9999}, {u"10000", 10000},
        {u"  75", 75}, {u"\t\n\v\f\r 75", 75}, {u"75 minutes", 75}, {u"1e3", 1}, {u"12.9", 12},
        // Only the six C white-space characters are skipped.
        {u"\u00a012", 0}, {u"\u200312", 0},
        // Digits of other scripts are not digits to atol.
        {u"\u0661\u0662", 0}, {u"1\u0662", 1}, {u"\uff11", 0},
        // Wrap-around modulo 2^32.
        {u"2147483647", INT32_MAX}, {u"2147483648", INT32_MIN}, {u"-2147483648", INT32_MIN},
        {u"-2147483649", INT32_MAX}, {u"4294967295", -1}, {u"4294967296", 0}, {u"4294967297", 1},
        {u"-4294967297", -1}, {u"4294967446", 150}, {u"99999999999999999999", 1661992959},
        {u"00000000000000000000000000000042", 42},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(readGameTime(text), expected) << "text: \"" << text.toString().toStdString() << '"';
}

TEST(ReadGameTime, LongDigitRunsWrapWithoutTrapping)
{
    // Thousands of digits keep multiplying past 2^32 many times over: under
    // the undefined-behaviour sanitizer this shows any signed overflow.
    const QString nines(5000, u'9');
    // 10^5000 - 1 mod 2^32 is -1 mod 2^32 as 10^5000 is divisible by 2^32.
    EXPECT_EQ(readGameTime(nines), -1);
    EXPECT_EQ(readGameTime(QString(u'-' + nines)), 1);
}

} // namespace

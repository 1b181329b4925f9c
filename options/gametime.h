// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

#include <cstdint>

// Reads the Game Time field the way C's atol reads a number: leading white
// space, one optional sign, then digits up to the first non-digit. The value
// wraps modulo 2^32 like a 32-bit register rather than saturating, so an
// over-long number still gives a definite (possibly negative) result. Never
// fails: text without digits reads as 0.
int32_t readGameTime(QStringView text);

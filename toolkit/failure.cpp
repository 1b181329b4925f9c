// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/failure.h"

Failure::Failure(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toStdString())
{
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/counterlabel.h"

#include "toolkit/counteraccessible.h"

#include <utility>

CounterLabel::CounterLabel(QString caption, const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , m_caption(std::move(caption))
{
    CounterAccessible::install();
}

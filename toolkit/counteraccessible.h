// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class CounterLabel;

// What a screen reader gets for a counter label: static text named by the
// label's caption and its current text.
class CounterAccessible : public QAccessibleWidget
{
public:
    explicit CounterAccessible(CounterLabel *label);

    QString text(QAccessible::Text kind) const override;

    // Makes Qt hand this interface out for every counter label (once).
    static void install();
};

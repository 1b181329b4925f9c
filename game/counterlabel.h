// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A label that shows a bare number on a picture that names it. A screen
// reader reads it as its caption and its current text ("Hits 3"), composed
// only when a reader asks, so changing the number costs what changing any
// label's text costs.
class CounterLabel : public QLabel
{
    Q_OBJECT

public:
    CounterLabel(QString caption, const QString &text, QWidget *parent = nullptr);

    const QString &caption() const { return m_caption; }

private:
    QString m_caption;
};

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProxyStyle>

// The program's tooltip timing: a tooltip shows after the pointer has rested
// 500 ms on its control and hides again after 2500 ms.
class ToolTipStyle : public QProxyStyle
{
    Q_OBJECT

public:
    static constexpr int WakeUpDelay = 500;
    static constexpr int ShowTime = 2500;

    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};

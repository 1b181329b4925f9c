// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/counteraccessible.h"

#include "toolkit/counterlabel.h"

namespace {

QAccessibleInterface *counterFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("CounterLabel"))
        return new CounterAccessible(static_cast<CounterLabel *>(object));
    return nullptr;
}

} // namespace

CounterAccessible::CounterAccessible(CounterLabel *label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

QString CounterAccessible::text(QAccessible::Text kind) const
{
    const auto *label = static_cast<const CounterLabel *>(widget());
    if (kind == QAccessible::Name)
        return label->caption() + QLatin1Char(' ') + label->text();
    if (kind == QAccessible::Value)
        return label->text();
    return QAccessibleWidget::text(kind);
}

void CounterAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(counterFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

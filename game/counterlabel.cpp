// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/counterlabel.h"

#include <QAccessibleWidget>

#include <utility>

namespace {

// What a screen reader gets for a counter label: static text named by the
// label's caption and its current text.
class CounterAccessible : public QAccessibleWidget
{
public:
    explicit CounterAccessible(CounterLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const auto *label = static_cast<const CounterLabel *>(widget());
        if (kind == QAccessible::Name)
            return label->caption() + QLatin1Char(' ') + label->text();
        if (kind == QAccessible::Value)
            return label->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *counterFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("CounterLabel"))
        return new CounterAccessible(static_cast<CounterLabel *>(object));
    return nullptr;
}

} // namespace

CounterLabel::CounterLabel(QString caption, const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , m_caption(std::move(caption))
{
    // Qt asks the factories for every widget a reader reaches: install ours once.
    static const bool installed = (QAccessible::installFactory(counterFactory), true);
    Q_UNUSED(installed);
}

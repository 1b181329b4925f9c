// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/cursortable.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include <utility>

namespace {

bool isMenu(const QObject *object)
{
    return qobject_cast<const QMenuBar *>(object) || qobject_cast<const QMenu *>(object);
}

// A window with a menu bar of its own has its client area in its other
// children; any other window is client area all over.
bool hasMenuBar(const QWidget *window)
{
    return window->findChild<QMenuBar *>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

// The whole rule of where the application-wide cursor goes: on the top of
// each client area, and below it on every control that asks for a cursor of
// its own; never on a menu bar or a menu, nor anything inside one.
bool covers(const QWidget *widget)
{
    for (const QWidget *at = widget; !at->isWindow(); at = at->parentWidget()) {
        if (isMenu(at))
            return false;
    }
    if (isMenu(widget->window()))
        return false;
    const bool top = widget->isWindow() ? !hasMenuBar(widget)
                                        : widget->parentWidget()->isWindow() && hasMenuBar(widget->parentWidget());
    return top || widget->testAttribute(Qt::WA_SetCursor);
}

} // namespace

CursorTable::~CursorTable()
{
    setCurrent(0);
}

void CursorTable::registerCursor(int id, const QCursor &cursor)
{
    m_cursors.insert(id, cursor);
    if (id == m_current && id != 0)
        setCurrent(id);
}

void CursorTable::setCurrent(int id)
{
    m_current = id;
    if (id == 0) {
        uncoverAll();
        if (m_watching) {
            qApp->removeEventFilter(this);
            m_watching = false;
        }
        return;
    }
    const QCursor cursor = m_cursors.value(id, QCursor(Qt::ArrowCursor));
    for (const Covered &covered : std::as_const(m_covered)) {
        if (covered.widget)
            apply(covered.widget, &cursor);
    }
    if (!m_watching) {
        // From here on, windows and controls that come along are covered as
        // they appear; the ones already there are covered now.
        qApp->installEventFilter(this);
        m_watching = true;
        for (QWidget *window : QApplication::topLevelWidgets())
            coverWindow(window);
    }
}

void CursorTable::coverWindow(QWidget *window)
{
    if (covers(window))
        cover(window);
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (covers(widget))
            cover(widget);
    }
}

void CursorTable::cover(QWidget *widget)
{
    auto at = m_covered.find(widget);
    if (at == m_covered.end() || at->widget != widget) {
        // A new widget, or a new one where a destroyed one used to be.
        const bool hadOwn = widget->testAttribute(Qt::WA_SetCursor);
        at = m_covered.insert(widget, Covered{widget, hadOwn, hadOwn ? widget->cursor() : QCursor()});
    }
    const QCursor cursor = m_cursors.value(m_current, QCursor(Qt::ArrowCursor));
    apply(widget, &cursor);
}

void CursorTable::uncoverAll()
{
    const QHash<QWidget *, Covered> covered = std::exchange(m_covered, {});
    for (const Covered &entry : covered) {
        if (entry.widget)
            apply(entry.widget, entry.hadOwn ? &entry.own : nullptr);
    }
}

void CursorTable::apply(QWidget *widget, const QCursor *cursor)
{
    m_applying = true;
    if (cursor)
        widget->setCursor(*cursor);
    else
        widget->unsetCursor();
    m_applying = false;
}

bool CursorTable::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::ChildPolished:
        // A window shown, or one whose controls are being made ready to show.
        if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
            coverWindow(static_cast<QWidget *>(watched));
        break;
    case QEvent::CursorChange:
    case QEvent::ParentChange: {
        if (m_applying || !watched->isWidgetType())
            break;
        auto *widget = static_cast<QWidget *>(watched);
        const auto at = m_covered.find(widget);
        if (at != m_covered.end() && at->widget == widget && event->type() == QEvent::CursorChange) {
            // The control chose a cursor of its own: keep it for later, and
            // keep showing ours.
            at->hadOwn = widget->testAttribute(Qt::WA_SetCursor);
            at->own = at->hadOwn ? widget->cursor() : QCursor();
            cover(widget);
        } else if (covers(widget)) {
            cover(widget);
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

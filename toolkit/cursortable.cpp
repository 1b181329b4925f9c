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
    if (isMenu(window))
        return;
    if (!hasMenuBar(window)) {
        coverTree(window, true);
        return;
    }
    for (QObject *child : window->children()) {
        if (!child->isWidgetType())
            continue;
        auto *widget = static_cast<QWidget *>(child);
        if (!widget->isWindow())
            coverTree(widget, true);
    }
}

void CursorTable::coverTree(QWidget *widget, bool isRoot)
{
    if (isMenu(widget))
        return;
    // Below the root a control shows the root's cursor unless it has one of
    // its own.
    if (isRoot || widget->testAttribute(Qt::WA_SetCursor))
        cover(widget);
    for (QObject *child : widget->children()) {
        if (child->isWidgetType() && !static_cast<QWidget *>(child)->isWindow())
            coverTree(static_cast<QWidget *>(child), false);
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

bool CursorTable::inClientArea(const QWidget *widget) const
{
    for (const QWidget *at = widget; at; at = at->parentWidget()) {
        if (isMenu(at))
            return false;
        if (at->isWindow())
            return at != widget || !hasMenuBar(at);
    }
    return false;
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
        } else if (widget->testAttribute(Qt::WA_SetCursor) && inClientArea(widget)) {
            cover(widget);
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/cursortable.h"

#include <QGuiApplication>

CursorTable::~CursorTable()
{
    setCurrent(0);
}

void CursorTable::registerCursor(int id, const QCursor &cursor)
{
    m_cursors.insert(id, cursor);
    if (id == m_current && id != 0)
        QGuiApplication::changeOverrideCursor(cursor);
}

void CursorTable::setCurrent(int id)
{
    m_current = id;
    if (id == 0) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return;
    }
    const QCursor cursor = m_cursors.value(id, QCursor(Qt::ArrowCursor));
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
}

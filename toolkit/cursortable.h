// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QMap>

// Numbered cursors and the one application-wide cursor shown over the client
// area of every window. Id 0 means no application-wide cursor: each control
// shows its own. Qt's override cursor is a stack; we keep it at one level so
// that setting a cursor always replaces the previous one.
class CursorTable
{
public:
    CursorTable() = default;
    ~CursorTable();
    CursorTable(const CursorTable &) = delete;
    CursorTable &operator=(const CursorTable &) = delete;

    void registerCursor(int id, const QCursor &cursor);

    // Sets the application-wide cursor. An id with no entry shows the arrow.
    void setCurrent(int id);
    int current() const { return m_current; }

private:
    QMap<int, QCursor> m_cursors;
    int m_current = 0;
};

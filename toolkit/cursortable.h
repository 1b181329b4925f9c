// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QWidget>

// Numbered cursors and the one application-wide cursor shown over the client
// area of every window. Id 0 means no application-wide cursor: each control
// shows its own.
//
// The cursor is put on the windows' client widgets, and on every control in
// them that asks for a cursor of its own, whose own cursor is remembered and
// given back at 0. Menu bars and menus are left alone, so they keep the
// system's cursor, as title bars and borders do. Qt's override cursor would
// cover them too. Windows and controls that appear while a cursor is set get
// it as well.
class CursorTable : public QObject
{
    Q_OBJECT

public:
    CursorTable() = default;
    ~CursorTable() override;
    CursorTable(const CursorTable &) = delete;
    CursorTable &operator=(const CursorTable &) = delete;

    void registerCursor(int id, const QCursor &cursor);

    // Sets the application-wide cursor. An id with no entry shows the arrow.
    void setCurrent(int id);
    int current() const { return m_current; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Covered {
        QPointer<QWidget> widget;
        bool hadOwn = false;
        QCursor own;
    };

    void coverWindow(QWidget *window);
    void cover(QWidget *widget);
    void uncoverAll();
    void apply(QWidget *widget, const QCursor *cursor);

    QMap<int, QCursor> m_cursors;
    int m_current = 0;
    QHash<QWidget *, Covered> m_covered;
    bool m_watching = false;
    bool m_applying = false;
};

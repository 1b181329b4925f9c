// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "toolkit/cursortable.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <new>
#include <utility>
#include <vector>

class QDialog;

// The application object: what the program needs of it beyond QApplication.
// It owns the program's top-level windows and destroys them last created
// first, reports failures in the error box and goes on, turns the main
// window's minimising and restoring into two notifications, and keeps the
// application-wide cursor, which modal windows switch off while they are open.
//
// Wayland never tells a client that its window was minimised: Qt there sets
// the minimised state and takes it back at once. What it does report is the
// window going out of sight (unexposed, once the compositor stops asking it
// for frames) and coming back. On such a platform the minimise and restore
// notifications stay silent and two others, out of sight and back in sight,
// stand in for them.
class Application : public QApplication
{
    Q_OBJECT

public:
    // Qt is given only the program name: nothing on the command line,
    // not even Qt's own options, changes how the program runs.
    explicit Application(const char *programName);
    ~Application() override;

    static Application *instance();

    void setTitle(const QString &title) { m_title = title; }

    // The first window created through createForm becomes the main window.
    QWidget *mainWindow() const { return m_mainWindow; }

    // Creates a top-level window owned by the application. The reference is
    // set as soon as the object is allocated, so code run while the window is
    // being built reaches it already; it is reset if construction fails.
    template <class T, class... Args>
    void createForm(T *&reference, Args &&...args);

    // Runs start-up inside one guarded block: creates the windows, shows the
    // main window and runs the event loop until it closes. A failure on the
    // way is reported in the error box. The windows are destroyed on return.
    // Always returns 0, the process exit status.
    int run(const std::function<void()> &createForms);

    // Destroys the owned windows, last created first.
    void destroyForms();

    // True where minimising is reported, false where sight stands in for it.
    bool reportsMinimise() const { return m_reportsMinimise; }

    CursorTable &cursors() { return m_cursors; }

    // Shows a window modally under withCursorOff.
    int execModal(QDialog *dialog);

    // Reports a failure in the error box: the title as its caption, the
    // error icon, one OK button (from any thread).
    void showFailure(const QString &message);

    // The text the error box shows for a failure message: a "." is added when
    // the last character sorts after "." (a letter, a digit, "?"), so messages
    // read as sentences without doubling the stop of one that has it.
    static QString errorBoxText(const QString &message);

    // Runs one of the program's handlers for Qt and reports a failure in it
    // right there. Qt's own code is built without exception support: a
    // failure unwinding through it skips the destructors of its locals (a
    // leak on every failure, and state left half changed). Handlers bound
    // to Qt's signals therefore run under this guard; the catch at the
    // event's dispatch in notify() stays for whatever else raises.
    template <class Handler>
    static void guarded(Handler &&handler);

    bool notify(QObject *receiver, QEvent *event) override;

signals:
    // The main window's changes of state, each raised once per change. Bind
    // handlers to them with bindHandler, which reports their failures.
    void minimized();
    void restored();
    void outOfSight();
    void backInSight();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Reports the failure being handled; called from a catch block.
    static void reportFailure();
    bool showToolTip(QObject *receiver, QEvent *event);
    // Runs a modal window with the application-wide cursor switched off (id
    // 0), so each control shows its own. Afterwards it puts the cursor from
    // before back; but if something set a cursor while the window was open,
    // it ends switched off, not at what was set.
    int withCursorOff(const std::function<int()> &modal);
    void adoptForm(QWidget *form, std::function<void()> clearReference);
    // Raises one of two notifications when a state of the main window changes.
    void raiseOnChange(bool now, bool &was, void (Application::*whenSet)(), void (Application::*whenCleared)());

    struct OwnedForm {
        QPointer<QWidget> form;
        std::function<void()> clearReference;
    };

    QString m_title;
    QPointer<QWidget> m_mainWindow;
    std::vector<OwnedForm> m_forms;
    CursorTable m_cursors;
    bool m_reportsMinimise = true;
    bool m_wasMinimized = false;
    bool m_outOfSight = false;
};

template <class T, class... Args>
void Application::createForm(T *&reference, Args &&...args)
{
    void *memory = ::operator new(sizeof(T));
    reference = static_cast<T *>(memory);
    try {
        new (memory) T(std::forward<Args>(args)...);
    } catch (...) {
        reference = nullptr;
        ::operator delete(memory);
        throw;
    }
    adoptForm(reference, [&reference] { reference = nullptr; });
}

template <class Handler>
void Application::guarded(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        reportFailure();
    }
}

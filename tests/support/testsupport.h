// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace TestSupport {

// Makes Qt's warning about an exception that escaped an event handler a failure of the running test
// function: the program must catch every failure itself. QtTest forgets it after each function, so
// tests that raise failures call it from their init().
void failOnEscapedException();

// Answers the next modal window that opens (an error box or a dialog) by calling `answer` with it once
// it is shown; `answer` must close it. One still open after its answer, because a check in it failed or
// for any other reason, is closed and fails the test: else the test would hang until CTest's timeout.
void answerNextModal(std::function<void(QWidget *)> answer);

// Fails the running test and closes any modal window that stays open for seconds with nobody working
// it: a dialog that should never have opened, or one its answer could not close. Each test main installs it.
void guardModals();

// Ends the test process once its GUI thread has stood still for half a minute (a join that never returns, a
// deadlock): it names the test function and prints every thread's stack through gdb. Each test main installs it.
void guardHangs();

// Closes every error box that opens from now on and records its text.
class ErrorBoxRecorder
{
public:
    ErrorBoxRecorder();
    ~ErrorBoxRecorder();
    const QStringList &texts() const { return m_texts; }
    const QStringList &captions() const { return m_captions; }

private:
    QStringList m_texts;
    QStringList m_captions;
    class Watcher;
    Watcher *m_watcher;
};

} // namespace TestSupport

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace TestSupport {

// Makes Qt's warning about an exception that escaped an event handler a
// test failure (the program must catch every failure itself), and collects
// every other warning for tests that look for one.
void installMessageGuard();

// Answers the next modal window that opens (an error box or a dialog) by
// calling `answer` with it once it is shown; `answer` should close it.
void answerNextModal(std::function<void(QWidget *)> answer);

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

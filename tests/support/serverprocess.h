// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// A display server (Xvfb, weston) that a test starts for itself before its
// application object exists, and stops when it is done. The server dies with
// the test, should the test die first.
class ServerProcess
{
public:
    ServerProcess() = default;
    ~ServerProcess() { stop(); }
    ServerProcess(const ServerProcess &) = delete;
    ServerProcess &operator=(const ServerProcess &) = delete;

    // Starts the program with the arguments, its environment being the
    // test's plus `environment` ("NAME=value" each). The server may write to
    // its file descriptor 3, which readLine reads. Its output is discarded.
    bool start(const QString &program, const QStringList &arguments, const QStringList &environment = {});

    bool running();

    // One line the server wrote to its descriptor 3, without the newline;
    // empty if none came within the time or the server ended.
    QByteArray readLine(int timeoutMs);

    // Asks the server to end, and makes it if it does not.
    void stop();

private:
    pid_t m_pid = -1;
    int m_pipe = -1;
};

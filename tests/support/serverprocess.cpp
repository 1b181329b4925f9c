// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/serverprocess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

std::vector<char *> pointers(std::vector<std::string> &strings)
{
    std::vector<char *> result;
    for (std::string &text : strings)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

bool ServerProcess::start(const QString &program, const QStringList &arguments, const QStringList &environment)
{
    std::vector<std::string> argv{program.toStdString()};
    for (const QString &argument : arguments)
        argv.push_back(argument.toStdString());
    std::vector<std::string> envp;
    for (char **entry = environ; *entry; ++entry)
        envp.emplace_back(*entry);
    for (const QString &entry : environment)
        envp.push_back(entry.toStdString());
    std::vector<char *> argvPointers = pointers(argv);
    std::vector<char *> envpPointers = pointers(envp);

    // Helpers that the server starts are left to us when it ends, to be
    // reaped by stop().
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return false;
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid < 0) {
        close(ends[0]);
        close(ends[1]);
        return false;
    }
    if (m_pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        if (ends[1] == 3)
            fcntl(3, F_SETFD, 0);
        else
            dup2(ends[1], 3);
        execvpe(argvPointers[0], argvPointers.data(), envpPointers.data());
        _exit(127);
    }
    close(ends[1]);
    m_pipe = ends[0];
    return true;
}

bool ServerProcess::running()
{
    if (m_pid <= 0)
        return false;
    if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

QByteArray ServerProcess::readLine(int timeoutMs)
{
    QByteArray line;
    while (m_pipe >= 0) {
        pollfd ready{m_pipe, POLLIN, 0};
        const int polled = poll(&ready, 1, timeoutMs);
        if (polled < 0 && errno == EINTR)
            continue;
        char byte = 0;
        if (polled <= 0 || read(m_pipe, &byte, 1) != 1)
            return {};
        if (byte == '\n')
            return line;
        line += byte;
    }
    return {};
}

void ServerProcess::stop()
{
    if (m_pipe >= 0) {
        close(m_pipe);
        m_pipe = -1;
    }
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    // A loaded machine may take its time; after that, no more asking.
    bool ended = false;
    for (int waited = 0; waited < 200 && !ended; ++waited) {
        ended = waitpid(m_pid, nullptr, WNOHANG) == m_pid;
        if (!ended)
            usleep(50 * 1000);
    }
    if (!ended) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
    // The server's own helpers end with their connection to it.
    for (int waited = 0; waited < 200; ++waited) {
        const pid_t reaped = waitpid(-1, nullptr, WNOHANG);
        if (reaped < 0)
            return;
        if (reaped == 0)
            usleep(50 * 1000);
    }
}

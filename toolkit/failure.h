// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <exception>
#include <string>
#include <utility>

// The one failure type of the program. Whatever goes wrong is raised as a
// Failure carrying the text the player will read in the error box; the
// application catches it at the dispatch of the event it arose in.
class Failure : public std::exception
{
public:
    explicit Failure(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toStdString())
    {
    }

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/displayguard.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <optional>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// A message as Qt would have printed it.
struct HeldMessage {
    QtMsgType type;
    QString line;
};

// A message handler is one function for the whole process: its state is too.
bool g_guarding = false;
QtMessageHandler g_previous = nullptr;
std::vector<HeldMessage> g_held;

// Stops holding messages back, and gives those held so far.
std::vector<HeldMessage> standDown()
{
    g_guarding = false;
    qInstallMessageHandler(g_previous);
    return std::exchange(g_held, {});
}

// A line on standard error, where Qt prints its messages.
void say(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

// What was missing, from what Qt said on its way to giving up: the platform
// asked for, or the displays tried, in Qt's order; nothing when it was not a
// display (a platform plugin that would not load, say).
std::optional<QString> whatIsMissing()
{
    static const QRegularExpression unknownPlatform(
        QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    static const QRegularExpression x11(QStringLiteral("could not connect to display (.*)"));
    QStringList tried;
    for (const HeldMessage &held : g_held) {
        if (const QRegularExpressionMatch match = unknownPlatform.match(held.line); match.hasMatch())
            return QStringLiteral("the display platform \"%1\" is not available").arg(match.captured(1));
        if (const QRegularExpressionMatch match = x11.match(held.line); match.hasMatch())
            tried << (match.captured(1).isEmpty() ? QStringLiteral("X11 with no display set")
                                                  : QStringLiteral("X11 on display ") + match.captured(1));
        else if (held.line.contains(QLatin1String("Failed to create wl_display")))
            tried << QStringLiteral("Wayland");
    }
    if (tried.isEmpty())
        return std::nullopt;
    return QStringLiteral("tried ") + tried.join(QStringLiteral(", then "));
}

void guard(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        g_held.push_back({type, qFormatLogMessage(type, context, text)});
        return;
    }
    const bool platformFailed = text.contains(QLatin1String("platform plugin"));
    // Where no display answered, Qt's own warnings would only mislead; where
    // a platform failed for another reason, they are the ones that help.
    const std::optional<QString> missing = platformFailed ? whatIsMissing() : std::nullopt;
    for (const HeldMessage &message : standDown()) {
        if (!missing || message.type == QtDebugMsg) // debug output somebody asked Qt for
            say(message.line);
    }
    if (!platformFailed) {
        // Some other fatal error: let Qt end as it does.
        qt_message_output(type, context, text);
        return;
    }
    say(missing ? QStringLiteral("thwackle: no display found (%1); start it in a desktop session, or on a virtual "
                                 "display with xvfb-run (Debian package xvfb)")
                      .arg(*missing)
                : text);
    std::fflush(stderr);
    // Nothing has started that needs stopping, and Qt's half-made state is
    // better left alone than torn down.
    _exit(1);
}

} // namespace

DisplayGuard::DisplayGuard()
{
    g_held.clear();
    g_guarding = true;
    g_previous = qInstallMessageHandler(guard);
}

DisplayGuard::~DisplayGuard()
{
    release();
}

void DisplayGuard::release()
{
    if (!g_guarding)
        return;
    for (const HeldMessage &message : standDown())
        say(message.line);
}

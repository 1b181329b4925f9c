// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/displayguard.h"

#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    std::optional<std::string> file;
    int line;
    std::optional<std::string> function;
    std::optional<std::string> category;
    QString text;
};

// A message handler is one function for the whole process: its state is too.
bool g_guarding = false;
const char *g_program = "";
const char *g_remedy = "";
QtMessageHandler g_previous = nullptr;
std::vector<HeldMessage> g_held;

std::optional<std::string> copied(const char *text)
{
    return text ? std::optional<std::string>(text) : std::nullopt;
}

const char *pointer(const std::optional<std::string> &text)
{
    return text ? text->c_str() : nullptr;
}

// Hands the messages held back to the handler that was there before.
void passOn()
{
    g_guarding = false;
    qInstallMessageHandler(g_previous);
    const std::vector<HeldMessage> held = std::move(g_held);
    g_held.clear();
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(pointer(message.file), message.line, pointer(message.function),
                                         pointer(message.category));
        qt_message_output(message.type, context, message.text);
    }
}

// What was missing, from what Qt said on its way to giving up.
QString whatIsMissing()
{
    static const QRegularExpression unknownPlatform(
        QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    for (const HeldMessage &held : g_held) {
        const QRegularExpressionMatch match = unknownPlatform.match(held.text);
        if (match.hasMatch())
            return QStringLiteral("the display platform \"%1\" is not available").arg(match.captured(1));
    }
    return QStringLiteral("neither X11 nor Wayland");
}

void guard(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        g_held.push_back({type, copied(context.file), context.line, copied(context.function),
                          copied(context.category), text});
        return;
    }
    if (!text.contains(QLatin1String("platform plugin"))) {
        // Some other fatal error: say everything, and let Qt end as it does.
        passOn();
        qt_message_output(type, context, text);
        return;
    }
    const QString line = QString::fromLocal8Bit(g_program) + QStringLiteral(": no display found (") + whatIsMissing()
                         + QStringLiteral("); ") + QString::fromLocal8Bit(g_remedy) + QLatin1Char('\n');
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    // Nothing has started that needs stopping, and Qt's half-made state is
    // better left alone than torn down.
    _exit(1);
}

} // namespace

DisplayGuard::DisplayGuard(const char *program, const char *remedy)
{
    g_program = program;
    g_remedy = remedy;
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
    if (g_guarding)
        passOn();
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program hands Qt only its name: options on the command line, Qt's own
// included, must not reach the toolkit.

#include "toolkit/application.h"

#include <QStyle>

#include <cstdio>

int main(int argc, char *[])
{
    if (argc < 2) {
        std::fprintf(stderr, "run me with arguments\n");
        return 1;
    }
    Application app("thwackle");
    int failures = 0;
    const auto check = [&failures](bool ok, const char *what) {
        if (!ok) {
            std::fprintf(stderr, "FAIL: %s\n", what);
            ++failures;
        }
    };
    check(QCoreApplication::arguments() == QStringList{QStringLiteral("thwackle")}, "arguments are the name alone");
    check(QGuiApplication::platformName() == QLatin1String("offscreen"), "-platform was ignored");
    check(QGuiApplication::layoutDirection() == Qt::LeftToRight, "-reverse was ignored");
    check(app.styleSheet().isEmpty(), "-stylesheet was ignored");
    check(QApplication::style()->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0,
          "-style was ignored");
    std::printf("%d passed, %d failed\n", 5 - failures, failures);
    return failures == 0 ? 0 : 1;
}

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/testsupport.h"
#include "toolkit/application.h"

#include <QTest>

// A QtTest main built on the program's own application object, with no
// modal window left to hang a failing test, nor any hang left to run into
// CTest's time limit.
#define THWACKLE_TEST_MAIN(TestClass)                    \
    int main(int argc, char *argv[])                     \
    {                                                    \
        Application app("thwackle-tests");               \
        app.setTitle(QStringLiteral("Thwackle"));        \
        TestSupport::guardModals();                      \
        TestSupport::guardHangs();                       \
        TestClass test;                                  \
        return QTest::qExec(&test, argc, argv);          \
    }

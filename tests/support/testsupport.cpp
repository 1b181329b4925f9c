// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/testsupport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <sys/prctl.h>
#include <unistd.h>

namespace TestSupport {

void failOnEscapedException()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("caught an exception thrown from an event handler")));
}

namespace {

int answering = 0; // answers running

// Fails the test, unless it failed already, and closes the modal window that would keep it waiting.
void closeStuck(QWidget *modal, const QString &why)
{
    if (!QTest::currentTestFailed())
        QTest::qFail(qPrintable(modal->objectName() + QStringLiteral(": ") + why), __FILE__, __LINE__);
    modal->close();
}

} // namespace

void answerNextModal(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        ++answering;
        answer(modal);
        --answering;
        if (modal && modal->isVisible())
            closeStuck(modal, QStringLiteral("still open after its answer"));
    });
    timer->start();
}

void guardModals()
{
    // Long enough for a slow machine to answer, short beside CTest's timeout.
    constexpr int Patience = 10000;
    auto *timer = new QTimer(qApp);
    timer->setInterval(100);
    QObject::connect(timer, &QTimer::timeout, timer, [seen = QPointer<QWidget>(), since = QDeadlineTimer()]() mutable {
        QWidget *modal = answering ? nullptr : QApplication::activeModalWidget();
        if (modal != seen)
            since.setRemainingTime(Patience);
        seen = modal;
        if (modal && modal->isVisible() && since.hasExpired())
            closeStuck(modal, QStringLiteral("open with nobody to answer it"));
    });
    timer->start();
}

void guardHangs()
{
    // Ten times the longest stretch the suite goes without handling events (under 3 s, under
    // AddressSanitizer beside two busy loops).
    static constexpr auto Patience = std::chrono::seconds(30);
    using Clock = std::chrono::steady_clock;
    static std::atomic<Clock::rep> lastBeat{Clock::now().time_since_epoch().count()};
    auto *beat = new QTimer(qApp);
    QObject::connect(beat, &QTimer::timeout, beat, [] { lastBeat = Clock::now().time_since_epoch().count(); });
    beat->start(100);
    std::thread([] {
        while (Clock::now() - Clock::time_point(Clock::duration(lastBeat)) < Patience)
            std::this_thread::sleep_for(std::chrono::seconds(1));
        // Read while the GUI thread stands still; null once the last test function is over.
        const char *function = QTest::currentTestFunction(), *tag = QTest::currentDataTag();
        std::fprintf(stderr, "%s::%s(%s): the GUI thread has stood still for %lld s; every thread's stack:\n",
                     QTest::currentAppName(), function ? function : "after the tests", tag ? tag : "",
                     static_cast<long long>(Patience.count()));
        // Where Yama restricts ptrace, gdb may attach to its parent only if asked.
        prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY);
        const std::string gdb = "gdb -batch -nx -p " + std::to_string(getpid()) + " -ex 'thread apply all bt' 1>&2";
        if (std::system(gdb.c_str()) != 0)
            std::fputs("gdb could not show the stacks\n", stderr);
        std::_Exit(1);
    }).detach();
}

class ErrorBoxRecorder::Watcher : public QTimer
{
public:
    explicit Watcher(ErrorBoxRecorder *recorder)
        : m_recorder(recorder)
    {
        setInterval(5);
        connect(this, &QTimer::timeout, this, &Watcher::look);
        start();
    }

private:
    void look()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->objectName() != QLatin1String("ErrorBox"))
            return;
        m_recorder->m_texts << box->text();
        m_recorder->m_captions << box->windowTitle();
        box->done(QMessageBox::Ok);
    }

    ErrorBoxRecorder *m_recorder;
};

ErrorBoxRecorder::ErrorBoxRecorder()
    : m_watcher(new Watcher(this))
{
}

ErrorBoxRecorder::~ErrorBoxRecorder()
{
    delete m_watcher;
}

} // namespace TestSupport

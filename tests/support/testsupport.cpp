// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/testsupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace TestSupport {

namespace {

QtMessageHandler g_previous = nullptr;

void guard(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("Qt has caught an exception thrown from an event handler"))) {
        std::fprintf(stderr, "FAIL: an exception escaped an event handler\n");
        std::abort();
    }
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

void installMessageGuard()
{
    g_previous = qInstallMessageHandler(guard);
}

void answerNextModal(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
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

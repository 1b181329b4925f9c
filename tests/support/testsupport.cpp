// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/testsupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace TestSupport {

void failOnEscapedException()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("caught an exception thrown from an event handler")));
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

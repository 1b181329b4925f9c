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

// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolkit/application.h"

#include "toolkit/failure.h"
#include "toolkit/layout.h"

#include <QDialog>
#include <QHelpEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QProxyStyle>
#include <QThread>
#include <QToolTip>
#include <QWindow>
#include <QWindowStateChangeEvent>

namespace {

int g_argc = 1;
char *g_argv[2] = {nullptr, nullptr};

int &programArgs(const char *programName)
{
    // QApplication keeps references to argc and argv for its whole life.
    g_argv[0] = const_cast<char *>(programName);
    g_argc = 1;
    return g_argc;
}

// The program's tooltip timing: a tooltip shows after the pointer has rested
// 500 ms on its control, and hides again after 2500 ms (showToolTip).
class ToolTipStyle : public QProxyStyle
{
public:
    static constexpr int WakeUpDelay = 500;
    static constexpr int ShowTime = 2500;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return WakeUpDelay;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

Application::Application(const char *programName)
    : QApplication(programArgs(programName), g_argv)
{
    setStyle(new ToolTipStyle);
    installLayoutFaces();
    m_reportsMinimise = !platformName().startsWith(QLatin1String("wayland"));
}

Application::~Application()
{
    destroyForms();
}

Application *Application::instance()
{
    return static_cast<Application *>(QCoreApplication::instance());
}

void Application::adoptForm(QWidget *form, std::function<void()> clearReference)
{
    m_forms.push_back({form, std::move(clearReference)});
    if (!m_mainWindow) {
        m_mainWindow = form;
        m_wasMinimized = form->isMinimized();
        m_outOfSight = false;
        form->installEventFilter(this);
    }
}

void Application::destroyForms()
{
    while (!m_forms.empty()) {
        OwnedForm owned = std::move(m_forms.back());
        m_forms.pop_back();
        delete owned.form.data();
        owned.clearReference();
    }
}

int Application::run(const std::function<void()> &createForms)
{
    try {
        createForms();
        if (m_mainWindow) {
            m_mainWindow->show();
            exec();
        }
    } catch (const Failure &failure) {
        showFailure(failure.message());
    }
    destroyForms();
    return 0;
}

int Application::withCursorOff(const std::function<int()> &modal)
{
    const int saved = m_cursors.current();
    m_cursors.setCurrent(0);
    const int result = modal();
    m_cursors.setCurrent(m_cursors.current() == 0 ? saved : 0);
    return result;
}

int Application::execModal(QDialog *dialog)
{
    return withCursorOff([dialog] { return dialog->exec(); });
}

void Application::showFailure(const QString &message)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [this, message] { showFailure(message); }, Qt::QueuedConnection);
        return;
    }
    QMessageBox box(QMessageBox::Critical, m_title, errorBoxText(message), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorBox"));
    // Owned by the application as a whole: every other window waits for it.
    box.setWindowModality(Qt::ApplicationModal);
    withCursorOff([&box] { return box.exec(); });
}

QString Application::errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    // A failure in one handler must not take the program down: report it and
    // let the loop carry on with the next event.
    try {
        if (event->type() == QEvent::ToolTip && showToolTip(receiver, event))
            return true;
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportFailure();
    }
    return false;
}

void Application::reportFailure()
{
    try {
        throw;
    } catch (const Failure &failure) {
        instance()->showFailure(failure.message());
    } catch (const std::exception &error) {
        instance()->showFailure(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        instance()->showFailure(QStringLiteral("Unexpected failure"));
    }
}

bool Application::showToolTip(QObject *receiver, QEvent *event)
{
    if (!receiver->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(receiver);
    if (widget->toolTip().isEmpty())
        return false;
    // Qt would keep a short tooltip up for ten seconds.
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), widget->toolTip(), widget, QRect(),
                       ToolTipStyle::ShowTime);
    return true;
}

bool Application::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_mainWindow)
        return QApplication::eventFilter(watched, event);
    if (watched == m_mainWindow) {
        if (event->type() == QEvent::WindowStateChange && m_reportsMinimise)
            raiseOnChange(m_mainWindow->isMinimized(), m_wasMinimized, &Application::minimized, &Application::restored);
        // The native window exists once the window is shown.
        else if (event->type() == QEvent::Show && !m_reportsMinimise && m_mainWindow->windowHandle())
            m_mainWindow->windowHandle()->installEventFilter(this);
    } else if (event->type() == QEvent::Expose && watched == m_mainWindow->windowHandle()) {
        // Hiding or closing the window is neither going out of sight nor
        // coming back.
        if (m_mainWindow->isVisible())
            raiseOnChange(!m_mainWindow->windowHandle()->isExposed(), m_outOfSight, &Application::outOfSight,
                          &Application::backInSight);
    }
    return QApplication::eventFilter(watched, event);
}

void Application::raiseOnChange(bool now, bool &was, void (Application::*whenSet)(),
                                void (Application::*whenCleared)())
{
    if (now == was)
        return;
    was = now;
    emit(this->*(now ? whenSet : whenCleared))();
}

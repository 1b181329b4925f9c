// SPDX-FileCopyrightText: 2026 The Thwackle developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup.h"

#include "about/aboutbox.h"
#include "game/shootform.h"
#include "options/optionsform.h"
#include "resources/assets.h"
#include "toolkit/application.h"
#include "toolkit/handlerbinding.h"

#include <QShortcut>

namespace Startup {

void prepareApplication(Application &app)
{
    QCoreApplication::setApplicationName(QStringLiteral("thwackle"));
    QCoreApplication::setApplicationVersion(QStringLiteral(THWACKLE_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Thwackle"));
    QGuiApplication::setDesktopFileName(QStringLiteral(THWACKLE_APP_ID));
    QGuiApplication::setWindowIcon(Assets::mainIcon());
    app.setTitle(QStringLiteral("Thwackle"));
}

void createForms(Application &app)
{
    app.createForm(ShootForm);
    app.createForm(OptionsForm, *ShootForm);
    app.createForm(AboutBox);

    auto *aboutKey = new QShortcut(QKeySequence(Qt::Key_F1), ShootForm);
    aboutKey->setObjectName(QStringLiteral("AboutShortcut"));
    aboutKey->setAutoRepeat(false);
    bindHandler(aboutKey, &QShortcut::activated, ShootForm, &showAboutBox);
}

void showAboutBox()
{
    if (ShootForm && ShootForm->GameStopped && AboutBox)
        Application::instance()->execModal(AboutBox);
}

int run(Application &app, const std::function<void()> &ready)
{
    prepareApplication(app);
    return app.run([&app, &ready] {
        createForms(app);
        if (ready)
            ready();
    });
}

} // namespace Startup

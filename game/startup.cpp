#include "game/startup.h"

#include "about/aboutbox.h"
#include "game/shootform.h"
#include "options/optionsform.h"
#include "resources/assets.h"
#include "toolkit/application.h"

namespace Startup {

void prepareApplication(Application &app)
{
    QCoreApplication::setApplicationName(QStringLiteral("thwackle"));
    QCoreApplication::setOrganizationName(QStringLiteral("Thwackle"));
    QGuiApplication::setDesktopFileName(QStringLiteral("thwackle"));
    QGuiApplication::setWindowIcon(Assets::mainIcon());
    app.setTitle(QStringLiteral("Thwackle"));
}

void createForms(Application &app)
{
    app.createForm(ShootForm);
    app.createForm(OptionsForm, *ShootForm);
    app.createForm(AboutBox);
}

} // namespace Startup

// Thwackle: strike the critters in the water container before they escape.

#include "about/aboutbox.h"
#include "game/shootform.h"
#include "options/optionsform.h"
#include "resources/assets.h"
#include "toolkit/application.h"

#include <QToolTip>

int main(int, char *[])
{
    // The command line is ignored altogether: Qt sees only the program name.
    Application app("thwackle");
    QCoreApplication::setApplicationName(QStringLiteral("thwackle"));
    QCoreApplication::setApplicationVersion(QStringLiteral(THWACKLE_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Thwackle"));
    QGuiApplication::setDesktopFileName(QStringLiteral("thwackle"));
    QGuiApplication::setWindowIcon(Assets::mainIcon());

    app.setTitle(QStringLiteral("Thwackle"));
    return app.run([&app] {
        app.createForm(ShootForm);
        app.createForm(OptionsForm, *ShootForm);
        app.createForm(AboutBox);
    });
}

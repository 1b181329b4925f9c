// Thwackle: strike the critters in the water container before they escape.

#include "game/startup.h"
#include "toolkit/application.h"

int main(int, char *[])
{
    // The command line is ignored altogether: Qt sees only the program name.
    Application app("thwackle");
    Startup::prepareApplication(app);
    QCoreApplication::setApplicationVersion(QStringLiteral(THWACKLE_VERSION));
    return app.run([&app] { Startup::createForms(app); });
}

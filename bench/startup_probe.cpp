// The game's own start-up, reporting the main window's first paint.

#include "firstpaint.h"

#include "about/aboutbox.h"
#include "game/playarea.h"
#include "game/shootform.h"
#include "options/optionsform.h"
#include "resources/assets.h"
#include "toolkit/application.h"

int main(int, char *[])
{
    Application app("thwackle");
    QGuiApplication::setWindowIcon(Assets::mainIcon());
    app.setTitle(QStringLiteral("Thwackle"));
    FirstPaintProbe probe;
    return app.run([&app, &probe] {
        app.createForm(ShootForm);
        app.createForm(OptionsForm, *ShootForm);
        app.createForm(AboutBox);
        // The play area is the last of the window to be painted.
        ShootForm->Image2->installEventFilter(&probe);
    });
}

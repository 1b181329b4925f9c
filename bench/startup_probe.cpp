// The game's own start-up, reporting the main window's first paint.

#include "firstpaint.h"

#include "game/playarea.h"
#include "game/shootform.h"
#include "game/startup.h"
#include "toolkit/application.h"

int main(int, char *[])
{
    Application app("thwackle");
    Startup::prepareApplication(app);
    FirstPaintProbe probe;
    return app.run([&app, &probe] {
        Startup::createForms(app);
        // The play area is the last of the window to be painted.
        ShootForm->Image2->installEventFilter(&probe);
    });
}

#pragma once

class Application;

// What start-up does before and while it creates the windows; the main
// routine, the screenshot poser and the start-up probe share it.
namespace Startup {

// Names the application and gives it its title and icon.
void prepareApplication(Application &app);

// Creates the three windows in their order: the game window (the main
// window), the options dialog and the About box, each hidden.
void createForms(Application &app);

} // namespace Startup

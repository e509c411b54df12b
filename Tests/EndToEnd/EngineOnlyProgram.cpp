// The engine as a program without any game: what a new project on the engine shows before it
// installs its own content. The end-to-end tests start it like the game.
#include "Corvan/EntryPoint/CorvanEntry.h"
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Log.h"

#include <cstdio>

int main()
{
    Lib::SetLogFileName("enginelog.txt");
    Telvar::EngineSettings engineSettings;
    Vozad::WindowSettings windowSettings;
    windowSettings.clientWidth = 1280;
    windowSettings.clientHeight = 720;
    windowSettings.minimumWidth = 640;
    windowSettings.minimumHeight = 480;
    windowSettings.title = "Quarne Engine";
    windowSettings.supportedWindowModes = 7;

    Telvar::CorvanEntry engine;
    if (!engine.Initialise(engineSettings, windowSettings))
    {
        std::fprintf(stderr, "the engine could not start (see enginelog.txt)\n");
        return 1;
    }
    return engine.Run();
}

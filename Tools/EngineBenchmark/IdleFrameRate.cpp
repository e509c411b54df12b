// Measures the engine with nothing to draw: the time from start to the first presented frame,
// the idle frame rate and the peak resident memory. Usage: IdleFrameRate <sprites> <seconds>, as
// peer-bench's cmd: runs it (the sprite count is ignored: nothing is drawn). Prints
//   vorl_idle sprites=0 frames=F seconds=S fps=X
// and on standard error the start-up and memory lines (BenchReport.h). Run it on the display to
// measure (Xvfb or a desktop); vertical sync stays off and the frame rate uncapped, as the engine
// leaves them after start-up.
#include "BenchReport.h"
#include "FrameWatch.h"

#include "Corvan/EntryPoint/CorvanEntry.h"
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Log.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

int main(int argc, char** argv)
{
    Bench::Report report;
    report.label = "vorl_idle";
    const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;
    Bench::ScratchFolder folder;
    // The engine logs its start-up to standard output too; the result line must stand alone there.
    Lib::SetLogFileName("vorl_idle_log.txt");
    const int resultOutput = dup(STDOUT_FILENO);
    if (resultOutput < 0 || !std::freopen("/dev/null", "w", stdout))
        return 1;

    Telvar::EngineSettings engineSettings;
    engineSettings.loopMode = 2;
    Vozad::WindowSettings windowSettings;
    windowSettings.clientWidth = 1280;
    windowSettings.clientHeight = 720;
    windowSettings.minimumWidth = 640;
    windowSettings.minimumHeight = 480;
    windowSettings.title = "VORL idle benchmark";
    windowSettings.supportedWindowModes = 7;

    int32_t result = 0;
    {
        Telvar::CorvanEntry engine;
        if (!engine.Initialise(engineSettings, windowSettings))
        {
            std::fprintf(stderr, "vorl_idle: the engine could not start\n");
            return 1;
        }
        Bench::FrameWatch watch(engine, report, seconds);
        engine.SetWindowEventReceiver(&watch);
        result = engine.Run();
    }
    FILE* out = fdopen(resultOutput, "w");
    report.PrintResult(0, out ? out : stderr);
    report.PrintDetails();
    return result;
}

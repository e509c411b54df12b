// Starts the real game, as a player does, in a temporary folder (a first start: no configuration
// file but one line, "set g_vsync "0"", so the frame rate is the game's own cap rather than the
// display's) and measures the time to its first presented frame, the frame rate and processor
// use in the start menu and the peak resident memory. Usage: GameStartup <sprites> <seconds>, as
// peer-bench's cmd: runs it (the sprite count is ignored). Prints
//   vorl_game sprites=0 frames=F seconds=S fps=X
// and on standard error the start-up, memory and processor lines (BenchReport.h). The folder is
// removed afterwards; the game's log stays in it only while it runs.
#include "BenchReport.h"
#include "FrameWatch.h"

#include "Game/AppEntry.h"
#include "Game/ApplicationConfig.h"
#include "Game/GameCore.h"
#include "Game/OutputForwarder.h"
#include "Lib/Log.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

int main(int argc, char** argv)
{
    Bench::Report report;
    report.label = "vorl_game";
    const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;
    const bool vsync = argc > 3 && std::string(argv[3]) == "--vsync";

    const int resultOutput = dup(STDOUT_FILENO);
    if (resultOutput < 0 || !std::freopen("/dev/null", "w", stdout))
        return 1;
    Bench::ScratchFolder folder;
    if (!folder.IsReady())
    {
        std::fprintf(stderr, "vorl_game: cannot make a temporary folder\n");
        return 1;
    }
    std::ofstream("gamedata.cfg") << "set g_vsync \"" << (vsync ? 1 : 0) << "\"\n";

    // What the game's entry does, with the frame watch put in front of the game before the loop.
    uint32_t result = 0;
    {
        Lib::SetLogFileName("gamelog.txt");
        auto forwarder = std::make_unique<Snake::OutputForwarder>();
        Lib::SetOutputForwarder(forwarder.get());
        setlocale(LC_ALL, "");
        Lib::Ref<Snake::ApplicationConfig> config = Snake::LoadApplicationConfig();
        std::optional<Snake::Application> application;
        application.emplace();
        std::optional<Bench::FrameWatch> watch;
        result =
            Snake::EngineWrapper(*application, config, forwarder.get(),
                                 [&](Snake::Application& p_Started)
                                 {
                                     watch.emplace(p_Started.engine, report, seconds, p_Started.game.get());
                                     p_Started.engine.SetWindowEventReceiver(&*watch);
                                 });
        Lib::SetOutputForwarder(nullptr);
        application->game.reset();
        application.reset();
        config.Reset();
    }

    FILE* out = fdopen(resultOutput, "w");
    report.PrintResult(0, out ? out : stderr);
    report.PrintDetails();
    return static_cast<int>(result);
}

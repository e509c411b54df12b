#include "Game/AppEntry.h"

#include "Game/ApplicationConfig.h"
#include "Game/ConfigReader.h"
#include "Game/GameCore.h"
#include "Game/OutputForwarder.h"
#include "Lib/Log.h"
#include "Lib/Platform/TerminationSignals.h"

#include <clocale>
#include <optional>

namespace Snake
{
Application::Application() = default;
Application::~Application() = default;

uint32_t EngineWrapper(Application& p_Application, Lib::Ref<ApplicationConfig> p_Config,
                       OutputForwarder* p_Forwarder)
{
    const Lib::LogTag tag("EngineWrapper");
    if (!p_Application.engine.Initialise(p_Config->GetEngineSettings(), p_Config->GetWindowSettings()))
    {
        Lib::LogError(tag, "Failed to initialise the engine.");
        p_Config.Reset();
        return k_ExitEngineFailed;
    }
    p_Application.engine.SetUserData(&p_Config->GetConfigReader());

    p_Application.game.reset();
    p_Application.game = std::make_unique<GameCore>(&p_Application.engine, p_Config);
    if (!p_Application.game->Initialise())
    {
        Lib::LogError(tag, "Failed to initialise the game.");
        p_Config.Reset();
        return k_ExitGameFailed;
    }
    p_Forwarder->SetReceiver(p_Application.game->GetOutputReceiver());

    const int32_t result = p_Application.engine.Run();
    p_Config.Reset();
    return static_cast<uint32_t>(result);
}

uint32_t AppEntry(const Lib::DynamicArray<Lib::String>& p_Arguments)
{
    // The arguments ("-terminal_output", "-turn-assert-break-off", and what a restart passes on)
    // change nothing in the game.
    (void)p_Arguments;
    Lib::SetLogFileName("gamelog.txt");
    const Lib::LogTag tag("AppEntry");
    // Before the window starts SDL, so that SDL keeps its own handlers out, and for the rest of
    // the process: SDL would put the default actions back when its video stops, and a signal
    // between then and the configuration's write below would end the process without saving.
    Lib::CatchTerminationSignals();

    auto forwarder = std::make_unique<OutputForwarder>();
    Lib::SetOutputForwarder(forwarder.get());

    // One call covers the narrow and the wide character functions here.
    setlocale(LC_ALL, "");

    Lib::Ref<ApplicationConfig> config = LoadApplicationConfig();

    std::optional<Application> application;
    application.emplace();
    const uint32_t result = EngineWrapper(*application, config, forwarder.get());

    Lib::SetOutputForwarder(nullptr);
    application->game.reset();
    application.reset();
    config.Reset(); // normally the last reference: writes gamedata.cfg
    forwarder.reset();
    Lib::LogInfo(tag, "Exit code: %u", result);
    return result;
}
} // namespace Snake

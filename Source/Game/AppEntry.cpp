#include "Game/AppEntry.h"

#include "Corvan/Renderer/IGraphicsContext.h"
#include "Game/ApplicationConfig.h"
#include "Game/ConfigIds.h"
#include "Game/ConfigReader.h"
#include "Game/GameCore.h"
#include "Game/OutputForwarder.h"
#include "Lib/Log.h"
#include "Lib/Platform/TerminationSignals.h"

#include <chrono>
#include <clocale>
#include <optional>

namespace Snake
{
namespace
{
constexpr int32_t k_RendererUnset = -1; // no "r_renderer" line: the engine's default
} // namespace

Application::Application() = default;
Application::~Application() = default;

uint32_t EngineWrapper(Application& p_Application, Lib::Ref<ApplicationConfig> p_Config,
                       OutputForwarder* p_Forwarder, const std::function<void(Application&)>& p_BeforeRun)
{
    const Lib::LogTag tag("EngineWrapper");
    // The engine only knows the number; the player knows the setting's name.
    const int32_t renderer = p_Config->GetEngineSettings().rendererApi;
    if (renderer != k_RendererUnset && renderer != Vozad::k_GraphicsApiOpenGL &&
        renderer != Vozad::k_GraphicsApiVulkan)
        Lib::LogError(
            tag, "The setting \"r_renderer\" is \"%s\": it must be 0 (OpenGL) or 1 (Vulkan).",
            p_Config->GetConfigReader().GetEntryText(k_ConfigRenderer, EntrySide::Value).ToNarrow().Data());
    p_Application.engine.DecodeAhead(GameCore::ImagesOfTheFirstPicture());
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
    if (p_BeforeRun)
        p_BeforeRun(p_Application);

    const int32_t result = p_Application.engine.Run();
    p_Config.Reset();
    return static_cast<uint32_t>(result);
}

uint32_t AppEntry(const Lib::DynamicArray<Lib::String>& p_Arguments)
{
    // The arguments ("-terminal_output", "-turn-assert-break-off", and what a restart passes on)
    // change nothing in the game; only a restarted game waits for the old one to leave the folder.
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

    // A restarted game starts while the old one is still shutting down in the same folder.
    const bool restarted = !p_Arguments.IsEmpty() && p_Arguments[0] == Lib::String("-restart");
    Lib::Ref<ApplicationConfig> config =
        LoadApplicationConfig("gamedata.cfg", restarted ? std::chrono::seconds(10) : std::chrono::seconds(0));

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

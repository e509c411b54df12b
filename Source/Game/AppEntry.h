#pragma once
#include "Corvan/EntryPoint/CorvanEntry.h"
#include "Lib/DynamicArray.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace Snake
{
class ApplicationConfig;
class GameCore;
class OutputForwarder;

// Exit codes of the entry; otherwise the process ends with the engine's run result.
enum AppExitCode : uint32_t
{
    k_ExitEngineFailed = 6000,
    k_ExitGameFailed = 5000,
};

// The engine and the game it runs; lives on the stack of AppEntry.
struct Application
{
    Application();
    ~Application();

    Telvar::CorvanEntry engine;
    std::unique_ptr<GameCore> game;
};

// The process entry after the command line has been split: sets the log file, installs the
// forwarder, loads the configuration, runs engine and game, and tears everything down in order.
uint32_t AppEntry(const Lib::DynamicArray<Lib::String>& p_Arguments);

// Initialises the engine and the game and runs the main loop. Consumes p_Config on every path.
// p_BeforeRun, when given, sees the started game just before the loop (benchmarks watch its frames).
uint32_t EngineWrapper(Application& p_Application, Lib::Ref<ApplicationConfig> p_Config,
                       OutputForwarder* p_Forwarder,
                       const std::function<void(Application&)>& p_BeforeRun = {});
} // namespace Snake

#pragma once
// Everything the program needs from its configuration at start-up, shared by the entry, the
// engine wrapper and the game; the last holder to let go saves the file.
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/Window/WindowSettings.h"
#include "Game/ConfigReader.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <chrono>
#include <memory>

namespace Snake
{
class ApplicationConfig : public Lib::ReferenceCounter
{
public:
    ApplicationConfig(const Telvar::EngineSettings& p_EngineSettings,
                      const Vozad::WindowSettings& p_WindowSettings, std::unique_ptr<ConfigReader> p_Store);
    // Writes the file: settings changed during the game reach it here, at program end.
    ~ApplicationConfig() override;

    const Telvar::EngineSettings& GetEngineSettings() const { return m_EngineSettings; }
    const Vozad::WindowSettings& GetWindowSettings() const { return m_WindowSettings; }
    ConfigReader& GetConfigReader() { return *m_Store; }
    const ConfigReader& GetConfigReader() const { return *m_Store; }

private:
    Telvar::EngineSettings m_EngineSettings;
    Vozad::WindowSettings m_WindowSettings;
    std::unique_ptr<ConfigReader> m_Store;
};

// Reads the file (writing the defaults when there is none), builds the key bindings and derives
// the engine and window settings. The program uses the default file name in the working folder.
// A file that exists but cannot be read is left alone, and so is the file of a folder in which
// another game runs (waited for up to p_LockWait): this game then runs without saving.
Lib::Ref<ApplicationConfig> LoadApplicationConfig(const Lib::String& p_FileName = "gamedata.cfg",
                                                  std::chrono::milliseconds p_LockWait = {});
} // namespace Snake

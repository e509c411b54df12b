#pragma once
// Everything the program needs from its configuration at start-up, shared by the entry, the
// engine wrapper and the game; the last holder to let go saves the file.
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/Window/WindowSettings.h"
#include "Game/ConfigReader.h"
#include "Game/SettingValue.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>

namespace Snake
{
// The smallest client size the window takes.
inline constexpr int32_t k_MinimumClientWidth = 640;
inline constexpr int32_t k_MinimumClientHeight = 480;

// "r_customwidth" and "r_customheight": a negative size is held to the window's minimum here; a
// size the monitor cannot show (0 up to the minimum, or too large) the window holds itself and
// says so.
inline constexpr NumberRule k_ClientWidthRule{.fallback = 1280,
                                              .minimum = 0,
                                              .maximum = std::numeric_limits<int32_t>::max(),
                                              .belowMinimum = k_MinimumClientWidth,
                                              .aboveMaximum = std::numeric_limits<int32_t>::max()};
inline constexpr NumberRule k_ClientHeightRule{.fallback = 720,
                                               .minimum = 0,
                                               .maximum = std::numeric_limits<int32_t>::max(),
                                               .belowMinimum = k_MinimumClientHeight,
                                               .aboveMaximum = std::numeric_limits<int32_t>::max()};
// "r_currentmonitor" and "r_gpu": an index; one past the monitors or GPUs there are means the
// first as well, which only the window and the Vulkan probe can tell.
inline constexpr NumberRule k_DeviceIndexRule{.fallback = 0,
                                              .minimum = 0,
                                              .maximum = std::numeric_limits<int32_t>::max(),
                                              .belowMinimum = 0,
                                              .aboveMaximum = std::numeric_limits<int32_t>::max()};
// "r_windowmode": 0 windowed, 1 fullscreen exclusive, 2 fullscreen borderless.
inline constexpr NumberRule k_WindowModeRule{
    .fallback = 0, .minimum = 0, .maximum = 2, .belowMinimum = 0, .aboveMaximum = 0};
// "r_renderer" is never replaced: a text other than 0 or 1 asks for a renderer the engine does not
// have, and the start ends with an Error that names the setting.
inline constexpr int32_t k_RendererUnknown = std::numeric_limits<int32_t>::max();
int32_t RendererFromSetting(const Lib::String& p_Text);

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

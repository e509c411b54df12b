#include "Game/ApplicationConfig.h"

#include "Corvan/Events/KeyCodes.h"
#include "Game/ConfigIds.h"
#include "Game/MultisampleSetting.h"
#include "Game/SettingChecks.h"
#include "Lib/Log.h"
#include "Lib/Platform/FileSystem.h"
#include "Lib/Platform/RegularFile.h"

#include <cerrno>
#include <optional>
#include <utility>

namespace Snake
{
namespace
{
// The stored number (0, 1, 2) is what the options menu offers; the window wants its mode bit.
int32_t WindowModeFromSetting(int32_t p_Setting)
{
    switch (p_Setting)
    {
    case 1:
        return Vozad::k_WindowModeFullscreenExclusive;
    case 2:
        return Vozad::k_WindowModeFullscreenBorderless;
    default:
        return Vozad::k_WindowModeWindowed;
    }
}

Telvar::EngineSettings DefaultEngineSettings()
{
    Telvar::EngineSettings settings;
    settings.loopMode = 2;
    // A menu nobody touches is drawn once, not sixty times a second.
    settings.redrawOnChange = true;
    settings.rendererApi = -1;
    settings.gpu.preferredIndex = 0;
    return settings;
}

Vozad::WindowSettings DefaultWindowSettings()
{
    Vozad::WindowSettings settings;
    settings.monitorIndex = 0;
    settings.minimumWidth = k_MinimumClientWidth;
    settings.minimumHeight = k_MinimumClientHeight;
    settings.x = 0;
    settings.y = 0;
    settings.clientWidth = 800;
    settings.clientHeight = 600;
    settings.title = "VORL";
    settings.resizable = false;
    settings.focus = true;
    settings.windowMode = 0;
    settings.targetFullscreenMode = 0;
    settings.supportedWindowModes = Vozad::k_WindowModeWindowed | Vozad::k_WindowModeFullscreenExclusive |
                                    Vozad::k_WindowModeFullscreenBorderless;
    return settings;
}

// Only the settings the engine needs before the game exists are applied here; the game reads
// the rest through the store. Every line is applied, so the last line of a setting counts.
void ApplySetting(const ConfigEntry& p_Entry, Telvar::EngineSettings& p_Engine,
                  Vozad::WindowSettings& p_Window)
{
    const Lib::String& text = p_Entry.value;
    switch (p_Entry.id)
    {
    case k_ConfigCustomWidth:
        p_Window.clientWidth = static_cast<uint32_t>(ReadNumber(text, k_ClientWidthRule).value);
        break;
    case k_ConfigCustomHeight:
        p_Window.clientHeight = static_cast<uint32_t>(ReadNumber(text, k_ClientHeightRule).value);
        break;
    case k_ConfigCurrentMonitor:
        p_Window.monitorIndex = ReadNumber(text, k_DeviceIndexRule).value;
        break;
    case k_ConfigWindowMode:
        p_Window.windowMode = WindowModeFromSetting(ReadNumber(text, k_WindowModeRule).value);
        break;
    case k_ConfigRenderer:
        p_Engine.rendererApi = RendererFromSetting(text);
        break;
    case k_ConfigGpu:
        p_Engine.gpu.preferredIndex = ReadNumber(text, k_DeviceIndexRule).value;
        break;
    case k_ConfigMultisample:
        p_Engine.multisample = ParseMultisample(text).setting;
        break;
    default:
        break;
    }
}
} // namespace

int32_t RendererFromSetting(const Lib::String& p_Text)
{
    // Text that is no number, and a negative number, name no renderer either; they used to start
    // OpenGL without a word ("-1" standing for no setting at all).
    const std::optional<int32_t> number = ReadWholeNumber(p_Text);
    return number && *number >= 0 ? *number : k_RendererUnknown;
}

ApplicationConfig::ApplicationConfig(const Telvar::EngineSettings& p_EngineSettings,
                                     const Vozad::WindowSettings& p_WindowSettings,
                                     std::unique_ptr<ConfigReader> p_Store)
    : m_EngineSettings(p_EngineSettings), m_WindowSettings(p_WindowSettings), m_Store(std::move(p_Store))
{
}

ApplicationConfig::~ApplicationConfig()
{
    if (m_Store)
        m_Store->WriteFile();
    m_Store.reset();
}

Lib::Ref<ApplicationConfig> LoadApplicationConfig(const Lib::String& p_FileName,
                                                  std::chrono::milliseconds p_LockWait)
{
    Telvar::EngineSettings engine = DefaultEngineSettings();
    Vozad::WindowSettings window = DefaultWindowSettings();
    auto store = std::make_unique<ConfigReader>(p_FileName);

    store->SetLoaded(false);
    // Leftovers of a write that was killed halfway are removed only by the game that owns the
    // folder: a second game must not touch what the first may be writing right now.
    if (store->ClaimFile(p_LockWait))
        Lib::RemoveStaleTemporaryFiles(p_FileName);
    const bool read = store->ReadFile();
    store->MergeDefaults();
    if (!read && store->ReadErrorCode() == ENOENT)
    {
        // A first start leaves a complete file behind at once.
        store->WriteFile();
    }
    // A file of another kind (a FIFO, a device ...) the reader has already named and kept as it is.
    else if (!read && !Lib::RefusedKindOf(store->ReadErrorCode()))
    {
        // The file is the user's, even when this process may not read it: replacing it with the
        // defaults would lose every setting in it for good.
        const Lib::LogTag tag("ConfigReader");
        Lib::LogError(tag,
                      "\"%s\" exists but cannot be read: the game runs with the default settings and "
                      "leaves the file as it is",
                      p_FileName.ToNarrow().Data());
        store->KeepFileAsItIs("it could not be read at start");
    }
    store->SetLoaded(true);

    const Lib::String bind = "bind";
    const Lib::String set = "set";
    for (const ConfigEntry& entry : store->Entries())
    {
        if (entry.kind == bind)
        {
            const int32_t keyCode = Vozad::KeyCodeFromName(entry.name.ToNarrow().Data());
            store->AddBinding(entry.value.ToNarrow().Bytes(), static_cast<uint32_t>(keyCode));
        }
        else if (entry.kind == set && IsAppliedAtStartUp(entry.id))
        {
            ApplySetting(entry, engine, window);
        }
    }
    ReportUnusableSettings(*store);

    return Lib::Ref<ApplicationConfig>(new ApplicationConfig(engine, window, std::move(store)));
}
} // namespace Snake

#include "Game/ApplicationConfig.h"

#include "Corvan/Events/KeyCodes.h"
#include "Game/ConfigIds.h"
#include "Game/MultisampleSetting.h"
#include "Lib/Log.h"
#include "Lib/Platform/FileSystem.h"
#include "Lib/Platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
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
    case 0:
        return Vozad::k_WindowModeWindowed;
    case 1:
        return Vozad::k_WindowModeFullscreenExclusive;
    case 2:
        return Vozad::k_WindowModeFullscreenBorderless;
    default:
        return 0;
    }
}

// A negative size would wrap into a huge unsigned one; 0 lets the window fall back to its
// minimum size instead.
uint32_t ClientSizeFromSetting(int32_t p_Setting)
{
    return static_cast<uint32_t>(std::max(p_Setting, 0));
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
    settings.minimumWidth = 640;
    settings.minimumHeight = 480;
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

// The variable name of the default with the id; the defaults are the one list of names.
Lib::String DefaultName(const ConfigReader& p_Store, int32_t p_Id)
{
    for (const ConfigEntry& entry : p_Store.Defaults())
        if (entry.id == p_Id)
            return entry.name;
    return {};
}

// Only the settings the engine needs before the game exists are applied here; the game reads
// the rest through the store.
void ApplySetting(const ConfigReader& p_Store, const ConfigEntry& p_Entry, Telvar::EngineSettings& p_Engine,
                  Vozad::WindowSettings& p_Window)
{
    const int32_t value = p_Entry.value.ToInt();
    if (p_Entry.name == DefaultName(p_Store, k_ConfigCustomWidth))
        p_Window.clientWidth = ClientSizeFromSetting(value);
    else if (p_Entry.name == DefaultName(p_Store, k_ConfigCustomHeight))
        p_Window.clientHeight = ClientSizeFromSetting(value);
    else if (p_Entry.name == DefaultName(p_Store, k_ConfigCurrentMonitor))
        p_Window.monitorIndex = value;
    else if (p_Entry.name == DefaultName(p_Store, k_ConfigWindowMode))
        p_Window.windowMode = WindowModeFromSetting(value);
    else if (p_Entry.name == DefaultName(p_Store, k_ConfigRenderer))
        p_Engine.rendererApi = value;
    else if (p_Entry.name == DefaultName(p_Store, k_ConfigGpu))
        p_Engine.gpu.preferredIndex = value;
    else if (p_Entry.name == DefaultName(p_Store, k_ConfigMultisample))
    {
        const ParsedMultisample parsed = ParseMultisample(p_Entry.value);
        if (!parsed.valid)
            Lib::LogWarning(Lib::LogTag("ConfigReader"),
                            "r_multisample \"%s\" is none of auto, off, 2, 4, 8: multisampling is automatic.",
                            p_Entry.value.ToNarrow().Data());
        p_Engine.multisample = parsed.setting;
    }
}
} // namespace

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
        else if (entry.kind == set)
        {
            ApplySetting(*store, entry, engine, window);
        }
    }

    return Lib::Ref<ApplicationConfig>(new ApplicationConfig(engine, window, std::move(store)));
}
} // namespace Snake

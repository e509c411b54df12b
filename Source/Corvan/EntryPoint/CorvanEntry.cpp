#include "Corvan/EntryPoint/CorvanEntry.h"

#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/EntryPoint/LibraryVersions.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Platform/Platform.h"

namespace Telvar
{
namespace
{
constexpr const char* k_CompanyName = "Orvane";
constexpr const char* k_EngineName = "Quarne Engine";
constexpr const char* k_EngineVersion = "Alpha 0.5.0";
} // namespace

CorvanEntry::~CorvanEntry() = default;

bool CorvanEntry::Fail(int32_t p_ReturnCode)
{
    m_ReturnCode = p_ReturnCode;
    return false;
}

bool CorvanEntry::Initialise(const EngineSettings& p_EngineSettings,
                             const Vozad::WindowSettings& p_WindowSettings)
{
    EngineSettings settings = p_EngineSettings;
    if (settings.loopMode == -1)
        settings.loopMode = 0;
    if (settings.rendererApi == -1)
        settings.rendererApi = 0;
    (void)p_WindowSettings;

    const LibraryVersions& versions = GetLibraryVersions();
    LogInfo(m_Tag, "==== Initialise %s - %s", k_CompanyName, k_EngineName);
    LogInfo(m_Tag, "Version: %s", k_EngineVersion);
    LogInfo(m_Tag, "Date: %s", versions.buildDate);
    LogInfo(m_Tag, "%s", "");

    LogInfo(m_Tag, "Using GLM");
    LogInfo(m_Tag, "Version: %s", versions.glm);
    LogInfo(m_Tag, "%s", "");
    LogInfo(m_Tag, "Using Stbi Image");
    LogInfo(m_Tag, "Version: %s", versions.stbImage);
    LogInfo(m_Tag, "%s", "");
    LogInfo(m_Tag, "Using FreeType");
    LogInfo(m_Tag, "Version: %u.%u.%u", versions.freeTypeMajor, versions.freeTypeMinor,
            versions.freeTypePatch);
    LogInfo(m_Tag, "%s", "");
    LogInfo(m_Tag, "Using Lua");
    LogInfo(m_Tag, "Version: %s", versions.lua);
    LogInfo(m_Tag, "%s", "");
    LogInfo(m_Tag, "Using ImGUI");
    LogInfo(m_Tag, "Version: %s", versions.imGui);
    LogInfo(m_Tag, "%s", "");

    LogInfo(m_Tag, "==== Initialise Platform subsystem");
    if (!Lib::InitialisePlatform())
    {
        LogInfo(m_Tag, "Failed to initialise Platform subsystem ====");
        return Fail(k_ReturnPlatformFailed);
    }
    LogInfo(m_Tag, "Platform subsystem successfully initialised ====");
    LogInfo(m_Tag, "%s", "");

    // The engine data, the event system, the window, the GUI pipeline and the renderer are not
    // part of this build yet, so initialisation stops at the first of them.
    LogInfo(m_Tag, "==== Initialise Engine subsystem");
    LogInfo(m_Tag, "Failed to initialise Engine subsystem ====");
    return Fail(k_ReturnEngineDataFailed);
}

int32_t CorvanEntry::Run()
{
    if (!m_Initialised)
    {
        LogError(m_Tag, "Engine wasn't initialised properly, the return code is: %d", m_ReturnCode);
        return m_ReturnCode;
    }
    return m_ReturnCode;
}
} // namespace Telvar

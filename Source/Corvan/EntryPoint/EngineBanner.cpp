#include "Corvan/EntryPoint/EngineBanner.h"

#include "Corvan/EntryPoint/EngineVersion.h"
#include "Corvan/EntryPoint/LibraryVersions.h"

namespace Telvar
{
void LogEngineBanner(const Lib::LogTag& p_Tag)
{
    const LibraryVersions& versions = GetLibraryVersions();
    LogInfo(p_Tag, "==== Initialise %s - %s", k_CompanyName, k_EngineName);
    LogInfo(p_Tag, "Version: %s", k_EngineVersion);
    LogInfo(p_Tag, "Date: %s", versions.buildDate);
    LogInfo(p_Tag, "%s", "");

    LogInfo(p_Tag, "Using GLM");
    LogInfo(p_Tag, "Version: %s", versions.glm);
    LogInfo(p_Tag, "%s", "");
    LogInfo(p_Tag, "Using Stbi Image");
    LogInfo(p_Tag, "Version: %s", versions.stbImage);
    LogInfo(p_Tag, "%s", "");
    LogInfo(p_Tag, "Using FreeType");
    LogInfo(p_Tag, "Version: %u.%u.%u", versions.freeTypeMajor, versions.freeTypeMinor,
            versions.freeTypePatch);
    LogInfo(p_Tag, "%s", "");
    LogInfo(p_Tag, "Using Lua");
    LogInfo(p_Tag, "Version: %s", versions.lua);
    LogInfo(p_Tag, "%s", "");
    LogInfo(p_Tag, "Using ImGUI");
    LogInfo(p_Tag, "Version: %s", versions.imGui);
    LogInfo(p_Tag, "%s", "");
}
} // namespace Telvar

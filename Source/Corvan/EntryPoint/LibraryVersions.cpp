#include "Corvan/EntryPoint/LibraryVersions.h"

// Only the version macros are used; nothing here calls into these libraries.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <glm/detail/setup.hpp>
#include <imgui.h>
#include <lua.h>

namespace Telvar
{
const LibraryVersions& GetLibraryVersions()
{
    static const LibraryVersions versions{
        GLM_VERSION_MESSAGE, VORL_STB_IMAGE_VERSION, FREETYPE_MAJOR, FREETYPE_MINOR, FREETYPE_PATCH,
        LUA_RELEASE,         IMGUI_VERSION,          __DATE__,
    };
    return versions;
}
} // namespace Telvar

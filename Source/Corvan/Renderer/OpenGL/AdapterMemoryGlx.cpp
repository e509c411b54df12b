#include "Corvan/Renderer/OpenGL/AdapterMemory.h"

#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include <SDL2/SDL.h>

#include <cstring>

namespace Vozad
{
namespace
{
constexpr int k_GlxRendererVideoMemoryMesa = 0x8187; // GLX_RENDERER_VIDEO_MEMORY_MESA, in MiB
} // namespace

// Mesa's X11 drivers answer through GLX_MESA_query_renderer; the lookup is only trusted on Mesa,
// because other drivers hand out dispatch stubs for GLX names they do not implement.
uint32_t AdapterMemoryKiB()
{
    const char* videoDriver = SDL_GetCurrentVideoDriver();
    const GLubyte* version = GL_CHECK_VALUE(glGetString(GL_VERSION));
    if (!videoDriver || strcmp(videoDriver, "x11") != 0 || !version ||
        !strstr(reinterpret_cast<const char*>(version), "Mesa"))
        return 0;
    using QueryRendererInteger = int (*)(int p_Attribute, unsigned int* p_Value);
    const auto query =
        reinterpret_cast<QueryRendererInteger>(SDL_GL_GetProcAddress("glXQueryCurrentRendererIntegerMESA"));
    unsigned int megabytes = 0;
    if (!query || !query(k_GlxRendererVideoMemoryMesa, &megabytes))
        return 0;
    return megabytes << 10;
}
} // namespace Vozad

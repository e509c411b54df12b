#include "Corvan/Window/WindowErrors.h"

#include "Corvan/Renderer/IGraphicsContext.h"

#include <SDL2/SDL.h>

namespace Vozad
{
void ReportSdlError(const Lib::LogTag& p_Tag, const char* p_Text)
{
    LogError(p_Tag, "%s, message: %s", p_Text, SDL_GetError());
}

void ReportInvalidApi(const Lib::LogTag& p_Tag, int32_t p_Api, const char* p_Operation)
{
    if (p_Api != k_GraphicsApiOpenGL && p_Api != k_GraphicsApiVulkan)
        LogError(p_Tag, "Not valid Renderer API is available (%s).", p_Operation);
}
} // namespace Vozad

#pragma once
// The graphics API behind the window: OpenGL renders, Vulkan only probes the device.
#include "Lib/String.h"

#include <cstdint>

struct SDL_Window;

namespace Vozad
{
enum GraphicsApi : int32_t
{
    k_GraphicsApiOpenGL = 0,
    k_GraphicsApiVulkan = 1,
};

class IGraphicsContext
{
public:
    virtual ~IGraphicsContext() = default;
    virtual int32_t GetApi() const = 0;
    // Creates the context on the window; false on failure (the window then fails creation).
    virtual bool Initialise(SDL_Window* p_Window) = 0;
    virtual void Shutdown() = 0;
    virtual void RestoreDefaultState() = 0;
    // Writes the back buffer as "Screenshots/<prefix>YYYY-MM-DD_HH-MM-SS.png".
    virtual void SaveScreenshot(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix,
                                uint32_t p_Width, uint32_t p_Height) = 0;
};
} // namespace Vozad

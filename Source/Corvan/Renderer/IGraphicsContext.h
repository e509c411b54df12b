#pragma once
// The graphics API behind the window: OpenGL renders, Vulkan only probes the device.
#include "Lib/Log.h"
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

    // What the window asks of its context. A context that presents nothing (the Vulkan probe)
    // keeps these defaults: nothing to describe, no native handle, no vertical sync, no swap.
    // Right after a successful Initialise: logs what was created under the window's tag; false
    // when the context cannot be used after all.
    virtual bool DescribeContext(const Lib::LogTag&, SDL_Window*, const Lib::String&) { return true; }
    virtual void* GetNativeContext() const { return nullptr; }
    virtual bool SwapVSync(bool) { return false; }
    virtual bool RetrieveVSync() const { return false; }
    virtual void SwapBuffers(SDL_Window*) {}
    // Releases what Initialise created on the window, before Shutdown.
    virtual void Destroy() {}
};
} // namespace Vozad

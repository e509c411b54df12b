#pragma once
// The graphics context that draws into the game window: which one the configured API gets, what
// the window must be created with for it, bringing it up on the window (with the Vulkan device
// probe), showing frames, and releasing it before the window goes.
#include "Corvan/Window/EngineData.h"
#include "Lib/Log.h"
#include "Lib/RectSize.h"
#include "Lib/String.h"

#include <cstdint>
#include <memory>

struct SDL_Window;

namespace Vozad
{
class IGraphicsContext;
class VulkanGPUInfo;

class WindowGraphics
{
public:
    // p_Tag and p_EngineData must outlive this object.
    WindowGraphics(const Lib::LogTag& p_Tag, EngineData* p_EngineData);
    ~WindowGraphics();

    // Makes the context for the engine data's API (none for other APIs) and the Vulkan device
    // probe; nothing is brought up yet.
    void Prepare();

    // What the GL driver draws into, read from the context once it is up; 0 x 0 when unknown.
    Lib::RectSize GetLargestDrawable() const { return m_LargestDrawable; }
    // Adds the SDL window flags the context needs and prepares SDL's attributes for it (always
    // single-sampled: the renderer multisamples in a target of its own, so the choice waits for
    // the real context and costs no second one); false, logged, for an API without a context.
    bool PrepareWindow(uint32_t& p_Flags) const;
    // Brings the context up on the created window and describes it in the log (naming the
    // window p_Title); false when any step fails.
    bool Initialise(SDL_Window* p_Window, const Lib::String& p_Title);
    // Shows the frame drawn since the last call.
    void Present(SDL_Window* p_Window);
    bool RetrieveVSync() const;
    void SwapVSync(bool p_Enabled);
    // Tears the device probe and the context down; Initialise makes a new context.
    void Release();

    IGraphicsContext* GetGraphicsContext() const { return m_GraphicsContext.get(); }
    // The Vulkan device probe; it holds a device only while a window made for Vulkan exists.
    const VulkanGPUInfo* GetVulkanGpuInfo() const { return m_GpuInfo.get(); }
    // The native context handle (SDL_GLContext for OpenGL); null without a context.
    void* GetNativeGraphicsContext() const;

private:
    void CreateGraphicsContext();
    // Runs the Vulkan device probe on the window; false at the first step that fails.
    bool ProbeVulkanDevice(SDL_Window* p_Window);

    const Lib::LogTag& m_Tag;
    EngineData* m_EngineData;        // not owned
    Lib::RectSize m_LargestDrawable; // what the GL driver draws into; 0 x 0 when unknown
    std::unique_ptr<IGraphicsContext> m_GraphicsContext;
    std::unique_ptr<VulkanGPUInfo> m_GpuInfo; // the device probe of the Vulkan renderer
};
} // namespace Vozad

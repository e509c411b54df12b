#pragma once
// The graphics context of a window made for Vulkan. Vulkan only probes and describes the device
// (the window runs that probe), so there is nothing to create, restore or read back here.
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Lib/Log.h"

namespace Vozad
{
class VulkanGraphicsContext : public IGraphicsContext
{
public:
    int32_t GetApi() const override { return k_GraphicsApiVulkan; }
    bool Initialise(SDL_Window* p_Window) override;
    void Shutdown() override {}
    void RestoreDefaultState() override {}
    void SaveScreenshot(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix, uint32_t p_Width,
                        uint32_t p_Height) override;
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    Lib::LogTag m_Tag{"VulkanGraphicsContext"};
};
} // namespace Vozad

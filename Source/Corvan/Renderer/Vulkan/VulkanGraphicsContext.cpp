#include "Corvan/Renderer/Vulkan/VulkanGraphicsContext.h"

namespace Vozad
{
bool VulkanGraphicsContext::Initialise(SDL_Window*)
{
    return true;
}

void VulkanGraphicsContext::SaveScreenshot(const Lib::String&, const Lib::String&, uint32_t, uint32_t) {}
} // namespace Vozad

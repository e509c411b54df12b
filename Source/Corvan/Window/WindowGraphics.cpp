#include "Corvan/Window/WindowGraphics.h"

#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Renderer/Vulkan/VulkanGPUInfo.h"
#include "Corvan/Renderer/Vulkan/VulkanGraphicsContext.h"
#include "Corvan/Window/WindowErrors.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_vulkan.h>

#include <string>
#include <vector>

namespace Vozad
{
WindowGraphics::WindowGraphics(const Lib::LogTag& p_Tag, EngineData* p_EngineData)
    : m_Tag(p_Tag), m_EngineData(p_EngineData)
{
}

WindowGraphics::~WindowGraphics() = default;

void WindowGraphics::Prepare()
{
    CreateGraphicsContext();
    m_GpuInfo = std::make_unique<VulkanGPUInfo>(m_EngineData->gpuSelection);
}

void WindowGraphics::CreateGraphicsContext()
{
    // Other API values get no context, and creating the window then fails.
    if (m_EngineData->rendererApi == k_GraphicsApiOpenGL)
    {
        m_GraphicsContext = std::make_unique<OpenGLGraphicsContext>();
    }
    else if (m_EngineData->rendererApi == k_GraphicsApiVulkan)
    {
        m_GraphicsContext = std::make_unique<VulkanGraphicsContext>();
    }
}

bool WindowGraphics::PrepareWindow(uint32_t& p_Flags) const
{
    switch (m_EngineData->rendererApi)
    {
    case k_GraphicsApiOpenGL:
        OpenGLGraphicsContext::PrepareWindowAttributes(0);
        p_Flags |= SDL_WINDOW_OPENGL;
        break;
    case k_GraphicsApiVulkan:
        p_Flags |= SDL_WINDOW_VULKAN;
        break;
    default:
        ReportInvalidApi(m_Tag, m_EngineData->rendererApi, "create");
        return false;
    }
    return true;
}

bool WindowGraphics::Initialise(SDL_Window* p_Window, const Lib::String& p_Title)
{
    if (!m_GraphicsContext)
        CreateGraphicsContext();
    bool initialised = false;
    if (m_GraphicsContext)
    {
        initialised = m_GraphicsContext->Initialise(p_Window) &&
                      m_GraphicsContext->DescribeContext(m_Tag, p_Window, p_Title);
        if (initialised && m_GraphicsContext->GetApi() == k_GraphicsApiOpenGL)
            m_LargestDrawable = OpenGLGraphicsContext::CurrentLargestDrawable();
        if (m_GraphicsContext->GetApi() == k_GraphicsApiVulkan)
        {
            initialised = initialised && ProbeVulkanDevice(p_Window);
            if (!initialised)
                LogError(m_Tag, "Unable to create the window.");
        }
    }
    return initialised;
}

bool WindowGraphics::ProbeVulkanDevice(SDL_Window* p_Window)
{
    LogInfo(m_Tag, "==== Start of Vulkan renderer info ====");
    VulkanGPUInfo& probe = *m_GpuInfo;
    probe.Teardown();
    if (!probe.CheckApiVersion() || !probe.EnumerateLayers())
        return false;

    // The surface extensions of the window system the window lives on (on X11 VK_KHR_surface and
    // VK_KHR_xlib_surface), in the place of the Win32 surface extension.
    unsigned int count = 0;
    std::vector<const char*> names;
    if (SDL_Vulkan_GetInstanceExtensions(p_Window, &count, nullptr))
    {
        names.resize(count);
        if (!SDL_Vulkan_GetInstanceExtensions(p_Window, &count, names.data()))
            names.clear();
    }
    if (names.empty())
    {
        ReportSdlError(m_Tag, "Unable to get the Vulkan instance extensions of the window");
        return false;
    }
    names.resize(count);
    const std::vector<std::string> extensions(names.begin(), names.end());

    if (!probe.CreateInstance(extensions) || !probe.DescribeDevices() || !probe.CreateDevice())
        return false;
    LogInfo(m_Tag, "==== End of Vulkan renderer info ====");
    return true;
}

void WindowGraphics::Present(SDL_Window* p_Window)
{
    if (m_GraphicsContext)
        m_GraphicsContext->SwapBuffers(p_Window);
}

bool WindowGraphics::RetrieveVSync() const
{
    return m_GraphicsContext ? m_GraphicsContext->RetrieveVSync() : false;
}

void WindowGraphics::SwapVSync(bool p_Enabled)
{
    if (m_GraphicsContext)
        m_GraphicsContext->SwapVSync(p_Enabled);
}

void WindowGraphics::Release()
{
    if (m_GpuInfo)
        m_GpuInfo->Teardown();
    if (m_GraphicsContext)
    {
        m_GraphicsContext->Destroy();
        m_GraphicsContext->Shutdown();
        m_GraphicsContext.reset();
    }
}

void* WindowGraphics::GetNativeGraphicsContext() const
{
    return m_GraphicsContext ? m_GraphicsContext->GetNativeContext() : nullptr;
}
} // namespace Vozad

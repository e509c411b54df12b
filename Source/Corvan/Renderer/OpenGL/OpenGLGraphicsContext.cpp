#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"

#include "Corvan/Renderer/OpenGL/AdapterMemory.h"
#include "Corvan/Renderer/OpenGL/GLFunctions.h"
#include "Corvan/Renderer/Screenshot.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

namespace Vozad
{
namespace
{
constexpr int32_t k_ContextMajorVersion = 4;
constexpr int32_t k_NewestMinorVersion = 6;

// Vendor memory queries; glcorearb.h carries no vendor extensions.
constexpr GLenum k_GpuMemoryTotalNvx = 0x9048;     // GL_GPU_MEMORY_INFO_TOTAL_AVAILABLE_MEMORY_NVX
constexpr GLenum k_GpuMemoryAvailableNvx = 0x9049; // GL_GPU_MEMORY_INFO_CURRENT_AVAILABLE_VIDMEM_NVX
constexpr GLenum k_VboFreeMemoryAti = 0x87FB;      // GL_VBO_FREE_MEMORY_ATI
constexpr GLenum k_TextureFreeMemoryAti = 0x87FC;  // GL_TEXTURE_FREE_MEMORY_ATI

const char* GLText(GLenum p_Name)
{
    const GLubyte* text = GL_CHECK_VALUE(glGetString(p_Name));
    return text ? reinterpret_cast<const char*>(text) : "";
}

GLint GLInteger(GLenum p_Name)
{
    GLint value = 0;
    GL_CHECK(glGetIntegerv(p_Name, &value));
    return value;
}

uint32_t TotalMemoryKiB(int32_t p_VendorKind)
{
    if (p_VendorKind == k_GpuVendorAmd)
        return AdapterMemoryKiB();
    if (p_VendorKind == k_GpuVendorNvidia)
    {
        const GLint total =
            SDL_GL_ExtensionSupported("GL_NVX_gpu_memory_info") ? GLInteger(k_GpuMemoryTotalNvx) : 0;
        return total < 1 ? AdapterMemoryKiB() : static_cast<uint32_t>(total);
    }
    return 0;
}

uint32_t FreeMemoryKiB(int32_t p_VendorKind)
{
    if (p_VendorKind == k_GpuVendorAmd && SDL_GL_ExtensionSupported("GL_ATI_meminfo"))
    {
        // Each query fills four values; the first is the free pool.
        GLint texture[4] = {};
        GLint vbo[4] = {};
        GL_CHECK(glGetIntegerv(k_TextureFreeMemoryAti, texture));
        GL_CHECK(glGetIntegerv(k_VboFreeMemoryAti, vbo));
        return static_cast<uint32_t>(std::min(texture[0], vbo[0]));
    }
    if (p_VendorKind == k_GpuVendorNvidia && SDL_GL_ExtensionSupported("GL_NVX_gpu_memory_info"))
        return static_cast<uint32_t>(GLInteger(k_GpuMemoryAvailableNvx));
    return 0;
}

// One memory line; the label carries the column padding.
void LogMemoryLine(const Lib::LogTag& p_Tag, const char* p_Label, uint32_t p_KiB)
{
    const float megabytes = static_cast<float>(p_KiB) / 1024.0f;
    const float gigabytes = static_cast<float>(p_KiB) / 1024.0f / 1024.0f;
    LogInfo(p_Tag, "    %s%.2f MB (%.2f GB)", p_Label, megabytes, gigabytes);
}
} // namespace

OpenGLGraphicsContext::~OpenGLGraphicsContext()
{
    if (m_Context)
        Destroy();
}

void OpenGLGraphicsContext::PrepareWindowAttributes(int32_t p_Samples)
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, p_Samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, p_Samples > 0 ? p_Samples : 0);
}

std::string OpenGLGraphicsContext::CurrentRenderer()
{
    const auto* renderer = reinterpret_cast<const char*>(GL_CHECK_VALUE(glGetString(GL_RENDERER)));
    return renderer ? std::string(renderer) : std::string();
}

Lib::RectSize OpenGLGraphicsContext::CurrentLargestDrawable()
{
    if (!SDL_GL_GetCurrentContext())
        return {};
    GLint viewport[2] = {};
    GLint renderbuffer = 0;
    GL_CHECK(glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport));
    GL_CHECK(glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer));
    const auto limit = [renderbuffer](GLint p_Viewport)
    { return static_cast<uint32_t>(std::max(std::min(p_Viewport, renderbuffer), 0)); };
    return {limit(viewport[0]), limit(viewport[1])};
}

bool OpenGLGraphicsContext::IsSoftwareRasterizer(std::string_view p_Renderer)
{
    return p_Renderer.find("llvmpipe") != std::string_view::npos ||
           p_Renderer.find("softpipe") != std::string_view::npos ||
           p_Renderer.find("SWR") != std::string_view::npos;
}

GpuVendorKind OpenGLGraphicsContext::VendorKindOf(const char* p_Vendor)
{
    if (!p_Vendor)
        return k_GpuVendorOther;
    if (strstr(p_Vendor, "NVIDIA"))
        return k_GpuVendorNvidia;
    if (strstr(p_Vendor, "AMD") || strstr(p_Vendor, "ATI"))
        return k_GpuVendorAmd;
    return k_GpuVendorOther;
}

bool OpenGLGraphicsContext::Initialise(SDL_Window* p_Window)
{
    if (m_Context)
        Destroy();

    // Drivers refuse versions above the newest they offer, so the first that succeeds is the
    // newest the driver has.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    for (int32_t minor = k_NewestMinorVersion; minor >= 0 && !m_Context; --minor)
    {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, k_ContextMajorVersion);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minor);
        m_Context = SDL_GL_CreateContext(p_Window);
        if (m_Context)
        {
            m_RequestedMajor = k_ContextMajorVersion;
            m_RequestedMinor = minor;
        }
    }
    if (!m_Context)
    {
        LogError(m_Tag, "SDL_GL_CreateContext() failed, result: %s", SDL_GetError());
        return false;
    }

    if (SDL_GL_MakeCurrent(p_Window, m_Context) != 0)
    {
        LogError(m_Tag, "SDL_GL_MakeCurrent() failed, result: %s", SDL_GetError());
        return false;
    }

    if (!GL_InitExtensions() || !GL_InitFunctions())
        return false;

    RestoreDefaultState();
    return true;
}

void OpenGLGraphicsContext::RestoreDefaultState()
{
    GL_CHECK(glEnable(GL_DEPTH_TEST));
    GL_CHECK(glEnable(GL_BLEND));
    GL_CHECK(glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA));
    GL_CHECK(glEnable(GL_MULTISAMPLE));
}

bool OpenGLGraphicsContext::DescribeContext(const Lib::LogTag& p_WindowTag, SDL_Window* p_Window,
                                            const Lib::String& p_Title)
{
    LogInfo(p_WindowTag, "==== Choosing OpenGL as renderer ====");
    LogInfo(p_WindowTag, "==== Begin initialisation ====");
    LogInfo(p_WindowTag, "%s", "");

    if (!GL_LoadGetStringi())
        return false;

    const GLint major = GLInteger(GL_MAJOR_VERSION);
    const GLint minor = GLInteger(GL_MINOR_VERSION);
    const char* vendor = GLText(GL_VENDOR);
    m_Information.vendor = Lib::String(vendor);
    m_Information.renderer = Lib::String(GLText(GL_RENDERER));

    m_Information.vendorKind = VendorKindOf(vendor);
    if (m_Information.vendorKind == k_GpuVendorNvidia)
        LogInfo(p_WindowTag, "NVIDIA GPU detected: %s", vendor);
    else if (m_Information.vendorKind == k_GpuVendorAmd)
        LogInfo(p_WindowTag, "AMD GPU detected: %s", vendor);

    const uint32_t totalKiB = TotalMemoryKiB(m_Information.vendorKind);
    const uint32_t freeKiB = FreeMemoryKiB(m_Information.vendorKind);
    const uint32_t usedKiB = totalKiB - freeKiB;

    LogInfo(p_WindowTag, "Graphic Context Log:");
    LogInfo(p_WindowTag, "    API:                  OpenGL");
    LogInfo(p_WindowTag, "    Vendor:               %s", vendor);
    LogInfo(p_WindowTag, "    Renderer (GPU name):  %s", GLText(GL_RENDERER));
    LogInfo(p_WindowTag, "    GLSL Version:         %s", GLText(GL_SHADING_LANGUAGE_VERSION));
    LogInfo(p_WindowTag, "    Version queried:      %d.%d", major, minor);
    LogInfo(p_WindowTag, "    Version available:    %s", GLText(GL_VERSION));
    LogMemoryLine(p_WindowTag, "Total GPU memory:     ", totalKiB);
    LogMemoryLine(p_WindowTag, "Free GPU memory:      ", freeKiB);
    LogMemoryLine(p_WindowTag, "Used GPU memory:      ", usedKiB);
    LogInfo(p_WindowTag, "%s", "");

    const GLint maxTextureSize = GLInteger(GL_MAX_TEXTURE_SIZE);
    const GLint maxArrayLayers = GLInteger(GL_MAX_ARRAY_TEXTURE_LAYERS);
    LogInfo(p_WindowTag, "Some OpenGL values:");
    LogInfo(p_WindowTag, "GL_MAX_TEXTURE_SIZE:         %i x %i", maxTextureSize, maxTextureSize);
    LogInfo(p_WindowTag, "GL_MAX_ARRAY_TEXTURE_LAYERS: %i", maxArrayLayers);

    LogInfo(p_WindowTag, "SwapVSync():                 %s", SwapVSync(false) ? "true" : "false");
    LogInfo(p_WindowTag, "RetrieveVSync():             %s", RetrieveVSync() ? "true" : "false");
    SDL_GL_SetSwapInterval(0);

    const Lib::String title = p_Title.IsEmpty() ? Lib::String("CorvanEngine") : p_Title;
    SDL_SetWindowTitle(p_Window, title.ToNarrow().Data());

    LogInfo(p_WindowTag, "==== OpenGL successfully initialised ====");
    LogInfo(p_WindowTag, "%s", "");
    return true;
}

bool OpenGLGraphicsContext::SwapVSync(bool p_On)
{
    if (SDL_GL_SetSwapInterval(p_On ? 1 : 0) != 0)
        return false;
    return p_On;
}

bool OpenGLGraphicsContext::RetrieveVSync() const
{
    return SDL_GL_GetSwapInterval() != 0;
}

void OpenGLGraphicsContext::SwapBuffers(SDL_Window* p_Window)
{
    SDL_GL_SwapWindow(p_Window);
}

void OpenGLGraphicsContext::SaveScreenshot(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix,
                                           uint32_t p_Width, uint32_t p_Height)
{
    Vozad::SaveScreenshot(m_Tag, p_FolderPrefix, p_NamePrefix, p_Width, p_Height);
}

void OpenGLGraphicsContext::Destroy()
{
    if (!m_Context)
        return;
    // Without a context, SDL ignores the window argument.
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(m_Context);
    m_Context = nullptr;
    m_RequestedMajor = 0;
    m_RequestedMinor = 0;
}
} // namespace Vozad

#pragma once
// The OpenGL 4.x core context of the engine window, created through SDL. Neither SDL nor GL types
// appear here: the window and everything above it include this header.
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Lib/Log.h"
#include "Lib/RectSize.h"
#include "Lib/String.h"

#include <cstdint>
#include <string>
#include <string_view>

struct SDL_Window;

namespace Vozad
{
// Who made the GPU, as far as the context description needs it.
enum GpuVendorKind : int32_t
{
    k_GpuVendorOther = 0,
    k_GpuVendorAmd = 1,
    k_GpuVendorNvidia = 2,
};

// What the context description found out about the driver.
struct GraphicsInformation
{
    Lib::String vendor;   // GL_VENDOR
    Lib::String renderer; // GL_RENDERER, the GPU name
    int32_t vendorKind = k_GpuVendorOther;
};

class OpenGLGraphicsContext : public IGraphicsContext
{
public:
    OpenGLGraphicsContext() = default;
    OpenGLGraphicsContext(const OpenGLGraphicsContext&) = delete;
    OpenGLGraphicsContext& operator=(const OpenGLGraphicsContext&) = delete;
    // Deletes a context that Destroy has not deleted yet.
    ~OpenGLGraphicsContext() override;

    // The pixel format every GL window asks for: core profile, RGBA8, depth 24, stencil 8, double
    // buffered, 4x multisampled. SDL picks the window's visual from these, so they must be set
    // before SDL_CreateWindow.
    // p_Samples 0 asks for a window without multisampling; the engine's window always does, and
    // the renderer multisamples in a target of its own.
    static void PrepareWindowAttributes(int32_t p_Samples = k_DefaultSamples);
    static constexpr int32_t k_DefaultSamples = 4;
    // The current context's GL_RENDERER text ("" without a context).
    static std::string CurrentRenderer();
    // The largest client area the current context can draw into: GL_MAX_VIEWPORT_DIMS, held to
    // GL_MAX_RENDERBUFFER_SIZE (the frame buffers follow the window). 0 x 0 without a context.
    static Lib::RectSize CurrentLargestDrawable();
    // True for renderers that draw on the CPU (Mesa's llvmpipe and softpipe, OpenSWR).
    static bool IsSoftwareRasterizer(std::string_view p_Renderer);

    // "NVIDIA" anywhere in the vendor string (case-sensitive) is NVIDIA; otherwise "AMD" or "ATI"
    // is AMD; anything else is other.
    static GpuVendorKind VendorKindOf(const char* p_Vendor);

    int32_t GetApi() const override { return k_GraphicsApiOpenGL; }
    // Creates the newest core context from 4.6 down to 4.0 on the window, makes it current, loads
    // the function table and sets the default GL state.
    bool Initialise(SDL_Window* p_Window) override;
    void Shutdown() override {}
    void RestoreDefaultState() override;

    // Logs the context description under the window's tag, fills the graphics information,
    // switches vertical sync off and titles the window (p_Title, or "CorvanEngine" when empty).
    // False only when glGetStringi cannot be obtained.
    bool DescribeContext(const Lib::LogTag& p_WindowTag, SDL_Window* p_Window,
                         const Lib::String& p_Title) override;

    // Swap interval 1 (on) or 0 (off). Returns p_On when the driver took the interval, false when
    // it refused it.
    bool SwapVSync(bool p_On) override;
    // True when the current swap interval is not 0.
    bool RetrieveVSync() const override;
    void SwapBuffers(SDL_Window* p_Window) override;
    // Saves the last rendered frame, p_Width x p_Height (the client size), as a PNG in the
    // screenshot folder; the outcome is logged under this context's tag.
    void SaveScreenshot(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix, uint32_t p_Width,
                        uint32_t p_Height) override;

    // The SDL_GLContext, or null before Initialise and after Destroy.
    void* GetNativeContext() const override { return m_Context; }
    // The version that was asked for when creation succeeded (4.x); 0.0 without a context.
    int32_t GetRequestedMajorVersion() const { return m_RequestedMajor; }
    int32_t GetRequestedMinorVersion() const { return m_RequestedMinor; }
    const GraphicsInformation& GetGraphicsInformation() const { return m_Information; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

    // Makes no context current and deletes the context.
    void Destroy() override;

private:
    Lib::LogTag m_Tag{"OpenGLGraphicsContext"};
    void* m_Context = nullptr; // SDL_GLContext
    int32_t m_RequestedMajor = 0;
    int32_t m_RequestedMinor = 0;
    GraphicsInformation m_Information;
};
} // namespace Vozad

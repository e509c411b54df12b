#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/Renderer.h"

#include "Corvan/Renderer/DriverHeap.h"
#include "Corvan/Renderer/ICamera.h"
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/MultisampleChoice.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Renderer/Screenshot.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace Vozad
{
namespace
{
// Every submission files under this layer id, so every texture group holds one container.
constexpr int32_t k_SubmissionLayerId = 1;
// What the selection buffer is cleared to: an id of 0, which no entity has.
constexpr uint32_t k_SelectionClear = 0xFF000000u;
// The engine shader table's row of the depth-peeling sprite shader.
constexpr uint32_t k_DepthPeelingRow = EngineShaderRow(BuiltInShader::BatchedTextureSpriteShader_DP);
// Colour and depth, and with them the stencil, which nothing draws with or tests. Depth and stencil
// share one packed buffer in the window and in the selection buffer: clearing the depth alone must
// keep every stencil byte, which a software rasterizer does pixel by pixel with a read and a write,
// while clearing both is one plain fill.
constexpr uint32_t k_FrameClearBits = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT;
// A frame that draws no instance tests no depth: the GUI drawn over it keeps depth testing off, and
// the next frame that draws instances clears the depth first. On a software rasterizer the depth
// fill costs as much as the colour fill.
constexpr uint32_t k_ColourClearBits = GL_COLOR_BUFFER_BIT;

Lib::String FolderPath()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return Lib::String(error ? std::string() : folder.string());
}

// Blending as the context sets it up for every frame: the transparency passes change it and put
// it back for the views and the GUI drawn after them.
void RestoreBlendState()
{
    GL_CHECK(glEnable(GL_DEPTH_TEST));
    GL_CHECK(glDepthMask(GL_TRUE));
    GL_CHECK(glEnable(GL_BLEND));
    GL_CHECK(glBlendEquation(GL_FUNC_ADD));
    GL_CHECK(glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA));
}
} // namespace

Renderer::Renderer() : m_UnitQuad(MeshData::UnitQuad())
{
    MakeTextureUsers(k_GraphicsApiOpenGL);
}

Renderer::~Renderer()
{
    // GL objects must go while the context still exists; the engine shuts down before that.
    if (m_Initialised)
        Shutdown();
}

void Renderer::MakeTextureUsers(int32_t p_GraphicsApi)
{
    m_OpaqueScene.reset();
    m_TransparentScene.reset();
    m_TextureHandler = std::make_unique<TextureHandler>(p_GraphicsApi);
    m_OpaqueScene = std::make_unique<SceneDatabase>(m_ShaderHandler, *m_TextureHandler);
    m_TransparentScene = std::make_unique<SceneDatabase>(m_ShaderHandler, *m_TextureHandler);
    m_GraphicsApi = p_GraphicsApi;
}

bool Renderer::Initialise(int32_t p_GraphicsApi, Lib::RectSize p_WindowSize)
{
    if (m_Initialised)
        Shutdown();
    if (p_GraphicsApi != m_GraphicsApi)
        MakeTextureUsers(p_GraphicsApi);
    m_ShaderHandler.SetGraphicsApi(p_GraphicsApi);
    m_Size = p_WindowSize;
    m_FrameRendered = false;
    if (p_GraphicsApi != k_GraphicsApiOpenGL)
    {
        // Every step below needs GL; the Vulkan context only describes its device.
        Lib::LogError(m_Tag, "The renderer draws with OpenGL only, graphics API %d cannot render.",
                      p_GraphicsApi);
        return false;
    }
    m_Api = std::make_unique<OpenGLGraphicsAPI>();

    if (!m_TextureHandler->Initialise())
    {
        Lib::LogError(m_Tag, "Could not initialise the default font (%s).", FolderPath().ToNarrow().Data());
        m_Api.reset();
        return false;
    }
    // The selection buffer is made by the first pick (FitSelectionBuffer): a game that never
    // picks never pays for a window-sized colour and depth buffer.
    m_SelectionBuffer = OpenGLFrameBuffer();
    if (!m_ShaderHandler.LoadEngineShaders())
    {
        Lib::LogError(m_Tag, "Could not initialise the engine shaders.");
        Shutdown();
        return false;
    }
    // The GUI's drawing context is taken by the GUI pipeline when it arrives; nothing to fetch yet.
    if (!SetUpWeightedBlended())
    {
        Lib::LogError(m_Tag, "Error during draw-pipeline setup.");
        Lib::LogError(m_Tag, "Error during WBOIT setup.");
        Shutdown();
        return false;
    }
    if (!SetUpDepthPeeling())
    {
        Lib::LogError(m_Tag, "Error during depth peeling setup..");
        Shutdown();
        return false;
    }
    ChooseSampleCount();
    if (OpenGLGraphicsContext::IsSoftwareRasterizer(OpenGLGraphicsContext::CurrentRenderer()) &&
        KeepDriverFrameMemory())
        Lib::LogInfo(m_Tag, "Software rasterizer: up to %zu MB of freed heap is kept for its per-frame work.",
                     k_DriverFrameMemory / (1024u * 1024u));
    m_Initialised = true;
    return true;
}

void Renderer::SetMultisample(int32_t p_Setting)
{
    m_MultisampleSetting = p_Setting;
    if (IsDrawing())
        ChooseSampleCount();
}

void Renderer::ChooseSampleCount()
{
    GLint maxSamples = 0;
    GL_CHECK(glGetIntegerv(GL_MAX_SAMPLES, &maxSamples));
    const std::string renderer = OpenGLGraphicsContext::CurrentRenderer();
    const MultisampleChoice choice =
        ChooseSamples(m_MultisampleSetting, OpenGLGraphicsContext::IsSoftwareRasterizer(renderer),
                      static_cast<int32_t>(maxSamples));
    if (choice.software)
        Lib::LogInfo(m_Tag, "Software rasterizer \"%s\": drawing without multisampling.", renderer.c_str());
    if (choice.clamped)
        Lib::LogWarning(m_Tag,
                        "%d samples per pixel were asked for, the driver offers at most %d: drawing with %d.",
                        m_MultisampleSetting, static_cast<int32_t>(maxSamples), choice.samples);
    if (choice.samples > 0)
        Lib::LogInfo(m_Tag, "Drawing with %d samples per pixel.", choice.samples);
    m_Samples = choice.samples;
}

bool Renderer::SetUpWeightedBlended()
{
    // The buffer gets storage when a frame first draws in this mode (FitTransparencyBuffers).
    m_WeightedBlendedBuffer = OpenGLWBOITFrameBuffer(FrameBufferSpec{0, 0, 0});
    m_CompositeShader =
        m_ShaderHandler.LoadShader(Lib::String(BuiltInShaderText(BuiltInShader::CompositeShader)));
    if (m_CompositeShader.shaderKey == ~0ull)
        return false;
    return m_CompositeQuad.Create(m_Tag);
}

bool Renderer::SetUpDepthPeeling()
{
    // The buffers get storage when a frame first draws in this mode (FitTransparencyBuffers).
    m_PeelLayers.clear();
    m_PeelLayers.resize(m_PeelCount);
    m_MainPeelBuffer = OpenGLDepthPeelingFrameBuffer(FrameBufferSpec{0, 0, 0});
    m_ScreenShader = m_ShaderHandler.LoadShader(Lib::String(BuiltInShaderText(BuiltInShader::ScreenShader)));
    if (m_ScreenShader.shaderKey == ~0ull)
        return false;
    return m_ScreenQuad.Create(m_Tag);
}

void Renderer::Shutdown()
{
    m_Layers.clear();
    m_OpaqueScene->Clear();
    m_TransparentScene->Clear();
    if (m_Api)
    {
        m_PeelLayers.clear();
        m_MainPeelBuffer = OpenGLDepthPeelingFrameBuffer();
        m_CompositeQuad = ScreenQuad();
        m_ScreenQuad = ScreenQuad();
        m_WeightedBlendedBuffer = OpenGLWBOITFrameBuffer();
        m_SelectionBuffer = OpenGLFrameBuffer();
        m_MainTarget.Release();
        m_TextureHandler->Shutdown();
    }
    m_CompositeShader = ShaderInfo();
    m_ScreenShader = ShaderInfo();
    m_Views.clear();
    m_ShaderHandler.Clear();
    m_Api.reset();
    m_Initialised = false;
    m_FrameRendered = false;
}

void Renderer::ViewWholeWindow() const
{
    m_Api->SetViewport(0, 0, WindowWidth(), WindowHeight(), WindowHeight());
}

void Renderer::RenderFrame(Lib::RectSize p_WindowSize)
{
    if (!(p_WindowSize == m_Size))
        Resize(p_WindowSize);
    if (IsDrawing())
    {
        RenderScene();
        // The GUI frame that the engine ends after this draws over the whole window.
        ViewWholeWindow();
    }
    m_FrameRendered = true;
}

void Renderer::Resize(Lib::RectSize p_WindowSize)
{
    m_Size = p_WindowSize;
    if (!IsDrawing() || m_Size.width == 0 || m_Size.height == 0)
        return;
    // The selection and transparency buffers follow the size when they are next used.
}

bool Renderer::FitSelectionBuffer()
{
    const FrameBufferSpec& spec = m_SelectionBuffer.GetSpec();
    if (m_SelectionBuffer.GetId() != 0 && spec.width == m_Size.width && spec.height == m_Size.height)
        return true;
    if (m_SelectionBuffer.Resize(FrameBufferSpec{0, m_Size.width, m_Size.height}))
        return true;
    Lib::LogError(m_Tag, "Could not initialise the object selection frame buffer.");
    return false;
}

void Renderer::FitTransparencyBuffers()
{
    // Made on first use rather than at start-up: the plain mode draws without them, and at
    // 1280 x 720 they hold some 50 MB that a software rasterizer would fill before the first
    // frame. Their depth is blitted from the window's buffer and their colour drawn back over the
    // whole window, so they always have the window's size.
    const FrameBufferSpec spec{0, m_Size.width, m_Size.height};
    auto fit = [&spec](OpenGLFrameBufferBase& p_Buffer)
    {
        const FrameBufferSpec& has = p_Buffer.GetSpec();
        if (p_Buffer.GetId() == 0 || has.width != spec.width || has.height != spec.height)
            p_Buffer.Resize(spec);
    };
    if (m_TransparencyMode == k_TransparencyWeightedBlended)
        fit(m_WeightedBlendedBuffer);
    if (m_TransparencyMode == k_TransparencyDepthPeeling)
    {
        m_PeelLayers.resize(m_PeelCount);
        for (OpenGLDepthPeelingFrameBuffer& layer : m_PeelLayers)
            fit(layer);
        fit(m_MainPeelBuffer);
    }
}

void Renderer::SetViewViewport(const Lib::WindowRect& p_Rect) const
{
    m_Api->SetViewport(p_Rect.left, p_Rect.top, p_Rect.right - p_Rect.left, p_Rect.bottom - p_Rect.top,
                       WindowHeight());
}

void Renderer::RenderScene()
{
    if (!IsDrawing())
        return;
    if (!m_MainTarget.Fit(m_Size.width, m_Size.height, m_Samples))
    {
        Lib::LogError(
            m_Tag,
            "Could not make the multisampled render target (%d samples), drawing without multisampling.",
            m_Samples);
        m_Samples = 0;
    }
    BindFrameTarget();
    ViewWholeWindow();
    m_Api->Clear(m_ClearColour, DrawsInstances() ? k_FrameClearBits : k_ColourClearBits);
    if (!m_Views.empty() && m_Size.width > 0 && m_Size.height > 0)
        FitTransparencyBuffers();
    for (auto& [id, view] : m_Views)
    {
        if (m_TransparencyMode == k_TransparencyWeightedBlended)
            DrawWeightedBlended(view);
        else if (m_TransparencyMode == k_TransparencyDepthPeeling)
            DrawDepthPeeling(view);
        else
            DrawPlain(view);
        view.changed = false;
    }
}

bool Renderer::DrawsInstances() const
{
    return !m_Views.empty() && (m_OpaqueScene->HasInstances() || m_TransparentScene->HasInstances());
}

void Renderer::DrawPlain(const View& p_View)
{
    RenderPassInfo pass;
    pass.kind = k_RenderPassPlain;
    pass.firstPeel = true;
    BindFrameTarget();
    SetViewViewport(p_View.rect);
    const uint32_t flag = static_cast<uint32_t>(m_Api->GetSelectionFlag());
    pass.opaque = true;
    m_OpaqueScene->Draw(p_View.projectionView, flag, pass);
    // Transparent images hold colours already multiplied by their alpha, so they are laid over
    // with (one, one minus alpha); the context's (alpha, one minus alpha) would weight them by
    // alpha a second time and darken every half-transparent texel.
    GL_CHECK(glBlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA));
    pass.opaque = false;
    m_TransparentScene->Draw(p_View.projectionView, flag, pass);
    RestoreBlendState();
}

void Renderer::DrawWeightedBlended(const View& p_View)
{
    const uint32_t flag = static_cast<uint32_t>(m_Api->GetSelectionFlag());
    RenderPassInfo pass;
    pass.kind = k_RenderPassWeightedBlended;

    BindFrameTarget();
    SetViewViewport(p_View.rect);
    GL_CHECK(glEnable(GL_DEPTH_TEST));
    pass.opaque = true;
    m_OpaqueScene->Draw(p_View.projectionView, flag, pass);

    GL_CHECK(glBindFramebuffer(GL_READ_FRAMEBUFFER, m_MainTarget.GetId()));
    GL_CHECK(glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_WeightedBlendedBuffer.GetId()));
    GL_CHECK(glBlitFramebuffer(0, 0, WindowWidth(), WindowHeight(), 0, 0, WindowWidth(), WindowHeight(),
                               GL_DEPTH_BUFFER_BIT, GL_NEAREST));

    m_WeightedBlendedBuffer.Bind();
    SetViewViewport(p_View.rect);
    const float accumulationClear[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    const float revealageClear[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    GL_CHECK(glClearBufferfv(GL_COLOR, 0, accumulationClear));
    GL_CHECK(glClearBufferfv(GL_COLOR, 1, revealageClear));
    GL_CHECK(glEnable(GL_DEPTH_TEST));
    GL_CHECK(glDepthMask(GL_FALSE));
    GL_CHECK(glEnable(GL_BLEND));
    GL_CHECK(glBlendEquation(GL_FUNC_ADD));
    GL_CHECK(glBlendFunci(0, GL_ONE, GL_ONE));
    GL_CHECK(glBlendFunci(1, GL_ZERO, GL_ONE_MINUS_SRC_COLOR));
    pass.opaque = false;
    m_TransparentScene->Draw(p_View.projectionView, flag, pass);

    GL_CHECK(glDepthMask(GL_TRUE));
    BindFrameTarget();
    ViewWholeWindow();
    GL_CHECK(glDisable(GL_DEPTH_TEST));
    GL_CHECK(glEnable(GL_BLEND));
    GL_CHECK(glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
    const Lib::Ref<IShader> composite = m_ShaderHandler.GetShaderBySlot(m_CompositeShader.program);
    composite->Bind();
    m_WeightedBlendedBuffer.BindTexture(0, 0);
    composite->SetUniform1i("uAccumTex", 0);
    m_WeightedBlendedBuffer.BindTexture(1, 1);
    composite->SetUniform1i("uRevealTex", 1);
    m_CompositeQuad.Draw();
    m_WeightedBlendedBuffer.UnbindTexture();
    GL_CHECK(glActiveTexture(GL_TEXTURE0));
    m_WeightedBlendedBuffer.UnbindTexture();
    composite->Unbind();
    RestoreBlendState();
}

void Renderer::DrawDepthPeeling(const View& p_View)
{
    const uint32_t flag = static_cast<uint32_t>(m_Api->GetSelectionFlag());
    const int32_t viewWidth = p_View.rect.right - p_View.rect.left;
    const int32_t viewHeight = p_View.rect.bottom - p_View.rect.top;
    RenderPassInfo pass;
    pass.kind = k_RenderPassDepthPeeling;
    pass.width = viewWidth;
    pass.height = viewHeight;

    ViewWholeWindow();
    m_MainPeelBuffer.Bind();
    m_Api->Clear(m_ClearColour, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    pass.opaque = true;
    m_OpaqueScene->Draw(p_View.projectionView, flag, pass);

    // The peel shader's array texture sits on unit 0; its previous-depth sampler must point
    // elsewhere even in the first peel, which does not read it: two sampler types on one unit
    // make every draw fail.
    const IShader& peelShader = m_ShaderHandler.GetEngineShader(k_DepthPeelingRow);
    peelShader.Bind();
    peelShader.SetUniform1i("prevDepth", 1);
    peelShader.Unbind();
    // Each peel keeps exactly the one nearest fragment behind the previous peel; blending inside
    // a peel would mix in farther fragments drawn before it, which a later peel then adds again.
    GL_CHECK(glDisable(GL_BLEND));
    pass.opaque = false;
    for (size_t i = 0; i < m_PeelLayers.size(); ++i)
    {
        GL_CHECK(glBindFramebuffer(GL_READ_FRAMEBUFFER, m_MainPeelBuffer.GetId()));
        GL_CHECK(glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_PeelLayers[i].GetId()));
        GL_CHECK(glBlitFramebuffer(0, 0, WindowWidth(), WindowHeight(), 0, 0, WindowWidth(), WindowHeight(),
                                   GL_DEPTH_BUFFER_BIT, GL_NEAREST));
        m_PeelLayers[i].Bind();
        m_Api->Clear(0, GL_COLOR_BUFFER_BIT);
        pass.firstPeel = i == 0;
        pass.depthSourceTexture = m_PeelLayers[i == 0 ? 0 : i - 1].GetSecondaryTexture();
        m_TransparentScene->Draw(p_View.projectionView, flag, pass);
    }

    // Back to front: the farthest peel first, each nearer one blended over it. The textures hold
    // colours already multiplied by their alpha, so the peels are laid over with (one, one minus
    // alpha); weighting them by alpha again would darken every transparent sprite.
    GL_CHECK(glDisable(GL_DEPTH_TEST));
    GL_CHECK(glEnable(GL_BLEND));
    GL_CHECK(glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA));
    m_MainPeelBuffer.Bind();
    const Lib::Ref<IShader> screen = m_ShaderHandler.GetShaderBySlot(m_ScreenShader.program);
    screen->Bind();
    screen->SetUniform1i("uTexture", 0);
    for (size_t i = m_PeelLayers.size(); i-- > 0;)
    {
        m_PeelLayers[i].BindTexture(0, 0);
        m_ScreenQuad.Draw();
    }

    GL_CHECK(glDisable(GL_BLEND));
    GL_CHECK(glEnable(GL_DEPTH_TEST));
    BindFrameTarget();
    SetViewViewport(p_View.rect);
    m_MainPeelBuffer.BindTexture(0, 0);
    m_ScreenQuad.Draw();
    m_MainPeelBuffer.UnbindTexture();
    screen->Unbind();
    RestoreBlendState();
}

void Renderer::BindFrameTarget()
{
    if (IsDrawing())
        GL_CHECK(glBindFramebuffer(GL_FRAMEBUFFER, m_MainTarget.GetId()));
}

void Renderer::ResolveFrame()
{
    if (IsDrawing())
        m_MainTarget.Resolve();
}

bool Renderer::SetCamera(uint32_t p_ViewId, const Lib::WindowRect& p_Rect, const ICamera& p_Camera)
{
    const glm::mat4& matrix = p_Camera.GetViewProjection();
    auto found = m_Views.find(p_ViewId);
    if (found == m_Views.end())
    {
        m_Views.emplace(p_ViewId, View{p_Rect, matrix, true});
        return true;
    }
    View& view = found->second;
    const bool changed = !(view.rect == p_Rect) || view.projectionView != matrix;
    view.rect = p_Rect;
    view.projectionView = matrix;
    view.changed = view.changed || changed;
    return changed;
}

uint64_t Renderer::PickEntity(Lib::Point p_Point, const Lib::WindowRect& p_Rect, const ICamera& p_Camera)
{
    if (!IsDrawing())
        return k_NoEntity;
    const bool insideRect = p_Point.x >= p_Rect.left && p_Point.x < p_Rect.right && p_Point.y >= p_Rect.top &&
                            p_Point.y < p_Rect.bottom;
    const bool insideWindow =
        p_Point.x >= 0 && p_Point.x < WindowWidth() && p_Point.y >= 0 && p_Point.y < WindowHeight();
    if (!insideRect || !insideWindow)
        return k_NoEntity;
    if (!FitSelectionBuffer())
        return k_NoEntity;
    const glm::mat4& projectionView = p_Camera.GetViewProjection();
    uint32_t id = PickIn(*m_OpaqueScene, p_Point, p_Rect, projectionView);
    if (id == 0)
        id = PickIn(*m_TransparentScene, p_Point, p_Rect, projectionView);
    return id == 0 ? k_NoEntity : id;
}

uint32_t Renderer::PickIn(SceneDatabase& p_Scene, Lib::Point p_Point, const Lib::WindowRect& p_Rect,
                          const glm::mat4& p_ProjectionView)
{
    m_SelectionBuffer.Bind();
    SetViewViewport(p_Rect);
    m_Api->SetSelectionFlag(1);
    m_Api->Clear(k_SelectionClear, k_FrameClearBits);
    RenderPassInfo pass;
    pass.kind = k_RenderPassPlain;
    pass.firstPeel = true;
    p_Scene.Draw(p_ProjectionView, 1, pass);
    m_Api->SetSelectionFlag(0);
    // Only the one pixel under the point matters; GL counts rows from the bottom.
    uint8_t pixel[4] = {0, 0, 0, 0};
    GL_CHECK(glPixelStorei(GL_PACK_ALIGNMENT, 1));
    GL_CHECK(glReadPixels(p_Point.x, WindowHeight() - p_Point.y - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel));
    GL_CHECK(glPixelStorei(GL_PACK_ALIGNMENT, 4));
    // Picks come between the frame's drawing and the GUI drawn over it, which must land in the
    // frame's target.
    BindFrameTarget();
    return pixel[0] + pixel[1] * 256u + pixel[2] * 65536u;
}

Lib::Ref<Lib::Blob> Renderer::CaptureRegionPng(uint32_t p_Colour, const Lib::WindowRect& p_Rect)
{
    if (!IsDrawing())
        return {};
    BindFrameTarget();
    ClearForCapture(p_Colour);
    RenderScene();
    // Samples cannot be read back one by one: the region is read from the resolved window.
    ResolveFrame();
    Lib::Ref<Lib::Blob> png = ReadRegionPng(m_Tag, p_Rect, m_Size.height);
    BindFrameTarget();
    return png;
}

int32_t Renderer::LayerIndex(int32_t p_LayerId)
{
    const auto inserted = m_Layers.emplace(p_LayerId, static_cast<int32_t>(m_Layers.size()));
    return inserted.first->second;
}

void Renderer::SubmitInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup, int32_t p_Kind,
                              uint64_t p_TextureKey, const SpriteInstance& p_Instance)
{
    // Containers are GL vertex arrays and buffers: without OpenGL there is nothing to file into.
    if (m_GraphicsApi != k_GraphicsApiOpenGL)
        return;
    SceneDatabase& scene = p_Instance.transparent ? *m_TransparentScene : *m_OpaqueScene;
    scene.SubmitInstance(p_EntityId, p_ShaderGroup, p_Kind, p_TextureKey, m_UnitQuad, p_Instance,
                         LayerIndex(k_SubmissionLayerId));
}

void Renderer::UpdateInstance(uint64_t p_EntityId, bool p_Transparent, const Lib::String& p_ShaderGroup,
                              uint64_t p_TextureKey, const SpriteInstance& p_Instance)
{
    SceneDatabase& scene = p_Transparent ? *m_TransparentScene : *m_OpaqueScene;
    scene.UpdateInstance(p_EntityId, p_ShaderGroup, p_TextureKey, p_Instance);
}

bool Renderer::RemoveEntity(uint64_t p_EntityId)
{
    return m_OpaqueScene->RemoveEntity(p_EntityId) || m_TransparentScene->RemoveEntity(p_EntityId);
}
} // namespace Vozad

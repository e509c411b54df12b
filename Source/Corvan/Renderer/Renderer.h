#pragma once
// The one object through which the engine draws: it owns the shader and texture handlers, the
// engine shader table, the opaque and transparent scene databases, the views with their cameras,
// the object-selection frame buffer and the frame buffers of the two transparency techniques.
// Each frame draws every view (opaque instances, then transparent ones) in view-id order.
//
// Only OpenGL (0) draws; with any other API initialisation fails and the renderer makes no GL call.
#include "Corvan/Renderer/ISceneInstances.h"
#include "Corvan/Renderer/MeshData.h"
#include "Corvan/Renderer/OpenGL/OpenGLFrameBuffer.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsAPI.h"
#include "Corvan/Renderer/OpenGL/OpenGLMainTarget.h"
#include "Corvan/Renderer/RenderPassInfo.h"
#include "Corvan/Renderer/SceneDatabase.h"
#include "Corvan/Renderer/ScreenQuad.h"
#include "Corvan/Renderer/ShaderHandler.h"
#include "Corvan/Renderer/TextureHandler.h"
#include "Lib/Blob.h"
#include "Lib/Log.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"
#include "Lib/WindowRect.h"

#include <glm/mat4x4.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace Vozad
{
class ICamera;

// How transparent instances are drawn.
enum TransparencyMode : int32_t
{
    k_TransparencyPlain = 0, // blended over what came before, in submission order
    k_TransparencyWeightedBlended = 2,
    k_TransparencyDepthPeeling = 3,
};

// What PickEntity returns when no entity is drawn under the point.
inline constexpr uint64_t k_NoEntity = ~0ull;

class Renderer : public ISceneInstances
{
public:
    Renderer();
    ~Renderer() override;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Called once the window's graphics context exists. With a window of 0 x 0 the frame buffers
    // are made at the first Resize. Every failure logs one Error and returns false.
    bool Initialise(int32_t p_GraphicsApi, Lib::RectSize p_WindowSize);
    bool Initialise(int32_t p_GraphicsApi) { return Initialise(p_GraphicsApi, Lib::RectSize{}); }
    // Empties the databases and views, deletes the frame buffers and shuts the handlers down.
    void Shutdown();

    // The scene, then the GUI over the whole window; marks the frame rendered.
    void RenderFrame(Lib::RectSize p_WindowSize);
    // Clears the frame's target with the clear colour and draws every view in view-id order.
    void RenderScene();
    // Binds the frame's target (the multisampled one, or the window's frame buffer 0) for what is
    // drawn over the scene in the same frame, such as the GUI.
    void BindFrameTarget();
    // Copies the frame from the multisampled target into the window's frame buffer, where the
    // swap and the screenshot find it; nothing when the frame draws into the window directly.
    void ResolveFrame();

    // How many samples per pixel the frame draws with: k_MultisampleAutomatic, k_MultisampleOff or
    // a count (MultisampleChoice.h). Before Initialise it is only kept; afterwards the target is
    // made again at the next frame.
    void SetMultisample(int32_t p_Setting);
    int32_t GetMultisampleSetting() const { return m_MultisampleSetting; }
    // The samples the frame draws with now; 0 without multisampling.
    int32_t GetSampleCount() const { return m_Samples; }
    // The window size changed; the frame buffers follow it.
    void Resize(Lib::RectSize p_WindowSize);

    // Stores the view's rectangle (window pixels, origin top-left) and the camera's matrix. True
    // for a new view or when the rectangle or any matrix value changed.
    bool SetCamera(uint32_t p_ViewId, const Lib::WindowRect& p_Rect, const ICamera& p_Camera);
    // Forgets every view, e.g. when a scene with other cameras takes over.
    void ClearViews() { m_Views.clear(); }
    uint32_t GetViewCount() const { return static_cast<uint32_t>(m_Views.size()); }

    // The id of the entity drawn under p_Point (window pixels, origin top-left) in the view
    // p_Rect seen through p_Camera: the opaque scene first, then the transparent one. k_NoEntity
    // for an empty spot or a point outside the rectangle or the window.
    uint64_t PickEntity(Lib::Point p_Point, const Lib::WindowRect& p_Rect, const ICamera& p_Camera);

    // Renders the scene and returns p_Rect of it as PNG bytes, bottom row first. p_Colour only
    // clears before the scene's own clear, so it never shows. None for a rectangle without area.
    Lib::Ref<Lib::Blob> CaptureRegionPng(uint32_t p_Colour, const Lib::WindowRect& p_Rect);

    // ISceneInstances
    void SubmitInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup, int32_t p_Kind,
                        uint64_t p_TextureKey, const SpriteInstance& p_Instance) override;
    void UpdateInstance(uint64_t p_EntityId, bool p_Transparent, const Lib::String& p_ShaderGroup,
                        uint64_t p_TextureKey, const SpriteInstance& p_Instance) override;
    bool RemoveEntity(uint64_t p_EntityId) override;

    TextureHandler& GetTextureHandler() { return *m_TextureHandler; }
    ShaderHandler& GetShaderHandler() { return m_ShaderHandler; }
    // The eight rows of the engine shader table (empty rows before Initialise).
    const ShaderInfo* GetEngineShaderTable() const { return m_ShaderHandler.GetEngineShaderTable().data(); }
    const SceneDatabase& GetOpaqueScene() const { return *m_OpaqueScene; }
    const SceneDatabase& GetTransparentScene() const { return *m_TransparentScene; }

    int32_t GetTransparencyMode() const { return m_TransparencyMode; }
    // The game never changes the mode; tests use this to draw through the other two passes.
    void SetTransparencyModeForTests(int32_t p_Mode) { m_TransparencyMode = p_Mode; }

    // Bytes red, green, blue, alpha from the lowest byte up (0xAABBGGRR).
    void SetClearColour(uint32_t p_Colour) { m_ClearColour = p_Colour; }
    uint32_t GetClearColour() const { return m_ClearColour; }

    // Set by RenderFrame: tells the main loop that this frame has been drawn already.
    bool IsFrameRendered() const { return m_FrameRendered; }
    // Whether the selection buffer exists: the first pick makes it.
    bool HasSelectionBuffer() const { return m_SelectionBuffer.GetId() != 0; }
    void SetFrameRendered(bool p_Rendered) { m_FrameRendered = p_Rendered; }

    Lib::RectSize GetSize() const { return m_Size; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    struct View
    {
        Lib::WindowRect rect;
        glm::mat4 projectionView{1.0f};
        bool changed = true;
    };

    void MakeTextureUsers(int32_t p_GraphicsApi);
    // Turns the setting into a sample count for the current context's driver, and says why when
    // it is not what was asked for.
    void ChooseSampleCount();
    bool IsDrawing() const { return m_Initialised && m_Api != nullptr; }
    bool CreateFrameBuffers();
    bool SetUpWeightedBlended();
    bool SetUpDepthPeeling();
    // Gives the current transparency mode's buffers storage of the window's size.
    void FitTransparencyBuffers();
    // Makes the selection buffer, or makes it again at the window's size; false when GL refuses.
    bool FitSelectionBuffer();
    int32_t WindowWidth() const { return static_cast<int32_t>(m_Size.width); }
    int32_t WindowHeight() const { return static_cast<int32_t>(m_Size.height); }
    // The viewport over the whole window, through the API wrapper; only while drawing.
    void ViewWholeWindow() const;
    void SetViewViewport(const Lib::WindowRect& p_Rect) const;
    // Whether the views draw anything this frame, and so need the depth buffer cleared.
    bool DrawsInstances() const;
    void DrawPlain(const View& p_View);
    void DrawWeightedBlended(const View& p_View);
    void DrawDepthPeeling(const View& p_View);
    uint32_t PickIn(SceneDatabase& p_Scene, Lib::Point p_Point, const Lib::WindowRect& p_Rect,
                    const glm::mat4& p_ProjectionView);
    int32_t LayerIndex(int32_t p_LayerId);

    Lib::LogTag m_Tag{"Renderer"};
    int32_t m_GraphicsApi = 0;
    bool m_Initialised = false;
    std::unique_ptr<OpenGLGraphicsAPI> m_Api; // only for OpenGL
    ShaderHandler m_ShaderHandler;
    // Made for the API of the last Initialise; the databases read textures through it, so they are
    // made again with it.
    std::unique_ptr<TextureHandler> m_TextureHandler;
    std::unique_ptr<SceneDatabase> m_OpaqueScene;
    std::unique_ptr<SceneDatabase> m_TransparentScene;
    MeshData m_UnitQuad;                           // what every submitted instance draws
    std::unordered_map<int32_t, int32_t> m_Layers; // layer id -> layer index
    std::map<uint32_t, View> m_Views;              // drawn in ascending id order
    OpenGLFrameBuffer m_SelectionBuffer;

    int32_t m_TransparencyMode = k_TransparencyPlain;
    OpenGLWBOITFrameBuffer m_WeightedBlendedBuffer;
    ShaderInfo m_CompositeShader;
    ScreenQuad m_CompositeQuad;
    uint32_t m_PeelCount = 4;
    ShaderInfo m_ScreenShader;
    ScreenQuad m_ScreenQuad;
    std::vector<OpenGLDepthPeelingFrameBuffer> m_PeelLayers;
    OpenGLDepthPeelingFrameBuffer m_MainPeelBuffer;

    OpenGLMainTarget m_MainTarget;
    int32_t m_MultisampleSetting = -1; // k_MultisampleAutomatic
    int32_t m_Samples = 0;

    uint32_t m_ClearColour = 0;
    bool m_FrameRendered = false;
    Lib::RectSize m_Size; // the window size of the last Initialise, Resize or RenderFrame
};
} // namespace Vozad

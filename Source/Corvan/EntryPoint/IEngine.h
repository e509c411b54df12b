#pragma once
// Everything the game may ask of the engine. The part that GUI widgets reach (window size and
// window, focus, popups, text measuring, widget textures) comes from the GUI toolkit's engine
// interface, so widgets need nothing of the engine object itself.
#include "Corvan/EntryPoint/Components.h"
#include "Corvan/EntryPoint/EntityHandle.h"
#include "Corvan/Gui/IGuiEngine.h"
#include "Corvan/Renderer/ShaderInfo.h"
#include "Corvan/Renderer/TextureInfo.h"
#include "Corvan/Window/EngineData.h"
#include "Corvan/Window/IWindow.h"
#include "Corvan/Window/Monitor.h"
#include "Lib/Blob.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <cstdint>
#include <functional>

namespace Vozad
{
class IAudioPlayer;
class ICamera;
class IWindowEventBase;
class LayoutBase;
struct ImageResource;
} // namespace Vozad

namespace Telvar
{
struct GraphicsApiInfo
{
    int32_t api = 0; // 0 OpenGL, 1 Vulkan
    Lib::String apiName;
    Lib::String graphicsText; // the GPU selection's second text
};

class IEngine : public Vozad::IGuiEngine
{
public:
    ~IEngine() override = default;

    virtual GraphicsApiInfo GetGraphicsApiInfo() const = 0;
    virtual Lib::RectSize GetScreenSize() const = 0;
    virtual float GetAspectRatio() const = 0;
    virtual Vozad::Viewport GetViewport() const = 0;
    virtual Lib::String GetFolderPath() const = 0;
    // True while the key is pressed or held; codes above 380 give false.
    virtual bool IsKeyPressed(uint32_t p_KeyCode) const = 0;
    // True when the key went down since the last update event, even if it is up again by now:
    // a tap shorter than a frame shows here and nowhere else. Codes above 380 give false.
    virtual bool WasKeyPressed(uint32_t p_KeyCode) const = 0;
    // The entity drawn under the cursor (client coordinates) in that view; the invalid handle
    // when there is none.
    virtual EntityHandle GetPoint(Lib::Point p_Cursor, const Vozad::WindowRect& p_Rect,
                                  const Vozad::ICamera& p_Camera) = 0;
    virtual Vozad::MonitorCollection GetMonitorCollection() const = 0;
    virtual Lib::Point GetCursorPosition() const = 0;
    // Installs the game's top GUI element (null: an empty root).
    virtual void SetRootContent(Vozad::LayoutBase* p_Element) = 0;
    virtual void SetWindowEventReceiver(Vozad::IWindowEventBase* p_Receiver) = 0;
    // p_FramesPerSecond must be at least 1.
    virtual void SetFrameLimit(uint32_t p_FramesPerSecond, bool p_Enabled) = 0;
    // Samples per pixel from the next frame on (values of Renderer/MultisampleChoice.h).
    virtual void SetMultisample(int32_t p_Setting) = 0;
    // The engine draws a frame only when something may have changed: input, a window event, or
    // this request. Whatever changes the picture by itself (a running round, an animation) asks
    // for the next frame each frame (p_DelaySeconds 0) or for one at a later moment.
    virtual void RequestRedraw(double p_DelaySeconds) = 0;

    // An opaque pointer the game stores with the engine (the configuration store); not owned.
    virtual void* GetUserData() const = 0;
    virtual void SetUserData(void* p_UserData) = 0;
    virtual void ClearUserData() = 0;

    virtual EntityHandle CreateEntity() = 0;
    virtual void DestroyEntity(EntityHandle p_Handle) = 0;
    virtual EntityHandle GetEntity(uint64_t p_Id) const = 0;
    virtual void AddTransform(EntityHandle& p_Handle, const Transform& p_Transform) = 0;
    virtual void RemoveTransform(EntityHandle& p_Handle) = 0;
    virtual bool GetTransform(EntityHandle p_Handle, Transform& p_Transform) const = 0;
    virtual bool SetTransform(EntityHandle p_Handle, const Transform& p_Transform,
                              bool p_IgnoreColliders) = 0;
    virtual void AddSprite(EntityHandle& p_Handle, const SpriteComponent& p_Sprite) = 0;
    virtual bool RemoveSprite(EntityHandle& p_Handle) = 0;
    virtual bool GetSprite(EntityHandle p_Handle, SpriteComponent& p_Sprite) const = 0;
    virtual void RefreshSprite(EntityHandle p_Handle) = 0;
    virtual void SetSprite(EntityHandle p_Handle, const SpriteComponent& p_Sprite) = 0;
    virtual void AddColouredQuad(EntityHandle& p_Handle, const ColouredQuadComponent& p_Quad) = 0;
    virtual bool RemoveColouredQuad(EntityHandle& p_Handle) = 0;
    virtual bool GetColouredQuad(EntityHandle p_Handle, ColouredQuadComponent& p_Quad) const = 0;
    virtual void RefreshColouredQuad(EntityHandle p_Handle) = 0;
    virtual void SetColouredQuad(EntityHandle p_Handle, const ColouredQuadComponent& p_Quad) = 0;
    virtual void AddTiledSprite(EntityHandle& p_Handle, const TiledSpriteComponent& p_Sprite) = 0;
    virtual bool RemoveTiledSprite(EntityHandle& p_Handle) = 0;
    virtual bool GetTiledSprite(EntityHandle p_Handle, TiledSpriteComponent& p_Sprite) const = 0;
    virtual void RefreshTiledSprite(EntityHandle p_Handle) = 0;
    virtual void SetTiledSprite(EntityHandle p_Handle, const TiledSpriteComponent& p_Sprite) = 0;
    virtual void AddCollider(EntityHandle& p_Handle, int32_t p_Tag) = 0;
    virtual void RemoveCollider(EntityHandle& p_Handle) = 0;
    virtual bool GetCollider(EntityHandle p_Handle, int32_t& p_Tag) const = 0;
    virtual void SetCollider(EntityHandle p_Handle, int32_t p_Tag) = 0;

    virtual Vozad::TextureInfo LoadTexture(const Lib::String& p_Name) = 0;
    virtual Vozad::TextureInfo LoadUiTexture(const Lib::String& p_Name) = 0;
    // Takes over the caller's reference: p_Blob is released and cleared.
    virtual Vozad::TextureInfo LoadUiTextureFromBlob(const Lib::String& p_Name,
                                                     Lib::Ref<Lib::Blob>& p_Blob) = 0;
    virtual Vozad::ShaderInfo LoadShader(const Lib::String& p_Name) = 0;
    // The eight rows of the engine shader table.
    virtual const Vozad::ShaderInfo* GetEngineShaderTable() const = 0;
    // PNG bytes of that region of a freshly drawn frame; null on failure.
    virtual Lib::Ref<Lib::Blob> CaptureRegionPng(uint32_t p_ClearColour, const Vozad::WindowRect& p_Rect) = 0;

    // Starts a new instance with "-restart" and ends this one's loop normally.
    virtual void Restart(const Lib::String& p_Arguments) = 0;
    // The loop ends after the current frame.
    virtual void Quit() = 0;
    virtual bool ToggleFlag() = 0;
    // Alpha is always 255.
    virtual void SetClearColour(uint8_t p_Red, uint8_t p_Green, uint8_t p_Blue) = 0;
    // Stores the view's rectangle and camera matrices; true when anything changed.
    virtual bool SetCamera(uint32_t p_ViewId, const Vozad::WindowRect& p_Rect,
                           const Vozad::ICamera& p_Camera) = 0;
    // Draws the scene and the GUI now; the main loop then does not clear and draw again.
    virtual void Render() = 0;
    // Sound effects; a player that plays nothing where there is no audio device.
    virtual Vozad::IAudioPlayer& GetAudio() = 0;
    // Start-up work the first picture need not wait for: runs once, in the order given, at the
    // loop's first moment with nothing to draw after a frame is shown (after the second frame
    // where the loop draws every frame, having no such moment). Work given later runs at the
    // next such moment.
    virtual void RunWhenIdle(std::function<void()> p_Work) = 0;
};
} // namespace Telvar

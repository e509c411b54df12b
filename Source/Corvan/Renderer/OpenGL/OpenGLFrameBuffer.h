#pragma once
// The renderer's off-screen frame buffers: the object-selection buffer that picking draws entity
// ids into, and the buffers of the two transparency techniques (weighted blended and depth
// peeling). Each is a move-only owner of its GL names, like the engine's other GL wrappers:
// constructing one makes no GL call, Create makes the names, destruction deletes them.
#include <cstdint>

namespace Vozad
{
struct FrameBufferSpec
{
    int32_t textureUnit = 0; // where Bind and BindTexture put the colour texture
    uint32_t width = 0;
    uint32_t height = 0;
};

class OpenGLFrameBufferBase
{
public:
    OpenGLFrameBufferBase(const OpenGLFrameBufferBase&) = delete;
    OpenGLFrameBufferBase& operator=(const OpenGLFrameBufferBase&) = delete;
    virtual ~OpenGLFrameBufferBase();

    // Makes the GL objects at the described size; true when the frame buffer is complete. A size
    // of 0 x 0 makes nothing and returns false. The frame buffer is left unbound.
    bool Create();
    // Deletes and re-creates at the new size; the texture unit is kept from the description given.
    bool Resize(const FrameBufferSpec& p_Spec);

    void Bind() const;   // as GL_FRAMEBUFFER
    void Unbind() const; // back to frame buffer 0
    // Binds one of the textures to p_Unit: 1 picks the secondary texture (revealage or depth)
    // where there is one, any other value the colour texture.
    void BindTexture(uint32_t p_Unit, uint32_t p_Which) const;
    // Unbinds the 2D texture of the active unit.
    void UnbindTexture() const;

    const FrameBufferSpec& GetSpec() const { return m_Spec; }
    uint32_t GetId() const { return m_Id; }
    uint32_t GetColourTexture() const { return m_Textures[0]; }
    uint32_t GetSecondaryTexture() const { return m_Textures[1]; }

protected:
    explicit OpenGLFrameBufferBase(const FrameBufferSpec& p_Spec) : m_Spec(p_Spec) {}
    OpenGLFrameBufferBase(OpenGLFrameBufferBase&& p_Other) noexcept;
    OpenGLFrameBufferBase& operator=(OpenGLFrameBufferBase&& p_Other) noexcept;

    // Creates and attaches the attachments to the bound frame buffer.
    virtual void CreateAttachments() = 0;
    uint32_t NewTexture(int32_t p_InternalFormat, uint32_t p_Format, uint32_t p_Type, int32_t p_Filter) const;

    FrameBufferSpec m_Spec;
    uint32_t m_Id = 0;
    uint32_t m_Textures[2] = {0, 0}; // colour / accumulation, then depth / revealage
    uint32_t m_Renderbuffer = 0;

private:
    void Delete();
};

// Object selection: RGBA8 colour and a depth-stencil texture.
class OpenGLFrameBuffer final : public OpenGLFrameBufferBase
{
public:
    explicit OpenGLFrameBuffer(const FrameBufferSpec& p_Spec = {}) : OpenGLFrameBufferBase(p_Spec) {}
    OpenGLFrameBuffer(OpenGLFrameBuffer&&) noexcept = default;
    OpenGLFrameBuffer& operator=(OpenGLFrameBuffer&&) noexcept = default;
    ~OpenGLFrameBuffer() override = default;

private:
    void CreateAttachments() override;
};

// Weighted blended transparency: float accumulation (attachment 0) and revealage (attachment 1),
// drawn into together, over a depth buffer the opaque depth is copied into.
class OpenGLWBOITFrameBuffer final : public OpenGLFrameBufferBase
{
public:
    explicit OpenGLWBOITFrameBuffer(const FrameBufferSpec& p_Spec = {}) : OpenGLFrameBufferBase(p_Spec) {}
    OpenGLWBOITFrameBuffer(OpenGLWBOITFrameBuffer&&) noexcept = default;
    OpenGLWBOITFrameBuffer& operator=(OpenGLWBOITFrameBuffer&&) noexcept = default;
    ~OpenGLWBOITFrameBuffer() override = default;

private:
    void CreateAttachments() override;
};

// One layer of depth peeling: RGBA8 colour and a depth texture the next peel samples.
class OpenGLDepthPeelingFrameBuffer final : public OpenGLFrameBufferBase
{
public:
    explicit OpenGLDepthPeelingFrameBuffer(const FrameBufferSpec& p_Spec = {}) : OpenGLFrameBufferBase(p_Spec)
    {
    }
    OpenGLDepthPeelingFrameBuffer(OpenGLDepthPeelingFrameBuffer&&) noexcept = default;
    OpenGLDepthPeelingFrameBuffer& operator=(OpenGLDepthPeelingFrameBuffer&&) noexcept = default;
    ~OpenGLDepthPeelingFrameBuffer() override = default;

private:
    void CreateAttachments() override;
};
} // namespace Vozad

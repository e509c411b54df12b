#pragma once
// GL textures of the renderer: square array textures that pack many scene images, one per layer,
// and plain 2D textures for GUI images. No GL type appears here; GL names are uint32_t.
#include "Corvan/Renderer/TextureInfo.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <cstdint>
#include <string_view>

namespace Vozad
{
// A texture shared by counted reference; the last Release deletes the GL object.
class ITexture : public Lib::ReferenceCounter
{
public:
    ~ITexture() override = default;

    virtual void Bind(uint32_t p_Unit) = 0;
    virtual bool IsBound() const = 0;
    virtual void Unbind() = 0;
    // Uploads a whole image into a plain 2D texture and describes it in p_Info. False, leaving
    // p_Info alone, when the image is larger than the texture.
    virtual bool SetImage(std::string_view p_Name, uint32_t p_Width, uint32_t p_Height,
                          const uint8_t* p_Pixels, TextureInfo& p_Info, uint64_t p_Key) = 0;
    // Puts an image into the next free layer of an array texture and describes it in p_Info.
    // False, leaving p_Info alone, when the image is larger than a layer or no layer is free.
    virtual bool AddImageLayer(std::string_view p_Name, uint32_t p_Width, uint32_t p_Height,
                               const uint8_t* p_Pixels, TextureInfo& p_Info, uint64_t p_Key) = 0;
    virtual uint32_t GetWidth() const = 0;
    virtual uint32_t GetHeight() const = 0;
    virtual Lib::String GetName() const = 0;
    virtual uint32_t GetGLName() const = 0;
    virtual int32_t GetReserved() const = 0;
};

class OpenGLTexture : public ITexture
{
public:
    enum Kind : int32_t
    {
        k_Plain2D = 0,
        k_Array2D = 1,
        k_Coverage2D = 2,
    };

    // Holds no GL object: safe without a context, deletes nothing. The factories below make real
    // ones.
    OpenGLTexture() = default;
    ~OpenGLTexture() override;

    // An RGBA8 array texture of p_Size x p_Size layers, clamped and linearly filtered, that takes up
    // to p_Capacity images. Storage follows the images: none until the first, then one layer, and
    // twice as many each time the layers run out, never more than p_Capacity; the GL name stays
    // the same as it grows, so what callers were told about earlier images stays true. Null when
    // GL cannot make layers of that size.
    static Lib::Ref<OpenGLTexture> CreateArray(uint32_t p_Size, uint32_t p_Capacity);
    // An RGBA8 2D texture of exactly that size with one layer in use. Null when GL refuses it.
    static Lib::Ref<OpenGLTexture> CreatePlain(uint32_t p_Width, uint32_t p_Height);
    // A one-byte-per-texel 2D texture holding p_Coverage (p_Width x p_Height bytes, rows packed)
    // that samples as white with the coverage as alpha: what a glyph atlas needs, at a quarter of
    // the bytes of the same atlas in RGBA. Takes no images afterwards. Null when GL refuses it.
    static Lib::Ref<OpenGLTexture> CreateCoverage(uint32_t p_Width, uint32_t p_Height,
                                                  const uint8_t* p_Coverage);

    void Bind(uint32_t p_Unit) override;
    bool IsBound() const override { return m_Bound; }
    void Unbind() override;
    bool SetImage(std::string_view p_Name, uint32_t p_Width, uint32_t p_Height, const uint8_t* p_Pixels,
                  TextureInfo& p_Info, uint64_t p_Key) override;
    bool AddImageLayer(std::string_view p_Name, uint32_t p_Width, uint32_t p_Height, const uint8_t* p_Pixels,
                       TextureInfo& p_Info, uint64_t p_Key) override;
    uint32_t GetWidth() const override { return m_Width; }
    uint32_t GetHeight() const override { return m_Height; }
    // Textures carry no name of their own; the images in them do.
    Lib::String GetName() const override { return {}; }
    uint32_t GetGLName() const override { return m_GLName; }
    int32_t GetReserved() const override { return 0; }

    Kind GetKind() const { return m_Kind; }
    uint32_t GetTextureCount() const { return m_TextureCount; }
    uint32_t GetTextureCapacity() const { return m_TextureCapacity; }
    uint32_t GetAllocatedLayers() const { return m_AllocatedLayers; }

private:
    // A single-layer 2D texture of that kind (plain RGBA8 or coverage), filled from p_Pixels when
    // given; null, with the error logged, when GL refuses it.
    static Lib::Ref<OpenGLTexture> CreateSingle(Kind p_Kind, uint32_t p_Width, uint32_t p_Height,
                                                const uint8_t* p_Pixels);
    uint32_t Target() const;
    // The three Error lines of a rejected image, in their fixed order.
    bool RejectsImage(uint32_t p_Width, uint32_t p_Height, bool p_CheckCapacity) const;
    // Makes room for at least one more layer; the layers in use keep their texels. Expects the
    // texture bound to unit 0 and leaves it bound there.
    bool Grow();
    void Describe(std::string_view p_Name, uint32_t p_Width, uint32_t p_Height, uint32_t p_Layer,
                  uint64_t p_Key, TextureInfo& p_Info) const;

    Lib::LogTag m_Tag{"OpenGLTexture"};
    uint32_t m_GLName = 0;
    int32_t m_Levels = 1;
    Kind m_Kind = k_Plain2D;
    bool m_Bound = false;
    uint32_t m_Width = 0; // layer size
    uint32_t m_Height = 0;
    uint32_t m_TextureCount = 0;    // layers in use
    uint32_t m_TextureCapacity = 0; // layers it may ever hold
    uint32_t m_AllocatedLayers = 0; // layers with storage behind them
};
} // namespace Vozad

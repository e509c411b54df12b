#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/OpenGL/OpenGLTexture.h"

#include "Corvan/Renderer/Fnv1a.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <vector>

namespace Vozad
{
namespace
{
constexpr uint64_t k_NoKey = ~0ull;

// What a layer holds around its image: clear, as a premultiplied texel. Filtering at the image's
// far edges mixes it in, and sprites are laid over as premultiplied colour: a clear texel with
// colour in it (the value 255, red at alpha 0) would add a red fringe there.
constexpr uint8_t k_LayerFill[4] = {0, 0, 0, 0};

void DrainGLErrors()
{
    while (glGetError() != GL_NO_ERROR)
    {
    }
}

// The first error the storage allocation left behind, or GL_NO_ERROR; the rest are drained so
// they are not blamed on a later call.
GLenum TakeGLError()
{
    const GLenum first = glGetError();
    DrainGLErrors();
    return first;
}
} // namespace

OpenGLTexture::~OpenGLTexture()
{
    if (m_GLName != 0)
    {
        const GLuint name = m_GLName;
        GL_CHECK(glDeleteTextures(1, &name));
    }
}

namespace
{
// A new texture name bound to unit 0 with the engine's sampling: clamped edges, linear filters.
// Called between DrainGLErrors and TakeGLError: the caller reads what these calls leave behind.
GLuint GenerateBoundTexture(GLenum p_Target)
{
    GLuint name = 0;
    GL_HANDLED(glGenTextures(1, &name));
    GL_HANDLED(glActiveTexture(GL_TEXTURE0));
    GL_HANDLED(glBindTexture(p_Target, name));
    GL_HANDLED(glTexParameteri(p_Target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE));
    GL_HANDLED(glTexParameteri(p_Target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE));
    GL_HANDLED(glTexParameteri(p_Target, GL_TEXTURE_MIN_FILTER, GL_LINEAR));
    GL_HANDLED(glTexParameteri(p_Target, GL_TEXTURE_MAG_FILTER, GL_LINEAR));
    return name;
}
} // namespace

Lib::Ref<OpenGLTexture> OpenGLTexture::CreateArray(uint32_t p_Size, uint32_t p_Capacity)
{
    Lib::Ref<OpenGLTexture> texture = Lib::MakeRef<OpenGLTexture>();
    texture->m_Kind = k_Array2D;
    texture->m_Width = p_Size;
    texture->m_Height = p_Size;
    texture->m_TextureCount = 0;
    texture->m_TextureCapacity = p_Capacity;

    // Storage comes with the first image, so a size GL cannot make is refused here rather than then.
    GLint maxSize = 0;
    GL_CHECK(glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize));
    if (p_Capacity == 0 || p_Size == 0 || p_Size > static_cast<uint32_t>(std::max(maxSize, 0)))
    {
        LogError(texture->m_Tag, "Unable to allocate an array texture of %u x %u texels with %u layers: %s",
                 p_Size, p_Size, p_Capacity, GL_ErrorName(GL_INVALID_VALUE));
        return {};
    }
    DrainGLErrors();
    const GLuint name = GenerateBoundTexture(GL_TEXTURE_2D_ARRAY);
    texture->m_GLName = name;
    // Mutable storage, so the same name can be given more layers; one level keeps it complete.
    GL_HANDLED(glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, texture->m_Levels - 1));
    // Whatever the calls since the drain refused is the answer: taken here, not reported by a check.
    const GLenum error = TakeGLError();
    GL_CHECK(glBindTexture(GL_TEXTURE_2D_ARRAY, 0));
    if (name == 0 || error != GL_NO_ERROR)
    {
        LogError(texture->m_Tag, "Unable to allocate an array texture of %u x %u texels with %u layers: %s",
                 p_Size, p_Size, p_Capacity, GL_ErrorName(error));
        return {};
    }
    return texture;
}

Lib::Ref<OpenGLTexture> OpenGLTexture::CreatePlain(uint32_t p_Width, uint32_t p_Height)
{
    return CreateSingle(k_Plain2D, p_Width, p_Height, nullptr);
}

Lib::Ref<OpenGLTexture> OpenGLTexture::CreateCoverage(uint32_t p_Width, uint32_t p_Height,
                                                      const uint8_t* p_Coverage)
{
    return CreateSingle(k_Coverage2D, p_Width, p_Height, p_Coverage);
}

Lib::Ref<OpenGLTexture> OpenGLTexture::CreateSingle(Kind p_Kind, uint32_t p_Width, uint32_t p_Height,
                                                    const uint8_t* p_Pixels)
{
    Lib::Ref<OpenGLTexture> texture = Lib::MakeRef<OpenGLTexture>();
    texture->m_Kind = p_Kind;
    texture->m_Width = p_Width;
    texture->m_Height = p_Height;
    texture->m_TextureCount = 1;
    texture->m_TextureCapacity = 1;

    DrainGLErrors();
    const GLuint name = GenerateBoundTexture(GL_TEXTURE_2D);
    texture->m_GLName = name;
    // Storage through the GL 1.1 call rather than glTexStorage2D (GL 4.2), so a 4.0 context makes
    // it too; one level, and the highest level said so, keeps the texture complete.
    GL_HANDLED(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, texture->m_Levels - 1));
    if (p_Kind == k_Coverage2D)
    {
        // Sampled as (1, 1, 1, coverage), exactly what the same atlas expanded to white RGBA gives.
        const GLint swizzle[] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
        GL_HANDLED(glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle));
        GL_HANDLED(glPixelStorei(GL_UNPACK_ALIGNMENT, 1));
        GL_HANDLED(glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, static_cast<GLsizei>(p_Width),
                                static_cast<GLsizei>(p_Height), 0, GL_RED, GL_UNSIGNED_BYTE, p_Pixels));
        GL_HANDLED(glPixelStorei(GL_UNPACK_ALIGNMENT, 4));
    }
    else
    {
        GL_HANDLED(glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(p_Width),
                                static_cast<GLsizei>(p_Height), 0, GL_RGBA, GL_UNSIGNED_BYTE, p_Pixels));
    }
    // A refusal (too large, out of memory) is the answer asked for: taken here, not by a check.
    const GLenum error = TakeGLError();
    GL_CHECK(glBindTexture(GL_TEXTURE_2D, 0));
    if (name == 0 || error != GL_NO_ERROR)
    {
        LogError(texture->m_Tag, "Unable to allocate a texture of %u x %u texels: %s", p_Width, p_Height,
                 GL_ErrorName(error));
        return {};
    }
    return texture;
}

uint32_t OpenGLTexture::Target() const
{
    return m_Kind == k_Array2D ? GL_TEXTURE_2D_ARRAY : GL_TEXTURE_2D;
}

void OpenGLTexture::Bind(uint32_t p_Unit)
{
    GL_CHECK(glActiveTexture(GL_TEXTURE0 + p_Unit));
    GL_CHECK(glBindTexture(Target(), m_GLName));
    m_Bound = true;
}

void OpenGLTexture::Unbind()
{
    GL_CHECK(glBindTexture(Target(), 0));
    m_Bound = false;
}

bool OpenGLTexture::RejectsImage(uint32_t p_Width, uint32_t p_Height, bool p_CheckCapacity) const
{
    const bool tooBig = p_Width > m_Width || p_Height > m_Height;
    const bool full = p_CheckCapacity && m_TextureCount == m_TextureCapacity;
    if (!tooBig && !full)
        return false;
    LogError(m_Tag, "Wrong dimensions or capacity reached!");
    LogError(m_Tag, "p_Width: %u - m_Width: %u - p_Height: %u -m_Height: %u", p_Width, m_Width, p_Height,
             m_Height);
    LogError(m_Tag, "m_TextureCount: %u - m_TextureCapacity: %u", m_TextureCount, m_TextureCapacity);
    return true;
}

void OpenGLTexture::Describe(std::string_view p_Name, uint32_t p_Width, uint32_t p_Height, uint32_t p_Layer,
                             uint64_t p_Key, TextureInfo& p_Info) const
{
    p_Info.textureKey = p_Key == k_NoKey ? Fnv1a64(p_Name) : p_Key;
    p_Info.glTexture = m_GLName;
    p_Info.layer = p_Layer;
    p_Info.name = Lib::String(p_Name);
    p_Info.width = static_cast<int32_t>(p_Width);
    p_Info.height = static_cast<int32_t>(p_Height);
    p_Info.widthRatio = static_cast<float>(m_Width) / static_cast<float>(p_Width);
    p_Info.heightRatio = static_cast<float>(m_Height) / static_cast<float>(p_Height);
}

namespace
{
// Gives the bound array texture p_Layers layers of p_Size x p_Size, dropping what it held.
GLenum SpecifyArrayStorage(uint32_t p_Size, uint32_t p_Layers)
{
    DrainGLErrors();
    // A refusal (too many layers, out of memory) is the answer asked for: taken below, not by a check.
    GL_HANDLED(glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA8, static_cast<GLsizei>(p_Size),
                            static_cast<GLsizei>(p_Size), static_cast<GLsizei>(p_Layers), 0, GL_RGBA,
                            GL_UNSIGNED_BYTE, nullptr));
    return TakeGLError();
}

// Whether the current context copies texels as bytes (GL 4.3, or ARB_copy_image before it).
bool CanCopyImages()
{
    if (!glCopyImageSubData)
        return false;
    GLint major = 0, minor = 0;
    GL_CHECK(glGetIntegerv(GL_MAJOR_VERSION, &major));
    GL_CHECK(glGetIntegerv(GL_MINOR_VERSION, &minor));
    if (major > 4 || (major == 4 && minor >= 3))
        return true;
    if (!glGetStringi)
        return false;
    GLint count = 0;
    GL_CHECK(glGetIntegerv(GL_NUM_EXTENSIONS, &count));
    for (GLint i = 0; i < count; ++i)
    {
        const GLubyte* name = GL_CHECK_VALUE(glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
        if (name && std::strcmp(reinterpret_cast<const char*>(name), "GL_ARB_copy_image") == 0)
            return true;
    }
    return false;
}

// Copies the first p_Layers layers of one array texture into another of the same layer size on the
// GPU, so no texel passes through the CPU. Binds p_To to the active unit. The byte copy is taken
// where the context has it: the frame-buffer copy (GL 3.0) draws every texel, which on a software
// rasterizer costs some milliseconds a layer; the caller's read frame buffer is put back.
void CopyLayers(GLuint p_From, GLuint p_To, uint32_t p_Size, uint32_t p_Layers)
{
    if (CanCopyImages())
    {
        GL_CHECK(glCopyImageSubData(p_From, GL_TEXTURE_2D_ARRAY, 0, 0, 0, 0, p_To, GL_TEXTURE_2D_ARRAY, 0, 0,
                                    0, 0, static_cast<GLsizei>(p_Size), static_cast<GLsizei>(p_Size),
                                    static_cast<GLsizei>(p_Layers)));
        GL_CHECK(glBindTexture(GL_TEXTURE_2D_ARRAY, p_To));
        return;
    }
    GLint previousRead = 0;
    GL_CHECK(glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previousRead));
    GLuint frameBuffer = 0;
    GL_CHECK(glGenFramebuffers(1, &frameBuffer));
    GL_CHECK(glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer));
    GL_CHECK(glReadBuffer(GL_COLOR_ATTACHMENT0));
    GL_CHECK(glBindTexture(GL_TEXTURE_2D_ARRAY, p_To));
    for (uint32_t layer = 0; layer < p_Layers; ++layer)
    {
        GL_CHECK(glFramebufferTextureLayer(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, p_From, 0,
                                           static_cast<GLint>(layer)));
        GL_CHECK(glCopyTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, static_cast<GLint>(layer), 0, 0,
                                     static_cast<GLsizei>(p_Size), static_cast<GLsizei>(p_Size)));
    }
    GL_CHECK(glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previousRead)));
    GL_CHECK(glDeleteFramebuffers(1, &frameBuffer));
}
} // namespace

bool OpenGLTexture::Grow()
{
    const uint32_t layers = std::min(m_TextureCapacity, m_AllocatedLayers == 0 ? 1u : m_AllocatedLayers * 2);
    if (m_TextureCount == 0)
    {
        const GLenum error = SpecifyArrayStorage(m_Width, layers);
        if (error == GL_NO_ERROR)
        {
            m_AllocatedLayers = layers;
            return true;
        }
        LogError(m_Tag, "Unable to grow an array texture of %u x %u texels to %u layers: %s", m_Width,
                 m_Height, layers, GL_ErrorName(error));
        SpecifyArrayStorage(m_Width, 0);
        m_AllocatedLayers = 0;
        return false;
    }

    // Re-specifying storage keeps the GL name but not the texels, so the layers in use wait in a
    // scratch texture meanwhile; growth doubles, so this happens a handful of times per run.
    GLuint scratch = 0;
    GL_CHECK(glGenTextures(1, &scratch));
    GL_CHECK(glBindTexture(GL_TEXTURE_2D_ARRAY, scratch));
    GL_CHECK(glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 0));
    GLenum error = SpecifyArrayStorage(m_Width, m_TextureCount);
    if (error == GL_NO_ERROR)
    {
        CopyLayers(m_GLName, scratch, m_Width, m_TextureCount);
        GL_CHECK(glBindTexture(GL_TEXTURE_2D_ARRAY, m_GLName));
        error = SpecifyArrayStorage(m_Width, layers);
        const uint32_t kept = error == GL_NO_ERROR ? layers : m_AllocatedLayers;
        // Refused: the old size comes back, with its texels, and the image is turned away.
        if (error != GL_NO_ERROR)
            SpecifyArrayStorage(m_Width, kept);
        CopyLayers(scratch, m_GLName, m_Width, m_TextureCount);
        m_AllocatedLayers = kept;
    }
    GL_CHECK(glDeleteTextures(1, &scratch));
    GL_CHECK(glBindTexture(GL_TEXTURE_2D_ARRAY, m_GLName));
    if (error == GL_NO_ERROR)
        return true;
    LogError(m_Tag, "Unable to grow an array texture of %u x %u texels to %u layers: %s", m_Width, m_Height,
             layers, GL_ErrorName(error));
    return false;
}

bool OpenGLTexture::AddImageLayer(std::string_view p_Name, uint32_t p_Width, uint32_t p_Height,
                                  const uint8_t* p_Pixels, TextureInfo& p_Info, uint64_t p_Key)
{
    // An empty image would make the size ratios infinite; nothing of it could be drawn anyway.
    if (m_Kind != k_Array2D || m_GLName == 0 || p_Width == 0 || p_Height == 0 || !p_Pixels ||
        RejectsImage(p_Width, p_Height, true))
        return false;

    Bind(0);
    if (m_TextureCount == m_AllocatedLayers && !Grow())
    {
        Unbind();
        return false;
    }
    GL_CHECK(glPixelStorei(GL_UNPACK_ALIGNMENT, 4));
    // Fresh storage is undefined; the fill gives the part of the layer around the image a known
    // value that sampling past the image's edge then returns. An image the size of the layer
    // leaves no such part.
    if (p_Width < m_Width || p_Height < m_Height)
    {
        std::vector<uint8_t> fill(static_cast<size_t>(m_Width) * m_Height * 4);
        for (size_t i = 0; i < fill.size(); i += 4)
            std::copy(std::begin(k_LayerFill), std::end(k_LayerFill),
                      fill.begin() + static_cast<std::ptrdiff_t>(i));
        GL_CHECK(glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, static_cast<GLint>(m_TextureCount),
                                 static_cast<GLsizei>(m_Width), static_cast<GLsizei>(m_Height), 1, GL_RGBA,
                                 GL_UNSIGNED_BYTE, fill.data()));
    }
    GL_CHECK(glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, static_cast<GLint>(m_TextureCount),
                             static_cast<GLsizei>(p_Width), static_cast<GLsizei>(p_Height), 1, GL_RGBA,
                             GL_UNSIGNED_BYTE, p_Pixels));
    Describe(p_Name, p_Width, p_Height, m_TextureCount, p_Key, p_Info);
    ++m_TextureCount;
    Unbind();
    return true;
}

bool OpenGLTexture::SetImage(std::string_view p_Name, uint32_t p_Width, uint32_t p_Height,
                             const uint8_t* p_Pixels, TextureInfo& p_Info, uint64_t p_Key)
{
    if (m_Kind != k_Plain2D || m_GLName == 0 || p_Width == 0 || p_Height == 0 || !p_Pixels ||
        RejectsImage(p_Width, p_Height, false))
        return false;

    Bind(0);
    GL_CHECK(glPixelStorei(GL_UNPACK_ALIGNMENT, 4));
    GL_CHECK(glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, static_cast<GLsizei>(p_Width),
                             static_cast<GLsizei>(p_Height), GL_RGBA, GL_UNSIGNED_BYTE, p_Pixels));
    Describe(p_Name, p_Width, p_Height, m_TextureCount, p_Key, p_Info);
    Unbind();
    return true;
}
} // namespace Vozad

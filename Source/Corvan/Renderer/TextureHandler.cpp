#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/TextureHandler.h"

#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/ImageDecodeAhead.h"
#include "Corvan/Renderer/ImageDecoder.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Corvan/Renderer/OpenGL/OpenGLTexture.h"
#include "Corvan/Renderer/TextureCapacity.h"

#include <utility>

namespace Vozad
{
namespace
{
constexpr const char* k_NotFoundName = "TextureNotFound";
constexpr uint64_t k_NoKey = ~0ull;
} // namespace

TextureHandler::TextureHandler(int32_t p_GraphicsApi) : m_GraphicsApi(p_GraphicsApi)
{
    ResetMap(m_SceneMap);
    ResetMap(m_GuiMap);
}

TextureHandler::~TextureHandler()
{
    Shutdown();
}

bool TextureHandler::IsOpenGL() const
{
    return m_GraphicsApi == k_GraphicsApiOpenGL;
}

void TextureHandler::ResetMap(TextureMap& p_Map)
{
    p_Map = TextureMap(8);
    p_Map.max_load_factor(1.0f);
}

bool TextureHandler::Initialise()
{
    // A second start without Shutdown would stack a second set of arrays on the first.
    if (m_SceneMap.count(k_NotFoundName) != 0)
        return false;

    for (const uint32_t size : k_ArrayTextureSizes)
        CreateArray(size);

    DecodedImage image;
    const ImageResource* resource = FindImageResource(k_NotFoundName);
    if (!resource || !DecodeImageMemory(resource->bytes, resource->size, IsOpenGL(), image))
    {
        LogError(m_Tag, "Unable to add the default texture");
        return false;
    }

    for (const ArrayEntry& entry : m_Arrays)
    {
        if (entry.width < image.width || entry.height < image.height)
            continue;
        TextureInfo info;
        if (entry.texture && entry.texture->AddImageLayer(k_NotFoundName, static_cast<uint32_t>(image.width),
                                                          static_cast<uint32_t>(image.height),
                                                          image.pixels.data(), info, k_NoKey))
            info.transparent = image.hasTransparency;
        if (!m_SceneMap.emplace(k_NotFoundName, info).second)
            return false;
        break;
    }

    // The GUI's copy is decoded as every GUI image is: top row first, straight colours.
    DecodedImage guiImage;
    Lib::Ref<OpenGLTexture> texture;
    if (IsOpenGL() &&
        DecodeImageMemory(resource->bytes, resource->size, false, guiImage, AlphaForm::Straight))
        texture = OpenGLTexture::CreatePlain(static_cast<uint32_t>(guiImage.width),
                                             static_cast<uint32_t>(guiImage.height));
    TextureInfo guiInfo;
    if (!texture ||
        !texture->SetImage(k_NotFoundName, static_cast<uint32_t>(guiImage.width),
                           static_cast<uint32_t>(guiImage.height), guiImage.pixels.data(), guiInfo, k_NoKey))
    {
        LogError(m_Tag, "Failed to create the fallback texture object (UI): %s", k_NotFoundName);
        return false;
    }
    guiInfo.transparent = guiImage.hasTransparency;
    m_GuiTextures.Add({guiImage.width, guiImage.height, std::move(texture)});
    m_GuiMap.emplace(k_NotFoundName, guiInfo);
    return true;
}

void TextureHandler::CreateArray(uint32_t p_Size)
{
    const int32_t size = static_cast<int32_t>(p_Size);
    if (!IsOpenGL())
    {
        m_Arrays.Add({Lib::Ref<OpenGLTexture>(), size, size});
        return;
    }

    GLint maxLayers = 0;
    GLint maxBufferSize = 0;
    GL_CHECK(glGetIntegerv(GL_MAX_ARRAY_TEXTURE_LAYERS, &maxLayers));
    GL_CHECK(glGetIntegerv(GL_MAX_TEXTURE_BUFFER_SIZE, &maxBufferSize));
    const uint32_t capacity = ArrayTextureCapacity(p_Size, maxLayers, maxBufferSize);
    if (capacity == 0)
    {
        LogError(m_Tag,
                 "Max texture buffer size (%u) exceeded (%u), cannot create textures with the resolution of "
                 "%u x %us",
                 static_cast<uint32_t>(maxBufferSize), static_cast<uint32_t>(ArrayLayerBytes(p_Size)), p_Size,
                 p_Size);
        return;
    }
    Lib::Ref<OpenGLTexture> texture = OpenGLTexture::CreateArray(p_Size, capacity);
    if (texture)
        m_Arrays.Add({std::move(texture), size, size});
}

TextureInfo TextureHandler::AddToArrays(const std::string& p_Name, const DecodedImage& p_Image)
{
    TextureInfo info;
    for (const ArrayEntry& entry : m_Arrays)
    {
        if (entry.width < p_Image.width || entry.height < p_Image.height)
            continue;
        // A full array turns the image away; a larger array would hold it, but sprites of one
        // size stay together in one array so they keep batching.
        if (entry.texture && entry.texture->AddImageLayer(p_Name, static_cast<uint32_t>(p_Image.width),
                                                          static_cast<uint32_t>(p_Image.height),
                                                          p_Image.pixels.data(), info, k_NoKey))
            info.transparent = p_Image.hasTransparency;
        break;
    }
    return info;
}

TextureInfo TextureHandler::AddGuiTexture(const std::string& p_Name, const DecodedImage& p_Image)
{
    Lib::Ref<OpenGLTexture> texture;
    if (IsOpenGL())
        texture = OpenGLTexture::CreatePlain(static_cast<uint32_t>(p_Image.width),
                                             static_cast<uint32_t>(p_Image.height));
    TextureInfo info;
    if (!texture ||
        !texture->SetImage(p_Name, static_cast<uint32_t>(p_Image.width),
                           static_cast<uint32_t>(p_Image.height), p_Image.pixels.data(), info, k_NoKey))
    {
        LogError(m_Tag, "Failed to create the texture (GUI): %s", p_Name.c_str());
        return {};
    }
    info.transparent = p_Image.hasTransparency;
    m_GuiTextures.Add({p_Image.width, p_Image.height, std::move(texture)});
    m_GuiMap.emplace(p_Name, info);
    return info;
}

TextureInfo TextureHandler::SceneFallback() const
{
    const auto found = m_SceneMap.find(k_NotFoundName);
    return found != m_SceneMap.end() ? found->second : TextureInfo();
}

TextureInfo TextureHandler::GuiFallback() const
{
    const auto found = m_GuiMap.find(k_NotFoundName);
    return found != m_GuiMap.end() ? found->second : TextureInfo();
}

TextureInfo TextureHandler::LoadTexture(const Lib::String& p_Path)
{
    const std::string name = p_Path.ToNarrow().Bytes();
    if (const auto found = m_SceneMap.find(name); found != m_SceneMap.end())
        return found->second;

    DecodedImage image;
    if (!DecodeImageFile(name, IsOpenGL(), image))
    {
        LogWarning(m_Tag, "Could not load texture: '%s'. Assigning the 'not found' texture.", name.c_str());
        return SceneFallback();
    }
    // The name is filed even when no layer took the image, so a second load does not try again.
    const TextureInfo info = AddToArrays(name, image);
    m_SceneMap.emplace(name, info);
    if (info.textureKey == k_NoKey)
        LogError(m_Tag, "Error creating texture, name: \"%s\"", name.c_str());
    return info;
}

TextureInfo TextureHandler::LoadTextureFromMemory(const ImageResource& p_Resource)
{
    const std::string name = p_Resource.name ? p_Resource.name : "";
    if (p_Resource.width == 0 || p_Resource.height == 0)
    {
        LogError(m_Tag, "Failed to load texture: %s", name.c_str());
        return {};
    }
    if (const auto found = m_SceneMap.find(name); found != m_SceneMap.end())
        return found->second;

    DecodedImage image;
    const bool decodedAhead = m_DecodeAhead && m_DecodeAhead->Take(p_Resource, IsOpenGL(), image);
    if (!decodedAhead && !DecodeImageMemory(p_Resource.bytes, p_Resource.size, IsOpenGL(), image))
    {
        LogWarning(m_Tag, "Could not load texture: '%s'. Assigning the 'not found' texture.", name.c_str());
        return SceneFallback();
    }
    bool fits = false;
    for (const ArrayEntry& entry : m_Arrays)
        fits = fits || (entry.width >= image.width && entry.height >= image.height);
    const TextureInfo info = AddToArrays(name, image);
    m_SceneMap.emplace(name, info);
    // Compiled-in images are sized for the arrays, so only a full array is worth a message.
    if (fits && info.textureKey == k_NoKey)
        LogError(m_Tag, "Error creating texture, name: \"%s\"", name.c_str());
    return info;
}

TextureInfo TextureHandler::LoadUiTexture(const Lib::String& p_Path)
{
    const std::string name = p_Path.ToNarrow().Bytes();
    if (const auto found = m_GuiMap.find(name); found != m_GuiMap.end())
        return found->second;

    // ImGui draws with the first row at the top, as the file stores it: a file is not flipped for
    // GL here, or it would show upside down next to the same image compiled in. It blends with
    // source alpha, so colours stay straight (premultiplied, they would be darkened twice).
    DecodedImage image;
    if (!DecodeImageFile(name, false, image, AlphaForm::Straight))
    {
        LogWarning(m_Tag, "Could not load texture: '%s'. Assigning the 'not found' texture.", name.c_str());
        return GuiFallback();
    }
    return AddGuiTexture(name, image);
}

TextureInfo TextureHandler::LoadUiTextureFromMemory(const ImageResource& p_Resource)
{
    const std::string name = p_Resource.name ? p_Resource.name : "";
    if (const auto found = m_GuiMap.find(name); found != m_GuiMap.end())
        return found->second;
    if (p_Resource.width == 0 || p_Resource.height == 0)
    {
        LogError(m_Tag, "Failed to load texture: %s", name.c_str());
        return {};
    }

    // ImGui draws with the first row at the top, as the file stores it, with straight colours.
    DecodedImage image;
    if (!DecodeImageMemory(p_Resource.bytes, p_Resource.size, false, image, AlphaForm::Straight))
    {
        LogWarning(m_Tag, "Could not load texture: '%s'. Assigning the 'not found' texture (UI).",
                   name.c_str());
        return GuiFallback();
    }
    return AddGuiTexture(name, image);
}

TextureInfo TextureHandler::LoadUiTextureFromBlob(const Lib::String& p_Name, Lib::Ref<Lib::Blob> p_Blob)
{
    const std::string name = p_Name.ToNarrow().Bytes();
    if (const auto found = m_GuiMap.find(name); found != m_GuiMap.end())
        return found->second;

    DecodedImage image;
    const bool decoded =
        p_Blob && DecodeImageMemory(p_Blob->Data(), p_Blob->Size(), IsOpenGL(), image, AlphaForm::Straight);
    p_Blob.Reset();
    if (!decoded)
    {
        LogWarning(m_Tag, "Could not load texture: '%s'. Assigning the 'not found' texture (UI).",
                   name.c_str());
        return GuiFallback();
    }
    return AddGuiTexture(name, image);
}

void TextureHandler::Shutdown()
{
    UnbindSceneTexture();
    m_Arrays.Clear();
    m_GuiTextures.Clear();
    ResetMap(m_SceneMap);
    ResetMap(m_GuiMap);
}

bool TextureHandler::BindSceneTexture(uint64_t p_TextureKey) const
{
    for (const auto& [name, info] : m_SceneMap)
    {
        if (info.textureKey != p_TextureKey || info.glTexture == 0)
            continue;
        for (const ArrayEntry& entry : m_Arrays)
        {
            if (entry.texture && entry.texture->GetGLName() == info.glTexture)
            {
                entry.texture->Bind(0);
                m_BoundSceneTexture = entry.texture.Get();
                return true;
            }
        }
    }
    return false;
}

void TextureHandler::UnbindSceneTexture() const
{
    if (!m_BoundSceneTexture)
        return;
    m_BoundSceneTexture->Unbind();
    m_BoundSceneTexture = nullptr;
}
} // namespace Vozad

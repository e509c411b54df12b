#pragma once
// Owns every texture of the renderer. Scene images are packed into the layers of square array
// textures (one per power-of-two size) so sprites sharing an array draw in one call; GUI images get
// plain 2D textures of their exact size. Every image name loads once per run.
#include "Corvan/Renderer/ISceneTextures.h"
#include "Corvan/Renderer/TextureInfo.h"
#include "Lib/Blob.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace Vozad
{
class OpenGLTexture;
struct DecodedImage;
class ImageDecodeAhead;
struct ImageResource;

class TextureHandler : public ISceneTextures
{
public:
    struct ArrayEntry
    {
        Lib::Ref<OpenGLTexture> texture; // null when the graphics API makes no GL textures
        int32_t width = 0;
        int32_t height = 0;
    };
    struct GuiEntry
    {
        int32_t width = 0;
        int32_t height = 0;
        Lib::Ref<OpenGLTexture> texture;
    };
    using TextureMap = std::unordered_map<std::string, TextureInfo>;

    // p_GraphicsApi: 0 OpenGL; any other API makes no GL call and gets no textures.
    explicit TextureHandler(int32_t p_GraphicsApi);
    ~TextureHandler() override;
    TextureHandler(const TextureHandler&) = delete;
    TextureHandler& operator=(const TextureHandler&) = delete;

    // Creates the array textures (32 to 4096; storage comes with their images) and the
    // "TextureNotFound" fallbacks. Needs the GL context to be current.
    bool Initialise();
    // Destroys every texture and forgets every loaded name.
    void Shutdown();

    TextureInfo LoadTexture(const Lib::String& p_Path);
    // GUI images keep the file's row order, top row first, as the GUI draws them; scene images are
    // flipped for GL on OpenGL. A Blob is flipped like a scene image: it carries the rows of a
    // capture in GL's order.
    TextureInfo LoadUiTexture(const Lib::String& p_Path);
    // Takes the pixels from the decode-ahead when it holds them, else decodes here.
    TextureInfo LoadTextureFromMemory(const ImageResource& p_Resource);
    TextureInfo LoadUiTextureFromMemory(const ImageResource& p_Resource);
    // Takes over the reference to the encoded image; it is released before the call returns.
    TextureInfo LoadUiTextureFromBlob(const Lib::String& p_Name, Lib::Ref<Lib::Blob> p_Blob);

    // Compiled-in images decoded before the context existed; null for none. Must outlive the
    // handler or be unset first.
    void SetDecodeAhead(ImageDecodeAhead* p_DecodeAhead) { m_DecodeAhead = p_DecodeAhead; }

    bool BindSceneTexture(uint64_t p_TextureKey) const override;
    void UnbindSceneTexture() const override;

    const Lib::DynamicArray<ArrayEntry>& GetArrays() const { return m_Arrays; }
    const Lib::DynamicArray<GuiEntry>& GetGuiTextures() const { return m_GuiTextures; }
    const TextureMap& GetSceneMap() const { return m_SceneMap; }
    const TextureMap& GetGuiMap() const { return m_GuiMap; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    bool IsOpenGL() const;
    void CreateArray(uint32_t p_Size);
    // Files the image into the smallest array whose layers hold it. The result keeps the key of
    // all ones when no array fits or the array is full.
    TextureInfo AddToArrays(const std::string& p_Name, const DecodedImage& p_Image);
    TextureInfo AddGuiTexture(const std::string& p_Name, const DecodedImage& p_Image);
    TextureInfo SceneFallback() const;
    TextureInfo GuiFallback() const;
    static void ResetMap(TextureMap& p_Map);

    Lib::LogTag m_Tag{"TextureHandler"};
    int32_t m_GraphicsApi = 0;
    Lib::DynamicArray<ArrayEntry> m_Arrays;               // ascending layer size
    TextureMap m_SceneMap;                                // image name -> where it lives in the arrays
    Lib::DynamicArray<GuiEntry> m_GuiTextures;            // one plain texture per GUI image
    TextureMap m_GuiMap;                                  // image name -> its GUI texture
    mutable OpenGLTexture* m_BoundSceneTexture = nullptr; // what UnbindSceneTexture lets go of
    ImageDecodeAhead* m_DecodeAhead = nullptr;            // see SetDecodeAhead
};
} // namespace Vozad

// The texture handler and its GL textures on a real context (Mesa under the test run's Xvfb):
// where images land, what the GL objects hold afterwards, and what the log says.
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/ImageDecodeAhead.h"
#include "Corvan/Renderer/ImageDecoder.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Renderer/OpenGL/OpenGLTexture.h"
#include "Corvan/Renderer/TextureHandler.h"
#include "Lib/Blob.h"
#include "Lib/Log.h"
#include "Lib/String.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

using Vozad::OpenGLTexture;
using Vozad::TextureHandler;
using Vozad::TextureInfo;

namespace
{
constexpr uint64_t k_NoKey = ~0ull;
const uint32_t k_Sizes[] = {32, 64, 128, 256, 512, 1024, 2048, 4096};

// Written out here rather than taken from the engine, so a wrong key in the engine shows.
uint64_t Fnv1a(const std::string& p_Text)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const unsigned char character : p_Text)
        hash = (hash ^ character) * 0x100000001b3ull;
    return hash;
}

// "Level Tag: message" of every Warning and Error, in order.
std::vector<std::string> Problems(const TestSupport::CapturingForwarder& p_Log)
{
    std::vector<std::string> problems;
    for (const TestSupport::LogRecord& record : p_Log.Records())
    {
        if (record.level == "Warning" || record.level == "Error")
            problems.push_back(record.level + " " + record.tag + ": " + record.message);
    }
    return problems;
}

void AppendBytes(void* p_Context, void* p_Data, int p_Size)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(p_Context);
    const auto* data = static_cast<const uint8_t*>(p_Data);
    bytes->insert(bytes->end(), data, data + p_Size);
}

// An opaque RGBA image whose every texel differs from its neighbours: (x, y, x + y, 255),
// top row first.
std::vector<uint8_t> PatternTexels(int p_Width, int p_Height)
{
    std::vector<uint8_t> texels;
    for (int y = 0; y < p_Height; ++y)
        for (int x = 0; x < p_Width; ++x)
            texels.insert(texels.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                         static_cast<uint8_t>(x + y), 255});
    return texels;
}

std::vector<uint8_t> EncodePng(int p_Width, int p_Height, const std::vector<uint8_t>& p_Texels)
{
    std::vector<uint8_t> png;
    EXPECT_NE(stbi_write_png_to_func(AppendBytes, &png, p_Width, p_Height, 4, p_Texels.data(), p_Width * 4),
              0);
    return png;
}

std::string Hex(const uint8_t* p_Texel)
{
    char text[32];
    snprintf(text, sizeof(text), "(%u, %u, %u, %u)", p_Texel[0], p_Texel[1], p_Texel[2], p_Texel[3]);
    return text;
}

// Compares a read-back layer of p_LayerSize texels square with the image in its corner (rows
// bottom first, as uploaded with the flip) and clear texels (0, 0, 0, 0) everywhere else.
testing::AssertionResult LayerHolds(const uint8_t* p_Layer, int p_LayerSize,
                                    const std::vector<uint8_t>& p_TopFirst, int p_Width, int p_Height)
{
    const uint8_t fill[4] = {0, 0, 0, 0};
    for (int y = 0; y < p_LayerSize; ++y)
    {
        for (int x = 0; x < p_LayerSize; ++x)
        {
            const uint8_t* got = p_Layer + (static_cast<size_t>(y) * p_LayerSize + x) * 4;
            const bool inImage = x < p_Width && y < p_Height;
            const uint8_t* expected =
                inImage ? p_TopFirst.data() + (static_cast<size_t>(p_Height - 1 - y) * p_Width + x) * 4
                        : fill;
            if (std::equal(got, got + 4, expected))
                continue;
            return testing::AssertionFailure() << "texel (" << x << ", " << y << ") got RGBA " << Hex(got)
                                               << " expected " << Hex(expected);
        }
    }
    return testing::AssertionSuccess();
}

GLint TexLevelParameter(GLenum p_Target, GLuint p_Name, GLenum p_Parameter)
{
    glBindTexture(p_Target, p_Name);
    GLint value = 0;
    glGetTexLevelParameteriv(p_Target, 0, p_Parameter, &value);
    glBindTexture(p_Target, 0);
    return value;
}

std::vector<uint8_t> ReadTexture(GLenum p_Target, GLuint p_Name, size_t p_Bytes)
{
    std::vector<uint8_t> texels(p_Bytes);
    glBindTexture(p_Target, p_Name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(p_Target, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(p_Target, 0);
    return texels;
}

void ExpectSameInfo(const TextureInfo& p_Got, const TextureInfo& p_Expected)
{
    EXPECT_EQ(p_Got.textureKey, p_Expected.textureKey);
    EXPECT_EQ(p_Got.glTexture, p_Expected.glTexture);
    EXPECT_EQ(p_Got.layer, p_Expected.layer);
    EXPECT_EQ(p_Got.name.ToNarrow().Bytes(), p_Expected.name.ToNarrow().Bytes());
    EXPECT_EQ(p_Got.width, p_Expected.width);
    EXPECT_EQ(p_Got.height, p_Expected.height);
    EXPECT_FLOAT_EQ(p_Got.widthRatio, p_Expected.widthRatio);
    EXPECT_FLOAT_EQ(p_Got.heightRatio, p_Expected.heightRatio);
    EXPECT_EQ(p_Got.transparent, p_Expected.transparent);
}

void ExpectEmptyInfo(const TextureInfo& p_Info)
{
    ExpectSameInfo(p_Info, TextureInfo());
}

class TextureGLTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_GL.Open(64, 64, "Texture test")) << SDL_GetError();
        glGetIntegerv(GL_MAX_ARRAY_TEXTURE_LAYERS, &m_MaxLayers);
        glGetIntegerv(GL_MAX_TEXTURE_BUFFER_SIZE, &m_MaxBufferSize);
        m_Log.lines.clear();
    }

    void TearDown() override
    {
        m_Handler.reset();
        m_GL.Close();
    }

    void InitialiseHandler()
    {
        m_Handler = std::make_unique<TextureHandler>(Vozad::k_GraphicsApiOpenGL);
        ASSERT_TRUE(m_Handler->Initialise());
        ASSERT_GE(m_Handler->GetArrays().Count(), 2u) << "the 32 and 64 arrays are needed";
        m_Log.lines.clear();
    }

    // Layers of an array of s x s, computed here from the driver's limits.
    uint32_t ExpectedCapacity(uint32_t p_Size) const
    {
        const uint64_t byBuffer = static_cast<uint64_t>(m_MaxBufferSize) / (uint64_t{p_Size} * p_Size * 4);
        return static_cast<uint32_t>(std::min<uint64_t>(static_cast<uint64_t>(m_MaxLayers), byBuffer));
    }

    const TextureHandler::ArrayEntry& ArrayOfSize(int32_t p_Size) const
    {
        for (const TextureHandler::ArrayEntry& entry : m_Handler->GetArrays())
        {
            if (entry.width == p_Size)
                return entry;
        }
        ADD_FAILURE() << "no array of size " << p_Size;
        return m_Handler->GetArrays().At(0);
    }

    std::string WritePng(const std::string& p_Name, int p_Width, int p_Height,
                         const std::vector<uint8_t>& p_Texels)
    {
        const std::vector<uint8_t> png = EncodePng(p_Width, p_Height, p_Texels);
        const std::string path = m_Folder.File(p_Name);
        TestSupport::WriteWholeFile(path, std::string(png.begin(), png.end()));
        return path;
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    TestSupport::CapturingForwarder m_Log;
    TestSupport::GLWindow m_GL;
    std::unique_ptr<TextureHandler> m_Handler;
    GLint m_MaxLayers = 0;
    GLint m_MaxBufferSize = 0;
};

TEST_F(TextureGLTest, InitialiseMakesOneArrayPerSizeTheDriverAllowsAndTheFallbacks)
{
    m_Handler = std::make_unique<TextureHandler>(Vozad::k_GraphicsApiOpenGL);
    ASSERT_TRUE(m_Handler->Initialise());

    std::vector<std::string> expectedProblems;
    std::vector<uint32_t> expectedSizes;
    for (const uint32_t size : k_Sizes)
    {
        if (ExpectedCapacity(size) > 0)
            expectedSizes.push_back(size);
        else
            expectedProblems.push_back("Error TextureHandler: Max texture buffer size (" +
                                       std::to_string(m_MaxBufferSize) + ") exceeded (" +
                                       std::to_string(size * size * 4) +
                                       "), cannot create textures with the resolution of " +
                                       std::to_string(size) + " x " + std::to_string(size) + "s");
    }
    EXPECT_EQ(Problems(m_Log), expectedProblems);

    const auto& arrays = m_Handler->GetArrays();
    ASSERT_EQ(arrays.Count(), expectedSizes.size());
    for (uint32_t i = 0; i < arrays.Count(); ++i)
    {
        const uint32_t size = expectedSizes[i];
        const TextureHandler::ArrayEntry& entry = arrays.At(i);
        SCOPED_TRACE("array " + std::to_string(size));
        ASSERT_TRUE(entry.texture);
        EXPECT_EQ(entry.width, static_cast<int32_t>(size));
        EXPECT_EQ(entry.height, static_cast<int32_t>(size));
        EXPECT_EQ(entry.texture->GetKind(), OpenGLTexture::k_Array2D);
        EXPECT_EQ(entry.texture->GetTextureCapacity(), ExpectedCapacity(size));
        const GLuint name = entry.texture->GetGLName();
        EXPECT_TRUE(glIsTexture(name));
        // Only the 64 array holds the 64 x 64 fallback, and only it has storage: one layer.
        const uint32_t used = size == 64 ? 1u : 0u;
        EXPECT_EQ(entry.texture->GetTextureCount(), used);
        EXPECT_EQ(entry.texture->GetAllocatedLayers(), used);
        EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D_ARRAY, name, GL_TEXTURE_DEPTH), static_cast<GLint>(used));
        if (used != 0)
        {
            EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D_ARRAY, name, GL_TEXTURE_WIDTH),
                      static_cast<GLint>(size));
            EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D_ARRAY, name, GL_TEXTURE_HEIGHT),
                      static_cast<GLint>(size));
            EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D_ARRAY, name, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
        }
    }

    // Scene fallback: layer 0 of the 64 array, keyed by the hash of its name.
    const TextureInfo scene = m_Handler->GetSceneMap().at("TextureNotFound");
    EXPECT_EQ(scene.textureKey, Fnv1a("TextureNotFound"));
    EXPECT_EQ(scene.glTexture, ArrayOfSize(64).texture->GetGLName());
    EXPECT_EQ(scene.layer, 0u);
    EXPECT_EQ(scene.name.ToNarrow().Bytes(), "TextureNotFound");
    EXPECT_EQ(scene.width, 64);
    EXPECT_EQ(scene.height, 64);
    EXPECT_FLOAT_EQ(scene.widthRatio, 1.0f);

    // GUI fallback: its own 64 x 64 plain texture.
    ASSERT_EQ(m_Handler->GetGuiTextures().Count(), 1u);
    const TextureHandler::GuiEntry& gui = m_Handler->GetGuiTextures().At(0);
    EXPECT_EQ(gui.width, 64);
    EXPECT_EQ(gui.height, 64);
    const TextureInfo guiInfo = m_Handler->GetGuiMap().at("TextureNotFound");
    EXPECT_EQ(guiInfo.glTexture, gui.texture->GetGLName());
    EXPECT_EQ(guiInfo.layer, 1u);
    EXPECT_EQ(guiInfo.textureKey, Fnv1a("TextureNotFound"));
    EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D, guiInfo.glTexture, GL_TEXTURE_WIDTH), 64);
    // Held as every GUI image is: top row first and straight colours, unlike the scene's copy.
    Vozad::DecodedImage upright;
    const Vozad::ImageResource* resource = Vozad::FindImageResource("TextureNotFound");
    ASSERT_TRUE(Vozad::DecodeImageMemory(resource->bytes, resource->size, false, upright,
                                         Vozad::AlphaForm::Straight));
    EXPECT_EQ(ReadTexture(GL_TEXTURE_2D, guiInfo.glTexture, 64 * 64 * 4), upright.pixels);

    // Starting again without a Shutdown would leave a second set of arrays behind.
    EXPECT_FALSE(m_Handler->Initialise());
    EXPECT_EQ(m_Handler->GetArrays().Count(), expectedSizes.size());
}

TEST_F(TextureGLTest, SceneImagesGoIntoTheSmallestArrayWhoseLayersHoldThem)
{
    InitialiseHandler();
    struct Case
    {
        int width;
        int height;
        int32_t array;
        uint32_t layer; // the 64 array's layer 0 holds the fallback
    };
    const Case cases[] = {{33, 20, 64, 1}, {32, 32, 32, 0}, {1, 64, 64, 2}, {31, 1, 32, 1}, {65, 2, 128, 0}};
    for (const Case& c : cases)
    {
        const std::string file = std::to_string(c.width) + "x" + std::to_string(c.height) + ".png";
        SCOPED_TRACE(file);
        const std::string path = WritePng(file, c.width, c.height, PatternTexels(c.width, c.height));
        const TextureInfo info = m_Handler->LoadTexture(path.c_str());
        EXPECT_EQ(info.textureKey, Fnv1a(path));
        EXPECT_EQ(info.glTexture, ArrayOfSize(c.array).texture->GetGLName());
        EXPECT_EQ(info.layer, c.layer);
        EXPECT_EQ(info.name.ToNarrow().Bytes(), path);
        EXPECT_EQ(info.width, c.width);
        EXPECT_EQ(info.height, c.height);
        EXPECT_FLOAT_EQ(info.widthRatio, static_cast<float>(c.array) / static_cast<float>(c.width));
        EXPECT_FLOAT_EQ(info.heightRatio, static_cast<float>(c.array) / static_cast<float>(c.height));
        EXPECT_FALSE(info.transparent);
    }
    EXPECT_EQ(Problems(m_Log), std::vector<std::string>());
}

TEST_F(TextureGLTest, LayerReadBackHoldsTheFlippedImageInItsCornerAndTheFillAroundIt)
{
    InitialiseHandler();
    std::vector<uint8_t> texels = PatternTexels(33, 20);
    texels[3] = 100;         // top-left texel (0, 0, 0) at alpha 100; premultiplied it stays black
    texels[4 * 5 + 3] = 128; // (5, 0, 5) at alpha 128 -> (2, 0, 2)
    const std::string path = WritePng("corner.png", 33, 20, texels);
    const TextureInfo info = m_Handler->LoadTexture(path.c_str());
    ASSERT_EQ(info.layer, 1u);
    EXPECT_TRUE(info.transparent);

    const uint32_t layers = ArrayOfSize(64).texture->GetAllocatedLayers();
    const std::vector<uint8_t> all =
        ReadTexture(GL_TEXTURE_2D_ARRAY, info.glTexture, static_cast<size_t>(64) * 64 * 4 * layers);
    std::vector<uint8_t> premultiplied = texels;
    premultiplied[4 * 5 + 0] = 5 * 128 / 255;
    premultiplied[4 * 5 + 2] = 5 * 128 / 255;
    EXPECT_TRUE(
        LayerHolds(all.data() + static_cast<size_t>(64) * 64 * 4 * info.layer, 64, premultiplied, 33, 20));

    // The fallback in layer 0 is untouched by the new layer: its texels are the decoded image's.
    Vozad::DecodedImage fallback;
    const Vozad::ImageResource* resource = Vozad::FindImageResource("TextureNotFound");
    ASSERT_TRUE(Vozad::DecodeImageMemory(resource->bytes, resource->size, true, fallback));
    EXPECT_TRUE(std::equal(fallback.pixels.begin(), fallback.pixels.end(), all.begin()));
}

TEST_F(TextureGLTest, ArrayStorageDoublesAsImagesArriveAndKeepsEveryLayer)
{
    InitialiseHandler();
    const OpenGLTexture& array = *ArrayOfSize(32).texture;
    const GLuint name = array.GetGLName();
    ASSERT_GE(array.GetTextureCapacity(), 9u);
    EXPECT_EQ(array.GetAllocatedLayers(), 0u);

    // Image i is i + 1 texels wide, so every layer differs from the others.
    const uint32_t allocatedAfter[] = {1, 2, 4, 4, 8, 8, 8, 8, 16};
    std::vector<std::vector<uint8_t>> images;
    for (uint32_t i = 0; i < std::size(allocatedAfter); ++i)
    {
        SCOPED_TRACE("image " + std::to_string(i));
        const int width = static_cast<int>(i) + 1;
        images.push_back(PatternTexels(width, 32));
        const std::string path = WritePng("grow" + std::to_string(i) + ".png", width, 32, images.back());
        const TextureInfo info = m_Handler->LoadTexture(path.c_str());
        EXPECT_EQ(info.glTexture, name);
        EXPECT_EQ(info.layer, i);
        EXPECT_EQ(array.GetTextureCount(), i + 1);
        EXPECT_EQ(array.GetAllocatedLayers(), allocatedAfter[i]);
        EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D_ARRAY, name, GL_TEXTURE_DEPTH),
                  static_cast<GLint>(allocatedAfter[i]));
    }

    // Every earlier layer came through the copies intact, and the name still draws them.
    const std::vector<uint8_t> all =
        ReadTexture(GL_TEXTURE_2D_ARRAY, name, static_cast<size_t>(32) * 32 * 4 * 16);
    for (uint32_t i = 0; i < images.size(); ++i)
        EXPECT_TRUE(LayerHolds(all.data() + static_cast<size_t>(32) * 32 * 4 * i, 32, images[i],
                               static_cast<int>(i) + 1, 32))
            << "layer " << i;
    EXPECT_TRUE(
        m_Handler->BindSceneTexture(m_Handler->GetSceneMap().at(m_Folder.File("grow0.png")).textureKey));
    m_Handler->UnbindSceneTexture();
    EXPECT_EQ(Problems(m_Log), std::vector<std::string>());
}

TEST_F(TextureGLTest, GrowthStopsAtTheCapacityWhichStillTurnsImagesAway)
{
    Lib::Ref<OpenGLTexture> array = OpenGLTexture::CreateArray(32, 3);
    ASSERT_TRUE(array);
    const std::vector<uint8_t> texels = PatternTexels(32, 32);
    TextureInfo info;
    for (uint32_t i = 0; i < 3; ++i)
        ASSERT_TRUE(array->AddImageLayer("layer" + std::to_string(i), 32, 32, texels.data(), info, k_NoKey));
    EXPECT_EQ(array->GetAllocatedLayers(), 3u); // doubling from 2 would pass the capacity
    EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D_ARRAY, array->GetGLName(), GL_TEXTURE_DEPTH), 3);
    EXPECT_EQ(Problems(m_Log), std::vector<std::string>());

    info.width = 99;
    EXPECT_FALSE(array->AddImageLayer("fourth", 32, 32, texels.data(), info, k_NoKey));
    EXPECT_EQ(info.width, 99);
    EXPECT_EQ(array->GetAllocatedLayers(), 3u);
    EXPECT_EQ(Problems(m_Log),
              (std::vector<std::string>{
                  "Error OpenGLTexture: Wrong dimensions or capacity reached!",
                  "Error OpenGLTexture: p_Width: 32 - m_Width: 32 - p_Height: 32 -m_Height: 32",
                  "Error OpenGLTexture: m_TextureCount: 3 - m_TextureCapacity: 3",
              }));

    // Layers larger than GL makes at all are refused when the array is made, not at the first image.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    m_Log.lines.clear();
    EXPECT_FALSE(OpenGLTexture::CreateArray(static_cast<uint32_t>(maxSize) * 2, 1));
    EXPECT_EQ(Problems(m_Log).size(), 1u);
}

TEST_F(TextureGLTest, ImageLargerThanEveryArrayGetsTheEmptyInfoAndNoFallback)
{
    InitialiseHandler();
    const std::string path = WritePng("wide.png", 5000, 10, PatternTexels(5000, 10));
    ExpectEmptyInfo(m_Handler->LoadTexture(path.c_str()));
    EXPECT_EQ(Problems(m_Log), std::vector<std::string>{
                                   "Error TextureHandler: Error creating texture, name: \"" + path + "\""});
    // The name stays filed with the empty record: no second attempt, no second message.
    m_Log.lines.clear();
    ExpectEmptyInfo(m_Handler->LoadTexture(path.c_str()));
    EXPECT_EQ(Problems(m_Log), std::vector<std::string>());
    EXPECT_EQ(m_Handler->GetSceneMap().count(path), 1u);
}

TEST_F(TextureGLTest, UndecodableFilesGetTheFallbackLayerWithAWarningEachTime)
{
    InitialiseHandler();
    TestSupport::WriteWholeFile(m_Folder.File("broken.png"), "not a png");
    for (const std::string& path : {m_Folder.File("missing.png"), m_Folder.File("broken.png"), std::string()})
    {
        SCOPED_TRACE(path);
        const std::string warning = "Warning TextureHandler: Could not load texture: '" + path +
                                    "'. Assigning the 'not found' texture.";
        for (int attempt = 0; attempt < 2; ++attempt)
        {
            m_Log.lines.clear();
            const TextureInfo info = m_Handler->LoadTexture(path.c_str());
            ExpectSameInfo(info, m_Handler->GetSceneMap().at("TextureNotFound"));
            EXPECT_EQ(info.textureKey, Fnv1a("TextureNotFound"));
            EXPECT_EQ(Problems(m_Log), std::vector<std::string>{warning});
        }
    }
}

TEST_F(TextureGLTest, LoadingANameTwiceReturnsTheSameInfoWithoutANewLayer)
{
    InitialiseHandler();
    const std::string path = WritePng("twice.png", 40, 40, PatternTexels(40, 40));
    const TextureInfo first = m_Handler->LoadTexture(path.c_str());
    const uint32_t count = ArrayOfSize(64).texture->GetTextureCount();
    ExpectSameInfo(m_Handler->LoadTexture(path.c_str()), first);
    EXPECT_EQ(ArrayOfSize(64).texture->GetTextureCount(), count);

    const Vozad::ImageResource& food = *Vozad::FindImageResource("food");
    const TextureInfo memory = m_Handler->LoadTextureFromMemory(food);
    EXPECT_EQ(memory.textureKey, Fnv1a("food"));
    EXPECT_EQ(memory.glTexture, ArrayOfSize(512).texture->GetGLName());
    EXPECT_EQ(memory.layer, 0u);
    EXPECT_EQ(memory.width, 512);
    ExpectSameInfo(m_Handler->LoadTextureFromMemory(food), memory);
    EXPECT_EQ(ArrayOfSize(512).texture->GetTextureCount(), 1u);
    EXPECT_EQ(Problems(m_Log), std::vector<std::string>());
}

// An image decoded ahead is taken from there, not decoded again, and lands in its layer exactly as
// one decoded here would; one the worker could not decode is decoded here and falls back as ever.
TEST_F(TextureGLTest, ImagesDecodedAheadAreTakenAndLandAsIfDecodedHere)
{
    InitialiseHandler();
    const Vozad::ImageResource& food = *Vozad::FindImageResource("food");
    const uint8_t garbage[] = {'n', 'o', 'p', 'e'};
    const Vozad::ImageResource broken = {garbage, "broken", sizeof(garbage), 16, 16};
    Vozad::ImageDecodeAhead ahead;
    ahead.Start({&food, &broken}, true);
    m_Handler->SetDecodeAhead(&ahead);

    const TextureInfo info = m_Handler->LoadTextureFromMemory(food);
    EXPECT_EQ(info.textureKey, Fnv1a("food"));
    Vozad::DecodedImage left;
    EXPECT_FALSE(ahead.Take(food, true, left)) << "the handler took the pixels";
    Vozad::DecodedImage expected;
    ASSERT_TRUE(Vozad::DecodeImageMemory(food.bytes, food.size, true, expected));
    const std::vector<uint8_t> layer =
        ReadTexture(GL_TEXTURE_2D_ARRAY, info.glTexture,
                    static_cast<size_t>(512) * 512 * 4 * ArrayOfSize(512).texture->GetAllocatedLayers());
    EXPECT_TRUE(std::equal(expected.pixels.begin(), expected.pixels.end(),
                           layer.begin() + static_cast<std::ptrdiff_t>(info.layer) * 512 * 512 * 4));

    ExpectSameInfo(m_Handler->LoadTextureFromMemory(broken), m_Handler->GetSceneMap().at("TextureNotFound"));
    EXPECT_EQ(
        Problems(m_Log),
        (std::vector<std::string>{
            "Warning TextureHandler: Could not load texture: 'broken'. Assigning the 'not found' texture."}));
    m_Handler->SetDecodeAhead(nullptr);
}

TEST_F(TextureGLTest, BadResourceRecordsAreRefusedOrFallBack)
{
    InitialiseHandler();
    const Vozad::ImageResource& food = *Vozad::FindImageResource("food");
    const Vozad::ImageResource noWidth = {food.bytes, "noWidth", food.size, 0, 512};
    ExpectEmptyInfo(m_Handler->LoadTextureFromMemory(noWidth));
    ExpectEmptyInfo(m_Handler->LoadUiTextureFromMemory(noWidth));

    const uint8_t garbage[] = {'n', 'o', 'p', 'e'};
    const Vozad::ImageResource broken = {garbage, "broken", sizeof(garbage), 16, 16};
    ExpectSameInfo(m_Handler->LoadTextureFromMemory(broken), m_Handler->GetSceneMap().at("TextureNotFound"));
    ExpectSameInfo(m_Handler->LoadUiTextureFromMemory(broken), m_Handler->GetGuiMap().at("TextureNotFound"));

    EXPECT_EQ(
        Problems(m_Log),
        (std::vector<std::string>{
            "Error TextureHandler: Failed to load texture: noWidth",
            "Error TextureHandler: Failed to load texture: noWidth",
            "Warning TextureHandler: Could not load texture: 'broken'. Assigning the 'not found' texture.",
            "Warning TextureHandler: Could not load texture: 'broken'. Assigning the 'not found' texture "
            "(UI).",
        }));
}

TEST_F(TextureGLTest, GuiImagesGetPlainTexturesOfTheirExactSize)
{
    InitialiseHandler();
    const std::vector<uint8_t> texels = PatternTexels(7, 5);
    const std::string path = WritePng("button.png", 7, 5, texels);
    const TextureInfo file = m_Handler->LoadUiTexture(path.c_str());
    EXPECT_EQ(file.textureKey, Fnv1a(path));
    EXPECT_EQ(file.layer, 1u);
    EXPECT_EQ(file.width, 7);
    EXPECT_EQ(file.height, 5);
    EXPECT_FLOAT_EQ(file.widthRatio, 1.0f);
    EXPECT_FLOAT_EQ(file.heightRatio, 1.0f);
    EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D, file.glTexture, GL_TEXTURE_WIDTH), 7);
    EXPECT_EQ(TexLevelParameter(GL_TEXTURE_2D, file.glTexture, GL_TEXTURE_HEIGHT), 5);
    // Files keep their row order, top row first, as the GUI draws them and as compiled-in GUI
    // images are kept (below).
    EXPECT_EQ(ReadTexture(GL_TEXTURE_2D, file.glTexture, 7 * 5 * 4), texels);
    ExpectSameInfo(m_Handler->LoadUiTexture(path.c_str()), file);

    // Compiled-in GUI images keep the file's row order, and their see-through edges keep their
    // straight colours.
    const Vozad::ImageResource& checkMark = *Vozad::FindImageResource("CheckMark");
    const TextureInfo memory = m_Handler->LoadUiTextureFromMemory(checkMark);
    EXPECT_EQ(memory.textureKey, Fnv1a("CheckMark"));
    EXPECT_TRUE(memory.transparent);
    Vozad::DecodedImage decoded;
    ASSERT_TRUE(Vozad::DecodeImageMemory(checkMark.bytes, checkMark.size, false, decoded,
                                         Vozad::AlphaForm::Straight));
    EXPECT_EQ(ReadTexture(GL_TEXTURE_2D, memory.glTexture, 16 * 16 * 4), decoded.pixels);

    // A Blob is flipped (a capture holds its rows in GL's order), and the handler lets go of the
    // reference it was given.
    const std::vector<uint8_t> png = EncodePng(7, 5, texels);
    Lib::Ref<Lib::Blob> blob = Lib::MakeRef<Lib::Blob>(png.data(), png.size());
    const Lib::Ref<Lib::Blob> observer = blob;
    const TextureInfo fromBlob = m_Handler->LoadUiTextureFromBlob("capture", std::move(blob));
    EXPECT_EQ(observer->ReferenceCount(), 1);
    EXPECT_EQ(fromBlob.textureKey, Fnv1a("capture"));
    const std::vector<uint8_t> blobTexels = ReadTexture(GL_TEXTURE_2D, fromBlob.glTexture, 7 * 5 * 4);
    for (int y = 0; y < 5; ++y)
        EXPECT_TRUE(std::equal(blobTexels.begin() + y * 28, blobTexels.begin() + y * 28 + 28,
                               texels.begin() + (4 - y) * 28))
            << "row " << y;

    EXPECT_EQ(m_Handler->GetGuiTextures().Count(), 4u);
    EXPECT_EQ(Problems(m_Log), std::vector<std::string>());
}

TEST_F(TextureGLTest, GuiFailuresFallBackOrReturnTheEmptyInfo)
{
    InitialiseHandler();
    const TextureInfo fallback = m_Handler->GetGuiMap().at("TextureNotFound");
    const std::string missing = m_Folder.File("missing.png");
    ExpectSameInfo(m_Handler->LoadUiTexture(missing.c_str()), fallback);
    const uint8_t garbage[] = {'n', 'o', 'p', 'e'};
    ExpectSameInfo(
        m_Handler->LoadUiTextureFromBlob("garbage", Lib::MakeRef<Lib::Blob>(garbage, sizeof(garbage))),
        fallback);
    ExpectSameInfo(m_Handler->LoadUiTextureFromBlob("nothing", Lib::Ref<Lib::Blob>()), fallback);
    EXPECT_EQ(Problems(m_Log), (std::vector<std::string>{
                                   "Warning TextureHandler: Could not load texture: '" + missing +
                                       "'. Assigning the 'not found' texture.",
                                   "Warning TextureHandler: Could not load texture: 'garbage'. Assigning the "
                                   "'not found' texture (UI).",
                                   "Warning TextureHandler: Could not load texture: 'nothing'. Assigning the "
                                   "'not found' texture (UI).",
                               }));

    // Wider than GL allows a texture to be: decodes, but GL refuses the storage.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const std::string wide = WritePng("wide.png", maxSize + 1, 1, PatternTexels(maxSize + 1, 1));
    m_Log.lines.clear();
    ExpectEmptyInfo(m_Handler->LoadUiTexture(wide.c_str()));
    const std::vector<std::string> problems = Problems(m_Log);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems.back(), "Error TextureHandler: Failed to create the texture (GUI): " + wide);
    EXPECT_EQ(m_Handler->GetGuiTextures().Count(), 1u);
}

TEST_F(TextureGLTest, FullOrTooSmallArrayTurnsTheImageAwayWithThreeErrorLines)
{
    Lib::Ref<OpenGLTexture> array = OpenGLTexture::CreateArray(32, 1);
    ASSERT_TRUE(array);
    const std::vector<uint8_t> texels = PatternTexels(33, 32);
    TextureInfo info;
    info.width = 99; // left alone on rejection

    EXPECT_FALSE(array->AddImageLayer("big", 33, 32, texels.data(), info, k_NoKey));
    EXPECT_TRUE(array->AddImageLayer("first", 32, 32, texels.data(), info, 7));
    EXPECT_EQ(info.textureKey, 7u); // a given key is kept
    EXPECT_EQ(info.layer, 0u);
    info.width = 99;
    EXPECT_FALSE(array->AddImageLayer("second", 8, 8, texels.data(), info, k_NoKey));
    EXPECT_EQ(info.width, 99);
    EXPECT_EQ(array->GetTextureCount(), 1u);

    Lib::Ref<OpenGLTexture> plain = OpenGLTexture::CreatePlain(16, 11);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->SetImage("tall", 16, 12, texels.data(), info, k_NoKey));
    EXPECT_EQ(info.width, 99);

    EXPECT_EQ(Problems(m_Log),
              (std::vector<std::string>{
                  "Error OpenGLTexture: Wrong dimensions or capacity reached!",
                  "Error OpenGLTexture: p_Width: 33 - m_Width: 32 - p_Height: 32 -m_Height: 32",
                  "Error OpenGLTexture: m_TextureCount: 0 - m_TextureCapacity: 1",
                  "Error OpenGLTexture: Wrong dimensions or capacity reached!",
                  "Error OpenGLTexture: p_Width: 8 - m_Width: 32 - p_Height: 8 -m_Height: 32",
                  "Error OpenGLTexture: m_TextureCount: 1 - m_TextureCapacity: 1",
                  "Error OpenGLTexture: Wrong dimensions or capacity reached!",
                  "Error OpenGLTexture: p_Width: 16 - m_Width: 16 - p_Height: 12 -m_Height: 11",
                  "Error OpenGLTexture: m_TextureCount: 1 - m_TextureCapacity: 1",
              }));

    // The last reference deletes the GL object.
    const GLuint name = array->GetGLName();
    EXPECT_TRUE(glIsTexture(name));
    array.Reset();
    EXPECT_FALSE(glIsTexture(name));
}

#ifndef NDEBUG
// Debug builds check every GL call of the back end, not only the renderer's: GL refuses to bind a
// name deleted behind the texture's back, and the report names the call and where it is made.
TEST_F(TextureGLTest, AGLErrorIsReportedWithTheCallAndItsPlace)
{
    Lib::Ref<OpenGLTexture> array = OpenGLTexture::CreateArray(32, 1);
    ASSERT_TRUE(array);
    const GLuint name = array->GetGLName();
    glDeleteTextures(1, &name);
    m_Log.lines.clear();

    array->Bind(0);
    const std::vector<std::string> problems = Problems(m_Log);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rfind("Error GL_CHECK: glBindTexture(Target(), m_GLName) failed with "
                                "GL_INVALID_OPERATION (0x0502) at ",
                                0),
              0u)
        << problems[0];
    EXPECT_NE(problems[0].find("OpenGLTexture.cpp:"), std::string::npos) << problems[0];
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "the check takes the error it reports";
    array->Unbind();
}
#endif

TEST_F(TextureGLTest, BindSceneTextureBindsTheArrayOfTheKeyToUnitZero)
{
    InitialiseHandler();
    const std::string path = WritePng("sprite.png", 33, 20, PatternTexels(33, 20));
    const TextureInfo info = m_Handler->LoadTexture(path.c_str());
    m_Handler->LoadTexture(WritePng("huge.png", 5000, 10, PatternTexels(5000, 10)).c_str()); // files key -1

    glActiveTexture(GL_TEXTURE3);
    ASSERT_TRUE(m_Handler->BindSceneTexture(info.textureKey));
    GLint active = 0, bound = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D_ARRAY, &bound);
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(static_cast<GLuint>(bound), ArrayOfSize(64).texture->GetGLName());
    EXPECT_TRUE(ArrayOfSize(64).texture->IsBound());

    m_Handler->UnbindSceneTexture();
    glGetIntegerv(GL_TEXTURE_BINDING_2D_ARRAY, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_FALSE(ArrayOfSize(64).texture->IsBound());

    EXPECT_FALSE(m_Handler->BindSceneTexture(k_NoKey)); // untextured quads
    EXPECT_FALSE(m_Handler->BindSceneTexture(Fnv1a("never loaded")));
    glGetIntegerv(GL_TEXTURE_BINDING_2D_ARRAY, &bound);
    EXPECT_EQ(bound, 0);
}

TEST_F(TextureGLTest, ShutdownDeletesEveryTextureAndForgetsEveryName)
{
    InitialiseHandler();
    const TextureInfo scene = m_Handler->LoadTexture(WritePng("a.png", 8, 8, PatternTexels(8, 8)).c_str());
    const TextureInfo gui = m_Handler->GetGuiMap().at("TextureNotFound");
    ASSERT_TRUE(glIsTexture(scene.glTexture));
    ASSERT_TRUE(glIsTexture(gui.glTexture));

    m_Handler->Shutdown();
    EXPECT_FALSE(glIsTexture(scene.glTexture));
    EXPECT_FALSE(glIsTexture(gui.glTexture));
    EXPECT_EQ(m_Handler->GetArrays().Count(), 0u);
    EXPECT_EQ(m_Handler->GetGuiTextures().Count(), 0u);
    EXPECT_TRUE(m_Handler->GetSceneMap().empty());
    EXPECT_TRUE(m_Handler->GetGuiMap().empty());

    EXPECT_TRUE(m_Handler->Initialise());
    EXPECT_EQ(m_Handler->GetSceneMap().count("TextureNotFound"), 1u);
}

TEST(TextureHandlerWithoutGLTest, OtherApisMakeNoTexturesAndFailToStart)
{
    TestSupport::TempFolder folder;
    TestSupport::LogFileRedirect logFile{folder.File("gamelog.txt")};
    TestSupport::CapturingForwarder log;
    TextureHandler handler(Vozad::k_GraphicsApiVulkan);
    EXPECT_FALSE(handler.Initialise());
    EXPECT_EQ(Problems(log),
              std::vector<std::string>{"Error TextureHandler: Failed to create the fallback texture "
                                       "object (UI): TextureNotFound"});
    ASSERT_EQ(handler.GetArrays().Count(), 8u);
    for (const TextureHandler::ArrayEntry& entry : handler.GetArrays())
        EXPECT_FALSE(entry.texture);
    ExpectEmptyInfo(handler.GetSceneMap().at("TextureNotFound"));
}
} // namespace

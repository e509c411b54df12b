// Shaders built for real on Mesa's driver: the built-in texts, the handler's loading rules, the
// messages of broken shaders and of missing names (the test run provides the Xvfb).
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/Fnv1a.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Renderer/OpenGL/OpenGLShader.h"
#include "Corvan/Renderer/ShaderHandler.h"
#include "Lib/Log.h"
#include "Lib/String.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"
#include "Support/WindowPixels.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using Vozad::BuiltInShader;
using Vozad::ShaderHandler;
using Vozad::ShaderInfo;

namespace
{
constexpr int k_Width = 64;
constexpr int k_Height = 64;
constexpr uint64_t k_NoKey = ~0ull;
// An output whose location the text leaves to the linker: it only has to exist.
constexpr int32_t k_AnyLocation = -2;

struct Attribute
{
    const char* name;
    int32_t location;
};

struct BuiltInCase
{
    BuiltInShader shader;
    const char* name;
    // Only attributes the shader's formulas read: GL reports unread ones as missing.
    std::vector<Attribute> attributes;
    std::vector<const char*> uniforms;
    std::vector<Attribute> outputs;
};

const std::vector<Attribute> k_SpriteAttributes = {
    {"a_InVertexPosition", 0},     {"a_InUVCoordinates", 1},
    {"a_InTextureShift", 2},       {"a_InTextureScale", 3},
    {"a_InSubTexturePosition", 4}, {"a_InSubTextureSize", 5},
    {"a_InTextureArrayIndex", 6},  {"a_TextureDimensions", 7},
    {"a_InFrameBufferID", 8},      {"a_Visible", 9},
    {"a_DrawBorder", 10},          {"a_ModelMatrix", 11},
};

const std::vector<BuiltInCase> k_BuiltIns = {
    {BuiltInShader::BatchedFontShader,
     "BatchedFontShader",
     {{"a_InVertexPosition", 0},
      {"a_InUVCoordinates", 1},
      {"a_InTextureArrayIndex", 2},
      {"a_TextureDimensions", 3},
      {"a_InColor", 4},
      {"a_ModelMatrix", 6}},
     {"u_ProjectionMatrix", "u_Texture"},
     {}},
    {BuiltInShader::BatchedColorSpriteShader,
     "BatchedColorSpriteShader",
     {{"a_InVertexPosition", 0}, {"a_InColor", 2}, {"a_Visible", 3}, {"a_ModelMatrix", 4}},
     {"u_ProjectionViewMatrix"},
     {}},
    {BuiltInShader::BatchedTextureSpriteShader,
     "BatchedTextureSpriteShader",
     k_SpriteAttributes,
     {"u_ProjectionViewMatrix", "u_Texture", "u_UseFrameBuffer"},
     {}},
    {BuiltInShader::BatchedTextureSpriteShader_WB,
     "BatchedTextureSpriteShader_WB",
     k_SpriteAttributes,
     {"u_ProjectionViewMatrix", "u_Texture", "u_UseFrameBuffer", "u_IsOpaquePass"},
     {{"AccumTexture", 0}, {"RevealTexture", 1}}},
    {BuiltInShader::BatchedTextureSpriteShader_DP,
     "BatchedTextureSpriteShader_DP",
     k_SpriteAttributes,
     {"u_ProjectionViewMatrix", "u_Texture", "u_UseFrameBuffer", "u_IsOpaquePass", "u_FirstPeel", "prevDepth",
      "width", "height"},
     {{"fragColour", k_AnyLocation}}},
    {BuiltInShader::OverlapShader,
     " OverlapShader",
     {{"aPos", 0}, {"a_ModelMatrix", 2}},
     {"u_ProjectionViewMatrix"},
     {{"fragAccum", k_AnyLocation}}},
    {BuiltInShader::NonBatchedColorSpriteShader,
     "NonBatchedColorSpriteShader",
     {{"a_InVertexPosition", 0}},
     {"u_ProjectionMatrix", "u_Colour"},
     {{"out_Colour", k_AnyLocation}}},
    {BuiltInShader::NonBatchedTextureSpriteShader,
     "NonBatchedTextureSpriteShader",
     {{"a_InVertexPosition", 0}, {"a_InUVCoordinates", 1}},
     {"u_ProjectionViewMatrix", "u_Texture", "u_TextureIndex", "u_TextureDimensions"},
     {}},
    {BuiltInShader::CompositeShader,
     "compositeShader",
     {{"aPos", 0}, {"aTexCoord", 1}},
     {"uAccumTex", "uRevealTex"},
     {}},
    {BuiltInShader::ScreenShader,
     "ScreenShader",
     {{"aPos", 0}, {"aTexCoord", 1}},
     {"uTexture"},
     {{"v_FragColor", k_AnyLocation}}},
};

Lib::String TextOf(BuiltInShader p_Shader)
{
    return Lib::String(Vozad::BuiltInShaderText(p_Shader));
}

// Level and message of every captured line of one component.
std::vector<std::pair<std::string, std::string>> LinesOf(const TestSupport::CapturingForwarder& p_Log,
                                                         const std::string& p_Tag)
{
    std::vector<std::pair<std::string, std::string>> result;
    const std::vector<std::string> messages = p_Log.Messages();
    for (size_t i = 0; i < p_Log.lines.size(); ++i)
    {
        const std::string& line = p_Log.lines[i];
        const size_t tagStart = line.find("| ", line.find("| TID:") + 6) + 2;
        const size_t tagEnd = line.find(": ", tagStart);
        std::string tag = line.substr(tagStart, tagEnd - tagStart);
        tag.erase(0, tag.find_first_not_of(' '));
        if (tag != p_Tag)
            continue;
        const size_t levelStart = line.find("] ") + 2;
        std::string level = line.substr(levelStart, line.find(" |") - levelStart);
        level.erase(level.find_last_not_of(' ') + 1);
        result.emplace_back(level, messages[i]);
    }
    return result;
}

class ShaderHandlerGLTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_GL.Open(k_Width, k_Height, "Shader test")) << SDL_GetError();
        m_Log.lines.clear();
    }

    void TearDown() override
    {
        // Programs are deleted while their context still exists.
        m_Handler.Clear();
        m_GL.Close();
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    TestSupport::CapturingForwarder m_Log;
    TestSupport::GLWindow m_GL;
    ShaderHandler m_Handler;
};

TEST_F(ShaderHandlerGLTest, EveryBuiltInShaderLinksWithItsLocations)
{
    using FragDataLocation = GLint (*)(GLuint, const GLchar*);
    const auto fragDataLocation =
        reinterpret_cast<FragDataLocation>(SDL_GL_GetProcAddress("glGetFragDataLocation"));
    ASSERT_NE(fragDataLocation, nullptr);

    for (const BuiltInCase& test : k_BuiltIns)
    {
        SCOPED_TRACE(test.name);
        const ShaderInfo info = m_Handler.LoadShader(TextOf(test.shader));
        ASSERT_NE(info.program, 0u);
        EXPECT_TRUE(glIsProgram(info.program));
        EXPECT_EQ(info.name, Lib::String(test.name));
        EXPECT_EQ(info.shaderKey, Vozad::Fnv1a64(test.name));

        const Vozad::IShader& shader = m_Handler.GetShaderByGroupName(test.name);
        EXPECT_EQ(shader.GetProgram(), info.program);
        for (const Attribute& attribute : test.attributes)
            EXPECT_EQ(shader.GetAttributeLocation(attribute.name), attribute.location) << attribute.name;
        for (const char* uniform : test.uniforms)
            EXPECT_TRUE(shader.HasUniform(uniform)) << uniform;
        for (const Attribute& output : test.outputs)
        {
            const GLint location = fragDataLocation(info.program, output.name);
            if (output.location == k_AnyLocation)
                EXPECT_GE(location, 0) << output.name;
            else
                EXPECT_EQ(location, output.location) << output.name;
        }
    }
    EXPECT_EQ(m_Handler.GetShaderCount(), k_BuiltIns.size());
    // Nothing missing, nothing failed: no Warning and no Error.
    EXPECT_TRUE(LinesOf(m_Log, "OpenGLShader").empty());
    EXPECT_TRUE(LinesOf(m_Log, "ShaderHandler").empty());
}

TEST_F(ShaderHandlerGLTest, EngineShadersFillTheTableInRowOrder)
{
    ASSERT_TRUE(m_Handler.LoadEngineShaders());

    const char* const names[] = {"BatchedFontShader",
                                 "BatchedColorSpriteShader",
                                 "BatchedTextureSpriteShader",
                                 "BatchedTextureSpriteShader_WB",
                                 "BatchedTextureSpriteShader_DP",
                                 " OverlapShader",
                                 "NonBatchedColorSpriteShader",
                                 "NonBatchedTextureSpriteShader"};
    std::vector<std::pair<std::string, std::string>> expectedLines;
    for (uint32_t row = 0; row < Vozad::k_EngineShaderCount; ++row)
    {
        SCOPED_TRACE(names[row]);
        const ShaderInfo& info = m_Handler.GetEngineShaderTable()[row];
        EXPECT_EQ(info.name, Lib::String(names[row]));
        EXPECT_EQ(info.shaderKey, Vozad::Fnv1a64(names[row]));
        EXPECT_EQ(m_Handler.GetEngineShader(row).GetProgram(), info.program);
        EXPECT_EQ(m_Handler.GetShaderBySlot(info.program)->GetName(), Lib::String(names[row]));
        expectedLines.emplace_back("Info", std::string("Default shader loaded: ") + names[row]);
    }
    EXPECT_EQ(LinesOf(m_Log, "ShaderHandler"), expectedLines);

    // Behind the table, the plain variant of the textured-sprite row, and of that row alone.
    EXPECT_EQ(m_Handler.GetShaderCount(), Vozad::k_EngineShaderCount + 1);
    const uint32_t spriteRow = Vozad::EngineShaderRow(BuiltInShader::BatchedTextureSpriteShader);
    const Vozad::IShader* plain = m_Handler.GetPlainVariant(m_Handler.GetEngineShader(spriteRow));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetName(), Lib::String("BatchedTextureSpriteShader_Plain"));
    EXPECT_NE(plain->GetProgram(), m_Handler.GetEngineShader(spriteRow).GetProgram());
    for (const char* attribute : {"a_InVertexPosition", "a_InUVCoordinates", "a_InTextureArrayIndex",
                                  "a_TextureDimensions", "a_ModelMatrix", "a_Visible"})
        EXPECT_EQ(plain->GetAttributeLocation(attribute),
                  m_Handler.GetEngineShader(spriteRow).GetAttributeLocation(attribute))
            << attribute;
    EXPECT_EQ(plain->GetAttributeLocation("a_DrawBorder"), -1) << "the variant draws no border";
    for (uint32_t row = 0; row < Vozad::k_EngineShaderCount; ++row)
    {
        if (row != spriteRow)
        {
            EXPECT_EQ(m_Handler.GetPlainVariant(m_Handler.GetEngineShader(row)), nullptr) << "row " << row;
        }
    }
    EXPECT_EQ(m_Handler.GetPlainVariant(*plain), nullptr);

    m_Handler.Clear();
    EXPECT_EQ(m_Handler.GetShaderCount(), 0u);
    EXPECT_EQ(
        m_Handler.GetEngineShaderTable()[Vozad::EngineShaderRow(BuiltInShader::BatchedTextureSpriteShader)]
            .shaderKey,
        k_NoKey);
    EXPECT_EQ(
        m_Handler.GetEngineShaderTable()[Vozad::EngineShaderRow(BuiltInShader::BatchedTextureSpriteShader)]
            .program,
        0u);
}

TEST_F(ShaderHandlerGLTest, ThePlainVariantLacksWhatItLeavesOutWithoutAWarning)
{
    ASSERT_TRUE(m_Handler.LoadEngineShaders());
    const Vozad::IShader& sprite =
        m_Handler.GetEngineShader(Vozad::EngineShaderRow(BuiltInShader::BatchedTextureSpriteShader));
    const Vozad::IShader* plain = m_Handler.GetPlainVariant(sprite);
    ASSERT_NE(plain, nullptr);

    // What the scene asks every sprite shader it attaches a batch to and draws with.
    for (const Attribute& attribute : k_SpriteAttributes)
        (void)plain->GetAttributeLocation(attribute.name);
    for (const char* uniform : {"u_UseFrameBuffer", "u_ProjectionViewMatrix", "u_Texture"})
        (void)plain->HasUniform(uniform);
    const auto warnings = [&]
    {
        std::vector<std::string> found;
        for (const auto& [level, message] : LinesOf(m_Log, "OpenGLShader"))
            if (level == "Warning")
                found.push_back(message);
        return found;
    };
    EXPECT_EQ(warnings(), std::vector<std::string>()) << "loading and asking the engine shaders";

    // The list is exact: the row has each name, the variant has none of them.
    ASSERT_FALSE(Vozad::PlainSpritesLeftOut().empty());
    for (const std::string_view left : Vozad::PlainSpritesLeftOut())
    {
        const std::string name(left);
        EXPECT_TRUE(glGetAttribLocation(sprite.GetProgram(), name.c_str()) >= 0 ||
                    glGetUniformLocation(sprite.GetProgram(), name.c_str()) >= 0)
            << name << " is in the full shader";
        EXPECT_EQ(glGetAttribLocation(plain->GetProgram(), name.c_str()), -1) << name;
        EXPECT_EQ(glGetUniformLocation(plain->GetProgram(), name.c_str()), -1) << name;
    }

    // A name the variant lacks by accident still says so, and the full shader keeps its Warnings.
    EXPECT_EQ(plain->GetAttributeLocation("a_InColor"), -1);
    EXPECT_FALSE(plain->HasUniform("u_Colour"));
    EXPECT_FALSE(sprite.HasUniform("u_Colour"));
    const std::vector<std::string> expected = {
        "Warning: attribute 'a_InColor' doesn't exist in shader \"BatchedTextureSpriteShader_Plain\"!",
        "Warning: uniform 'u_Colour' doesn't exist in shader \"BatchedTextureSpriteShader_Plain\"!",
        "Warning: uniform 'u_Colour' doesn't exist in shader \"BatchedTextureSpriteShader\"!",
    };
    EXPECT_EQ(warnings(), expected);
}

TEST_F(ShaderHandlerGLTest, EachSourceIsCompiledOnce)
{
    const ShaderInfo first = m_Handler.LoadShader(TextOf(BuiltInShader::BatchedTextureSpriteShader));
    ASSERT_NE(first.program, 0u);

    // Again by its text, by its plain name: the same program, nothing compiled.
    for (const Lib::String& source :
         {TextOf(BuiltInShader::BatchedTextureSpriteShader), Lib::String("BatchedTextureSpriteShader")})
    {
        const ShaderInfo again = m_Handler.LoadShader(source);
        EXPECT_EQ(again.program, first.program);
        EXPECT_EQ(again.shaderKey, first.shaderKey);
        EXPECT_EQ(again.name, first.name);
    }
    EXPECT_EQ(m_Handler.GetShaderCount(), 1u);

    // OverlapShader's text carries "OverlapShader" but is stored as " OverlapShader": a second load
    // compiles again, and the name keeps leading to the first program.
    const ShaderInfo overlap = m_Handler.LoadShader(TextOf(BuiltInShader::OverlapShader));
    const ShaderInfo overlapAgain = m_Handler.LoadShader(TextOf(BuiltInShader::OverlapShader));
    ASSERT_NE(overlap.program, 0u);
    ASSERT_NE(overlapAgain.program, 0u);
    EXPECT_NE(overlapAgain.program, overlap.program);
    EXPECT_EQ(m_Handler.GetShaderCount(), 3u);
    EXPECT_EQ(m_Handler.LoadShader(" OverlapShader").program, overlap.program);
    EXPECT_EQ(m_Handler.GetShaderByGroupName(" OverlapShader").GetProgram(), overlap.program);
    EXPECT_EQ(m_Handler.GetShaderBySlot(overlapAgain.program)->GetProgram(), overlapAgain.program);

    // The empty source loads nothing.
    const ShaderInfo empty = m_Handler.LoadShader(Lib::String());
    EXPECT_EQ(empty.shaderKey, k_NoKey);
    EXPECT_EQ(empty.program, 0u);
    EXPECT_TRUE(LinesOf(m_Log, "ShaderHandler").empty());
}

TEST_F(ShaderHandlerGLTest, NamelessTextsAreNotMistakenForEachOther)
{
    const char* red =
        "\n#type vertex\n#version 400 core\nvoid main() { gl_Position = vec4(0.0); }\n"
        "#type fragment\n#version 400 core\nout vec4 c;\nvoid main() { c = vec4(1.0, 0.0, 0.0, 1.0); }\n";
    const char* green =
        "\n#type vertex\n#version 400 core\nvoid main() { gl_Position = vec4(0.0); }\n"
        "#type fragment\n#version 400 core\nout vec4 c;\nvoid main() { c = vec4(0.0, 1.0, 0.0, 1.0); }\n";
    const ShaderInfo first = m_Handler.LoadShader(red);
    const ShaderInfo second = m_Handler.LoadShader(green);
    ASSERT_NE(first.program, 0u);
    ASSERT_NE(second.program, 0u);
    EXPECT_NE(second.program, first.program);
}

TEST_F(ShaderHandlerGLTest, MissingNamesAreReportedOncePerShader)
{
    const ShaderInfo colour = m_Handler.LoadShader(TextOf(BuiltInShader::BatchedColorSpriteShader));
    ASSERT_NE(colour.program, 0u);
    Lib::Ref<Vozad::IShader> shader = m_Handler.GetShaderBySlot(colour.program);
    shader->Bind();
    EXPECT_TRUE(shader->IsBound());

    EXPECT_FALSE(shader->HasUniform("u_UseFrameBuffer"));
    EXPECT_FALSE(shader->HasUniform("u_UseFrameBuffer"));
    shader->SetUniform1ui("u_UseFrameBuffer", 1);
    EXPECT_EQ(shader->GetAttributeLocation("a_InTextureShift"), -1);
    EXPECT_EQ(shader->GetAttributeLocation("a_InTextureShift"), -1);
    EXPECT_EQ(shader->GetAttributeLocation("a_InColor"), 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Another shader has its own record of what it was asked.
    Vozad::OpenGLShader other(TextOf(BuiltInShader::NonBatchedColorSpriteShader));
    ShaderInfo otherInfo;
    ASSERT_TRUE(other.Load(otherInfo));
    EXPECT_FALSE(other.HasUniform("u_UseFrameBuffer"));

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Warning",
         "Warning: uniform 'u_UseFrameBuffer' doesn't exist in shader \"BatchedColorSpriteShader\"!"},
        {"Warning",
         "Warning: attribute 'a_InTextureShift' doesn't exist in shader \"BatchedColorSpriteShader\"!"},
        {"Warning",
         "Warning: uniform 'u_UseFrameBuffer' doesn't exist in shader \"NonBatchedColorSpriteShader\"!"},
    };
    EXPECT_EQ(LinesOf(m_Log, "OpenGLShader"), expected);

    shader->Unbind();
    EXPECT_FALSE(shader->IsBound());
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
}

struct BrokenCase
{
    const char* title;
    std::string source;
    std::vector<std::string> messages; // "*" at the end: only the start must match
};

TEST_F(ShaderHandlerGLTest, BrokenShadersSayWhyTheyFailed)
{
    const std::string vertex = "#type vertex\n#version 400 core\nvoid main() { gl_Position = vec4(0.0); }\n";
    const std::string fragment =
        "#type fragment\n#version 400 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";
    const std::vector<BrokenCase> cases = {
        {"vertex stage does not compile",
         "\n#shadername BadVertex\n#type vertex\n#version 400 core\nvoid main() { gl_Position = nonsense; "
         "}\n" +
             fragment,
         {"Failed to compile vertex shader!", "OpenGL error message:\n*"}},
        {"fragment stage does not compile",
         "\n#shadername BadFragment\n" + vertex +
             "#type fragment\n#version 400 core\nvoid main() { broken }\n",
         {"Failed to compile fragment shader!", "OpenGL error message:\n*"}},
        {"stages do not link",
         "\n#shadername BadLink\n" + vertex +
             // Declared, called, never defined: each stage compiles, only the link sees the gap.
             "#type fragment\n#version 400 core\nvec4 Defined();\nout vec4 c;\n"
             "void main() { c = Defined(); }\n",
         {"Failed to compile program", "OpenGL error message:\n*"}},
        {"fragment stage only", "\n#shadername HalfShader\n" + fragment, {}},
        {"one line",
         "#shadername OneLine #type vertex",
         {"Shader \"#shadername OneLine #type vertex\" does not contain any text, from file: true"}},
        {"a name line without a name",
         "#shadername\n" + vertex + fragment,
         {"Shader \"#shadername\n" + vertex + fragment + "\" has a #shadername line without a name"}},
    };

    for (const BrokenCase& test : cases)
    {
        SCOPED_TRACE(test.title);
        m_Log.lines.clear();
        const ShaderInfo info = m_Handler.LoadShader(Lib::String(std::string_view(test.source)));
        EXPECT_EQ(info.shaderKey, k_NoKey);
        EXPECT_EQ(info.program, 0u);
        EXPECT_EQ(m_Handler.GetShaderCount(), 0u);

        std::vector<std::string> expected = test.messages;
        expected.push_back("Could not load shader from string: \"" + test.source + "\"");
        const auto lines = LinesOf(m_Log, "OpenGLShader");
        ASSERT_EQ(lines.size(), expected.size());
        for (size_t i = 0; i < lines.size(); ++i)
        {
            EXPECT_EQ(lines[i].first, "Error");
            const std::string& want = expected[i];
            if (!want.empty() && want.back() == '*')
            {
                const std::string start = want.substr(0, want.size() - 1);
                EXPECT_EQ(lines[i].second.substr(0, start.size()), start);
                EXPECT_GT(lines[i].second.size(), start.size()) << "the GL info log is missing";
            }
            else
            {
                EXPECT_EQ(lines[i].second, want);
            }
        }
        const std::vector<std::pair<std::string, std::string>> handlerLines = {
            {"Error", "Unable to create the shader, shader name: " + test.source}};
        EXPECT_EQ(LinesOf(m_Log, "ShaderHandler"), handlerLines);
    }
}

TEST_F(ShaderHandlerGLTest, AFileIsNamedAfterItsFileName)
{
    const std::string text = Vozad::BuiltInShaderText(BuiltInShader::ScreenShader).data();
    const std::string path = m_Folder.File("Screen.glsl");
    TestSupport::WriteWholeFile(path, text);

    const ShaderInfo info = m_Handler.LoadShader(Lib::String(path.c_str()));
    ASSERT_NE(info.program, 0u);
    EXPECT_EQ(info.name, Lib::String("Screen.glsl"));
    EXPECT_EQ(info.shaderKey, Vozad::Fnv1a64("Screen.glsl"));
    EXPECT_TRUE(m_Handler.GetShaderBySlot(info.program)->GetName() == Lib::String("Screen.glsl"));

    // Found again by its path and by its name, without a second program.
    EXPECT_EQ(m_Handler.LoadShader(Lib::String(path.c_str())).program, info.program);
    EXPECT_EQ(m_Handler.LoadShader("Screen.glsl").program, info.program);
    EXPECT_EQ(m_Handler.GetShaderCount(), 1u);

    // A broken file names the file; a folder is no file, so its path is taken as a text.
    const std::string broken = m_Folder.File("Broken.glsl");
    TestSupport::WriteWholeFile(broken,
                                "\n#shadername Broken\n#type fragment\n#version 400 core\nvoid main() {}\n");
    m_Log.lines.clear();
    EXPECT_EQ(m_Handler.LoadShader(Lib::String(broken.c_str())).shaderKey, k_NoKey);
    const std::string folder = m_Folder.Path().string();
    EXPECT_EQ(m_Handler.LoadShader(Lib::String(folder.c_str())).shaderKey, k_NoKey);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Error", "Could not load shader from file: \"" + broken + "\""},
        {"Error", "Shader \"" + folder + "\" does not contain any text, from file: true"},
        {"Error", "Could not load shader from string: \"" + folder + "\""},
    };
    EXPECT_EQ(LinesOf(m_Log, "OpenGLShader"), expected);
}

TEST_F(ShaderHandlerGLTest, NoShadersOutsideOpenGL)
{
    ShaderHandler vulkan(Vozad::k_GraphicsApiVulkan);
    const std::string source(Vozad::BuiltInShaderText(BuiltInShader::ScreenShader));
    EXPECT_EQ(vulkan.LoadShader(Lib::String(std::string_view(source))).shaderKey, k_NoKey);
    EXPECT_EQ(vulkan.GetShaderCount(), 0u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Error", "Unable to create the shader, shader name: " + source}};
    EXPECT_EQ(LinesOf(m_Log, "ShaderHandler"), expected);
}

// One textured sprite instance as the scene's per-instance buffers hold it, interleaved here.
struct SpriteVertexInstance
{
    float shift[2];
    float scale[2];
    int32_t subPosition[2];
    int32_t subSize[2];
    float layer;
    float dimensions[2];
    uint32_t id;
    float visible;
    float border;
    float model[16];
};

struct SpritePixelCase
{
    const char* title;
    uint32_t useFrameBuffer;
    float border;
    float visible;
    int32_t x, y; // read-back pixel, origin bottom-left
    uint8_t expected[4];
};

TEST_F(ShaderHandlerGLTest, TextureSpriteShaderDrawsSubImageBorderAndSelectionColour)
{
    const ShaderInfo info = m_Handler.LoadShader(TextOf(BuiltInShader::BatchedTextureSpriteShader));
    ASSERT_NE(info.program, 0u);
    Lib::Ref<Vozad::IShader> shader = m_Handler.GetShaderBySlot(info.program);

    // A 2 x 2 image in a 4 x 4 layer. Row 0 of the upload is the image's bottom row, so the image's
    // top-right pixel is texel (1, 1); only that one is green.
    const uint8_t red[4] = {255, 0, 0, 255};
    const uint8_t green[4] = {0, 255, 0, 255};
    std::vector<uint8_t> texels(4 * 4 * 4, 0);
    for (int32_t y = 0; y < 2; ++y)
    {
        for (int32_t x = 0; x < 2; ++x)
        {
            const uint8_t* colour = (x == 1 && y == 1) ? green : red;
            std::copy(colour, colour + 4, texels.begin() + (y * 4 + x) * 4);
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    Vozad::glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D_ARRAY, texture);
    Vozad::glTexStorage3D(GL_TEXTURE_2D_ARRAY, 1, GL_RGBA8, 4, 4, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    Vozad::glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, 0, 4, 4, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                           texels.data());
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    // The unit quad, two triangles.
    const float corners[6][5] = {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1},
                                 {1, 1, 0, 1, 1}, {0, 1, 0, 0, 1}, {0, 0, 0, 0, 0}};
    GLuint vertexArray = 0, buffers[2] = {};
    Vozad::glGenVertexArrays(1, &vertexArray);
    Vozad::glBindVertexArray(vertexArray);
    Vozad::glGenBuffers(2, buffers);
    Vozad::glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    Vozad::glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
    Vozad::glEnableVertexAttribArray(0);
    Vozad::glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 20, nullptr);
    Vozad::glEnableVertexAttribArray(1);
    Vozad::glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 20, reinterpret_cast<void*>(12));

    const auto offset = [](size_t p_Offset) { return reinterpret_cast<void*>(p_Offset); };
    const GLsizei stride = sizeof(SpriteVertexInstance);
    Vozad::glBindBuffer(GL_ARRAY_BUFFER, buffers[1]);
    const auto floats = [&](GLuint p_Location, GLint p_Count, size_t p_Offset)
    {
        Vozad::glEnableVertexAttribArray(p_Location);
        Vozad::glVertexAttribPointer(p_Location, p_Count, GL_FLOAT, GL_FALSE, stride, offset(p_Offset));
        Vozad::glVertexAttribDivisor(p_Location, 1);
    };
    const auto integers = [&](GLuint p_Location, GLint p_Count, GLenum p_Type, size_t p_Offset)
    {
        Vozad::glEnableVertexAttribArray(p_Location);
        Vozad::glVertexAttribIPointer(p_Location, p_Count, p_Type, stride, offset(p_Offset));
        Vozad::glVertexAttribDivisor(p_Location, 1);
    };
    floats(2, 2, offsetof(SpriteVertexInstance, shift));
    floats(3, 2, offsetof(SpriteVertexInstance, scale));
    integers(4, 2, GL_INT, offsetof(SpriteVertexInstance, subPosition));
    integers(5, 2, GL_INT, offsetof(SpriteVertexInstance, subSize));
    floats(6, 1, offsetof(SpriteVertexInstance, layer));
    floats(7, 2, offsetof(SpriteVertexInstance, dimensions));
    integers(8, 1, GL_UNSIGNED_INT, offsetof(SpriteVertexInstance, id));
    floats(9, 1, offsetof(SpriteVertexInstance, visible));
    floats(10, 1, offsetof(SpriteVertexInstance, border));
    for (GLuint column = 0; column < 4; ++column)
        floats(11 + column, 4, offsetof(SpriteVertexInstance, model) + column * 16);

    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const SpritePixelCase cases[] = {
        {"the sub-rectangle is taken from the top of the image", 0, 0.0f, 1.0f, 32, 32, {0, 255, 0, 255}},
        {"a border fragment", 0, 1.0f, 1.0f, 0, 32, {61, 174, 233, 255}},
        {"inside the border the image shows", 0, 1.0f, 1.0f, 32, 32, {0, 255, 0, 255}},
        {"selection writes the id's three low bytes", 1, 0.0f, 1.0f, 32, 32, {4, 3, 2, 255}},
        {"an invisible instance covers nothing", 0, 0.0f, 0.0f, 32, 32, {0, 0, 0, 0}},
    };
    for (const SpritePixelCase& test : cases)
    {
        SCOPED_TRACE(test.title);
        // The quad's model matrix maps the unit square onto the whole of clip space.
        SpriteVertexInstance instance = {{0, 0},      {1, 1},
                                         {1, 0},      {1, 1},
                                         0,           {2, 2},
                                         0x01020304u, test.visible,
                                         test.border, {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, -1, -1, 0, 1}};
        Vozad::glBufferData(GL_ARRAY_BUFFER, sizeof(instance), &instance, GL_DYNAMIC_DRAW);

        glViewport(0, 0, k_Width, k_Height);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        shader->Bind();
        shader->SetUniformMatrix4("u_ProjectionViewMatrix", identity);
        shader->SetUniform1i("u_Texture", 0);
        shader->SetUniform1ui("u_UseFrameBuffer", test.useFrameBuffer);
        Vozad::glDrawArraysInstanced(GL_TRIANGLES, 0, 6, 1);
        shader->Unbind();

        glReadBuffer(GL_BACK);
        EXPECT_TRUE(TestSupport::NearRgba(
            TestSupport::ReadGLPixel(test.x, test.y),
            {test.expected[0], test.expected[1], test.expected[2], test.expected[3]}, 1));
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(LinesOf(m_Log, "OpenGLShader").empty());

    Vozad::glBindVertexArray(0);
    Vozad::glDeleteBuffers(2, buffers);
    Vozad::glDeleteVertexArrays(1, &vertexArray);
    glDeleteTextures(1, &texture);
}

TEST_F(ShaderHandlerGLTest, LookingUpWhatWasNeverLoadedEndsTheProcess)
{
    const ShaderInfo info = m_Handler.LoadShader(TextOf(BuiltInShader::BatchedColorSpriteShader));
    ASSERT_NE(info.program, 0u);
    EXPECT_EQ(m_Handler.GetShaderByGroupName("BatchedColorSpriteShader").GetProgram(), info.program);

    // The group name must match whole and with its case.
    EXPECT_EXIT(
        {
            dup2(2, 1);
            m_Handler.GetShaderByGroupName("batchedcolorspriteshader");
        },
        testing::ExitedWithCode(255), "CRASH.*Could not get shader from group name batchedcolorspriteshader");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            m_Handler.GetShaderByGroupName("BatchedColorSprite");
        },
        testing::ExitedWithCode(255), "Could not get shader from group name BatchedColorSprite");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            m_Handler.GetShaderBySlot(info.program + 1000);
        },
        testing::ExitedWithCode(255),
        "CRASH.*Could not get shader from slot: " + std::to_string(info.program + 1000));
    // A row nothing was loaded into has no program to find.
    EXPECT_EXIT(
        {
            dup2(2, 1);
            m_Handler.GetEngineShader(2);
        },
        testing::ExitedWithCode(255), "Could not get shader from slot: 0");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            m_Handler.GetEngineShader(Vozad::k_EngineShaderCount);
        },
        testing::ExitedWithCode(255), "CRASH.*Unknown engine shader row: 8");
}
} // namespace

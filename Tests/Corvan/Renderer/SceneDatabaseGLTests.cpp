// The batching scene on a real GL context (hidden SDL window, Mesa under the test run's Xvfb):
// containers are filed and emptied as the instances come and go, and what they draw is read back.
// The shaders and textures here are small real GL programs and array textures of the test's own,
// so the scene is exercised without the engine's shader texts.
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/BufferLayout.h"
#include "Corvan/Renderer/ISceneInstances.h"
#include "Corvan/Renderer/ISceneTextures.h"
#include "Corvan/Renderer/IShader.h"
#include "Corvan/Renderer/MeshContainerScene.h"
#include "Corvan/Renderer/MeshData.h"
#include "Corvan/Renderer/OpenGL/OpenGLBuffers.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Renderer/OpenGL/OpenGLVertexArray.h"
#include "Corvan/Renderer/RenderPassInfo.h"
#include "Corvan/Renderer/SceneDatabase.h"
#include "Lib/String.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"
#include "Support/WindowPixels.h"

#include <SDL2/SDL.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using Vozad::MeshContainerScene;
using Vozad::MeshData;
using Vozad::RenderPassInfo;
using Vozad::SceneDatabase;
using Vozad::SpriteInstance;

namespace
{
constexpr int k_Size = 128;
const Lib::String k_Group = "TestSpriteShader";
const Lib::String k_OtherGroup = "OtherSpriteShader";
constexpr uint64_t k_KeyA = 0xA1;
constexpr uint64_t k_KeyB = 0xB2;

using TestSupport::Rgba;
const Rgba k_Background = {0, 0, 0, 255};

// The attribute names of the engine's sprite shaders; a_InTextureShift and its neighbours are left
// out on purpose, so the containers also meet a shader that lacks some of their attributes.
const char* const k_VertexShader = R"(#version 330 core
layout(location = 0) in vec3 a_InVertexPosition;
layout(location = 1) in vec2 a_InUVCoordinates;
layout(location = 2) in mat4 a_ModelMatrix;
layout(location = 6) in float a_Visible;
layout(location = 7) in vec4 a_InColor;
layout(location = 8) in float a_InTextureArrayIndex;
layout(location = 9) in uint a_InFrameBufferID;
uniform mat4 u_ProjectionViewMatrix;
out vec3 v_UV;
out vec4 v_Colour;
flat out uint v_Id;
void main()
{
    v_UV = vec3(a_InUVCoordinates, a_InTextureArrayIndex);
    v_Colour = a_InColor;
    v_Id = a_InFrameBufferID;
    gl_Position = u_ProjectionViewMatrix * a_ModelMatrix * vec4(a_InVertexPosition * a_Visible, 1.0);
}
)";

const char* const k_FragmentShader = R"(#version 330 core
uniform sampler2DArray u_Texture;
uniform uint u_UseFrameBuffer;
in vec3 v_UV;
in vec4 v_Colour;
flat in uint v_Id;
out vec4 o_Colour;
void main()
{
    if (u_UseFrameBuffer != 0u)
        o_Colour = vec4(vec3(v_Id & 255u, (v_Id >> 8) & 255u, (v_Id >> 16) & 255u) / 255.0, 1.0);
    else
        o_Colour = texture(u_Texture, v_UV) * v_Colour;
}
)";

// The same inputs at other locations, drawing the instance colour alone.
const char* const k_MovedVertexShader = R"(#version 330 core
layout(location = 0) in vec3 a_InVertexPosition;
layout(location = 2) in vec4 a_InColor;
layout(location = 3) in float a_Visible;
layout(location = 4) in mat4 a_ModelMatrix;
uniform mat4 u_ProjectionViewMatrix;
out vec4 v_Colour;
void main()
{
    v_Colour = a_InColor;
    gl_Position = u_ProjectionViewMatrix * a_ModelMatrix * vec4(a_InVertexPosition * a_Visible, 1.0);
}
)";
const char* const k_ColourFragmentShader = R"(#version 330 core
in vec4 v_Colour;
out vec4 o_Colour;
void main() { o_Colour = v_Colour; }
)";

// Stands in for the transparency passes' shaders: one fixed colour, so the switch shows.
std::string FixedColourFragmentShader(const char* p_Colour)
{
    return std::string("#version 330 core\nout vec4 o_Colour;\nvoid main() { o_Colour = vec4(") + p_Colour +
           "); }\n";
}

GLuint Compile(GLenum p_Stage, const char* p_Source)
{
    const GLuint shader = Vozad::glCreateShader(p_Stage);
    Vozad::glShaderSource(shader, 1, &p_Source, nullptr);
    Vozad::glCompileShader(shader);
    GLint compiled = 0;
    Vozad::glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled)
    {
        char log[1024] = {};
        Vozad::glGetShaderInfoLog(shader, sizeof(log), nullptr, log);
        ADD_FAILURE() << "shader compile failed: " << log;
    }
    return shader;
}

// A real program behind the shader interface, with uniform and attribute lookups done by GL.
class TestShader : public Vozad::IShader
{
public:
    explicit TestShader(const std::string& p_FragmentSource = k_FragmentShader,
                        const char* p_VertexSource = k_VertexShader)
    {
        const GLuint vertex = Compile(GL_VERTEX_SHADER, p_VertexSource);
        const GLuint fragment = Compile(GL_FRAGMENT_SHADER, p_FragmentSource.c_str());
        m_Program = Vozad::glCreateProgram();
        Vozad::glAttachShader(m_Program, vertex);
        Vozad::glAttachShader(m_Program, fragment);
        Vozad::glLinkProgram(m_Program);
        GLint linked = 0;
        Vozad::glGetProgramiv(m_Program, GL_LINK_STATUS, &linked);
        EXPECT_TRUE(linked) << "program link failed";
        Vozad::glDeleteShader(vertex);
        Vozad::glDeleteShader(fragment);
    }
    ~TestShader() override { Vozad::glDeleteProgram(m_Program); }

    bool Load(Vozad::ShaderInfo& p_Info) override
    {
        p_Info.program = m_Program;
        p_Info.name = m_Name;
        return m_Program != 0;
    }
    void Bind() const override { Vozad::glUseProgram(m_Program); }
    bool IsBound() const override
    {
        GLint current = 0;
        glGetIntegerv(GL_CURRENT_PROGRAM, &current);
        return static_cast<GLuint>(current) == m_Program;
    }
    const Lib::String& GetName() const override { return m_Name; }
    void SetUniform3f(const char* p_Name, float p_X, float p_Y, float p_Z) const override
    {
        Vozad::glUniform3f(Location(p_Name), p_X, p_Y, p_Z);
    }
    void SetUniform4f(const char* p_Name, float p_X, float p_Y, float p_Z, float p_W) const override
    {
        Vozad::glUniform4f(Location(p_Name), p_X, p_Y, p_Z, p_W);
    }
    void SetUniformColour(const char* p_Name, uint8_t p_Red, uint8_t p_Green, uint8_t p_Blue,
                          uint8_t p_Alpha) const override
    {
        SetUniform4f(p_Name, p_Red / 255.0f, p_Green / 255.0f, p_Blue / 255.0f, p_Alpha / 255.0f);
    }
    void SetUniform2f(const char* p_Name, const glm::vec2& p_Value) const override
    {
        Vozad::glUniform2f(Location(p_Name), p_Value.x, p_Value.y);
    }
    void SetUniform4f(const char* p_Name, const glm::vec4& p_Value) const override
    {
        SetUniform4f(p_Name, p_Value.x, p_Value.y, p_Value.z, p_Value.w);
    }
    void Unbind() const override { Vozad::glUseProgram(0); }
    uint32_t GetProgram() const override { return m_Program; }
    int32_t GetAttributeLocation(const char* p_Name) const override
    {
        return Vozad::glGetAttribLocation(m_Program, p_Name);
    }
    bool HasUniform(const char* p_Name) const override { return Location(p_Name) >= 0; }
    void SetUniform1i(const char* p_Name, int32_t p_Value) const override
    {
        Vozad::glUniform1i(Location(p_Name), p_Value);
    }
    void SetUniform1ui(const char* p_Name, uint32_t p_Value) const override
    {
        Vozad::glUniform1ui(Location(p_Name), p_Value);
    }
    void SetUniform1f(const char* p_Name, float p_Value) const override
    {
        Vozad::glUniform1f(Location(p_Name), p_Value);
    }
    void SetUniformMatrix4(const char* p_Name, const float* p_Matrix) const override
    {
        Vozad::glUniformMatrix4fv(Location(p_Name), 1, GL_FALSE, p_Matrix);
    }

private:
    GLint Location(const char* p_Name) const { return Vozad::glGetUniformLocation(m_Program, p_Name); }

    GLuint m_Program = 0;
    Lib::String m_Name = "TestShader";
};

class TestShaderSource : public Vozad::IShaderSource
{
public:
    TestShaderSource()
        : m_WeightedBlended(FixedColourFragmentShader("1.0, 0.0, 1.0, 1.0")),
          m_DepthPeeling(FixedColourFragmentShader("0.0, 1.0, 1.0, 1.0"))
    {
    }

    const Vozad::IShader& GetShaderByGroupName(const Lib::String& p_GroupName) const override
    {
        return p_GroupName == k_OtherGroup ? m_Other : m_Sprite;
    }
    const Vozad::IShader& GetEngineShader(uint32_t p_Row) const override
    {
        rowsAsked.push_back(p_Row);
        return p_Row == 3 ? m_WeightedBlended : p_Row == 4 ? m_DepthPeeling : m_Sprite;
    }

    const Vozad::IShader* GetPlainVariant(const Vozad::IShader& p_Shader) const override
    {
        return &p_Shader == &m_Sprite ? plainSprite.get() : nullptr;
    }

    mutable std::vector<uint32_t> rowsAsked;
    std::unique_ptr<TestShader> plainSprite; // the sprite group's plain variant, when a test gives one
    TestShader m_Sprite;
    TestShader m_Other;
    TestShader m_WeightedBlended;
    TestShader m_DepthPeeling;
};

// Two real 1x1 array textures of two layers each: key A holds white and half grey, key B yellow.
class TestSceneTextures : public Vozad::ISceneTextures
{
public:
    TestSceneTextures()
    {
        m_Textures[k_KeyA] = Create({255, 255, 255, 255, 128, 128, 128, 255});
        m_Textures[k_KeyB] = Create({255, 255, 0, 255, 255, 255, 0, 255});
    }
    ~TestSceneTextures() override
    {
        for (const auto& [key, texture] : m_Textures)
            glDeleteTextures(1, &texture);
    }

    bool BindSceneTexture(uint64_t p_TextureKey) const override
    {
        const auto found = m_Textures.find(p_TextureKey);
        if (found == m_Textures.end())
            return false;
        Vozad::glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, found->second);
        bound.push_back(p_TextureKey);
        return true;
    }
    void UnbindSceneTexture() const override { glBindTexture(GL_TEXTURE_2D_ARRAY, 0); }

    mutable std::vector<uint64_t> bound;

private:
    static GLuint Create(const std::vector<uint8_t>& p_Layers)
    {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D_ARRAY, texture);
        Vozad::glTexStorage3D(GL_TEXTURE_2D_ARRAY, 1, GL_RGBA8, 1, 1, 2);
        Vozad::glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, 0, 1, 1, 2, GL_RGBA, GL_UNSIGNED_BYTE,
                               p_Layers.data());
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
        return texture;
    }

    std::map<uint64_t, GLuint> m_Textures;
};

// What the renderer does with its two databases, written here the way the registry uses it.
class ScenePair : public Vozad::ISceneInstances
{
public:
    ScenePair(SceneDatabase& p_Opaque, SceneDatabase& p_Transparent)
        : m_Opaque(p_Opaque), m_Transparent(p_Transparent)
    {
    }
    void SubmitInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup, int32_t p_Kind,
                        uint64_t p_TextureKey, const SpriteInstance& p_Instance) override
    {
        (p_Instance.transparent ? m_Transparent : m_Opaque)
            .SubmitInstance(p_EntityId, p_ShaderGroup, p_Kind, p_TextureKey, m_Quad, p_Instance);
    }
    void UpdateInstance(uint64_t p_EntityId, bool p_Transparent, const Lib::String& p_ShaderGroup,
                        uint64_t p_TextureKey, const SpriteInstance& p_Instance) override
    {
        (p_Transparent ? m_Transparent : m_Opaque)
            .UpdateInstance(p_EntityId, p_ShaderGroup, p_TextureKey, p_Instance);
    }
    bool RemoveEntity(uint64_t p_EntityId) override
    {
        return m_Opaque.RemoveEntity(p_EntityId) || m_Transparent.RemoveEntity(p_EntityId);
    }

private:
    SceneDatabase& m_Opaque;
    SceneDatabase& m_Transparent;
    MeshData m_Quad = MeshData::UnitQuad();
};

// A 16 x 16 quad with its lower left corner at (x, y) in window pixels.
SpriteInstance Quad(float p_X, float p_Y, glm::vec4 p_Colour, float p_Layer = 0.0f)
{
    SpriteInstance instance;
    instance.modelMatrix =
        glm::scale(glm::translate(glm::mat4(1.0f), {p_X, p_Y, 0.0f}), {16.0f, 16.0f, 1.0f});
    instance.colour = p_Colour;
    instance.layer = p_Layer;
    instance.width = 1;
    instance.height = 1;
    return instance;
}

class SceneDatabaseGLTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_GL.Open(k_Size, k_Size, "Scene test")) << SDL_GetError();
        m_Shaders = std::make_unique<TestShaderSource>();
        m_Textures = std::make_unique<TestSceneTextures>();
        m_Opaque = std::make_unique<SceneDatabase>(*m_Shaders, *m_Textures);
        m_Transparent = std::make_unique<SceneDatabase>(*m_Shaders, *m_Textures);
        m_Scene = std::make_unique<ScenePair>(*m_Opaque, *m_Transparent);
    }

    void TearDown() override
    {
        // GL objects go while their context still exists.
        m_Scene.reset();
        m_Opaque.reset();
        m_Transparent.reset();
        m_Textures.reset();
        m_Shaders.reset();
        m_GL.Close();
    }

    // Clears, draws the opaque then the transparent database as the plain pass does, reads back.
    void DrawFrame(uint32_t p_SelectionFlag = 0, RenderPassInfo p_TransparentPass = {.opaque = false})
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, k_Size, k_Size);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        RenderPassInfo opaque;
        m_Opaque->Draw(m_Projection, p_SelectionFlag, opaque);
        m_Transparent->Draw(m_Projection, p_SelectionFlag, p_TransparentPass);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        glReadBuffer(GL_BACK);
        m_Pixels = TestSupport::ReadGLPixels(k_Size, k_Size);
    }

    // The pixel in the middle of the 16 x 16 quad whose lower left corner is (x, y).
    Rgba QuadPixel(int p_X, int p_Y) const
    {
        const size_t at = (static_cast<size_t>(p_Y + 8) * k_Size + static_cast<size_t>(p_X + 8)) * 4;
        return {m_Pixels[at], m_Pixels[at + 1], m_Pixels[at + 2], m_Pixels[at + 3]};
    }

    testing::AssertionResult QuadIs(int p_X, int p_Y, const Rgba& p_Expected) const
    {
        return TestSupport::NearRgba(QuadPixel(p_X, p_Y), p_Expected, 2)
               << " for the quad at (" << p_X << ", " << p_Y << ")";
    }

    // How many pixels of the frame are not the background.
    size_t DrawnPixels() const
    {
        size_t drawn = 0;
        for (size_t i = 0; i < m_Pixels.size(); i += 4)
            if (m_Pixels[i] != 0 || m_Pixels[i + 1] != 0 || m_Pixels[i + 2] != 0)
                ++drawn;
        return drawn;
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    TestSupport::CapturingForwarder m_Log;
    TestSupport::GLWindow m_GL;
    std::unique_ptr<TestShaderSource> m_Shaders;
    std::unique_ptr<TestSceneTextures> m_Textures;
    std::unique_ptr<SceneDatabase> m_Opaque;
    std::unique_ptr<SceneDatabase> m_Transparent;
    std::unique_ptr<ScenePair> m_Scene;
    glm::mat4 m_Projection = glm::ortho(0.0f, float(k_Size), 0.0f, float(k_Size), -1.0f, 1.0f);
    std::vector<uint8_t> m_Pixels;
};

const glm::vec4 k_Red{1, 0, 0, 1};
const glm::vec4 k_Green{0, 1, 0, 1};
const glm::vec4 k_Blue{0, 0, 1, 1};
const glm::vec4 k_White{1, 1, 1, 1};

TEST_F(SceneDatabaseGLTest, InstancesWithOneKeyShareAContainerAndOneDrawCall)
{
    m_Scene->SubmitInstance(1, k_Group, Vozad::k_InstanceKindTextured, k_KeyA, Quad(8, 8, k_Red));
    m_Scene->SubmitInstance(2, k_Group, Vozad::k_InstanceKindTextured, k_KeyA, Quad(40, 8, k_Green, 1.0f));
    EXPECT_EQ(m_Opaque->GetShaderGroupCount(), 1u);
    EXPECT_EQ(m_Opaque->GetTextureGroupCount(), 1u);
    EXPECT_EQ(m_Opaque->GetContainerCount(), 1u);
    EXPECT_EQ(m_Opaque->GetInstanceCount(), 2u);
    MeshContainerScene* container = m_Opaque->FindContainer(k_Group, k_KeyA);
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(container->GetKind(), Vozad::k_InstanceKindTextured);
    EXPECT_EQ(m_Opaque->FindContainer(k_Group, k_KeyB), nullptr);
    EXPECT_EQ(m_Opaque->FindContainer("TestSpriteShade", k_KeyA), nullptr);
    EXPECT_EQ(m_Transparent->GetContainerCount(), 0u);

    DrawFrame();
    EXPECT_EQ(m_Opaque->GetLastDrawCallCount(), 1u);
    EXPECT_EQ(m_Textures->bound, (std::vector<uint64_t>{k_KeyA}));
    EXPECT_TRUE(QuadIs(8, 8, {255, 0, 0, 255}));
    EXPECT_TRUE(QuadIs(40, 8, {0, 128, 0, 255})) << "layer 1 of the array texture is half grey";
    EXPECT_TRUE(QuadIs(72, 8, k_Background));

    // Another texture key and another shader group each get their own container and draw.
    m_Scene->SubmitInstance(3, k_Group, Vozad::k_InstanceKindTextured, k_KeyB, Quad(8, 40, k_White));
    m_Scene->SubmitInstance(4, k_OtherGroup, Vozad::k_InstanceKindColouredQuad, Vozad::k_UntexturedKey,
                            Quad(40, 40, k_Blue));
    EXPECT_EQ(m_Opaque->GetShaderGroupCount(), 2u);
    EXPECT_EQ(m_Opaque->GetTextureGroupCount(), 3u);
    EXPECT_EQ(m_Opaque->GetContainerCount(), 3u);
    m_Textures->bound.clear();
    DrawFrame();
    EXPECT_EQ(m_Opaque->GetLastDrawCallCount(), 3u);
    EXPECT_EQ(m_Textures->bound, (std::vector<uint64_t>{k_KeyA, k_KeyB}));
    EXPECT_TRUE(QuadIs(8, 40, {255, 255, 0, 255}));
    EXPECT_TRUE(QuadIs(8, 8, {255, 0, 0, 255}));
}

TEST_F(SceneDatabaseGLTest, TransparentInstancesGoToTheirOwnDatabase)
{
    SpriteInstance glass = Quad(8, 8, {0, 0, 1, 0.5f});
    glass.transparent = true;
    m_Scene->SubmitInstance(5, k_Group, Vozad::k_InstanceKindTextured, k_KeyA, glass);
    m_Scene->SubmitInstance(6, k_Group, Vozad::k_InstanceKindTextured, k_KeyA, Quad(40, 8, k_Red));
    EXPECT_EQ(m_Transparent->GetInstanceCount(), 1u);
    EXPECT_EQ(m_Opaque->GetInstanceCount(), 1u);
    EXPECT_NE(m_Transparent->FindContainer(k_Group, k_KeyA), m_Opaque->FindContainer(k_Group, k_KeyA));

    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, {0, 0, 128, 255})) << "half-transparent blue blended over black";
    EXPECT_TRUE(QuadIs(40, 8, {255, 0, 0, 255}));

    // The opaque database does not hold entity 5, so removal reaches the transparent one.
    EXPECT_FALSE(m_Opaque->RemoveEntity(5));
    EXPECT_TRUE(m_Scene->RemoveEntity(5));
    EXPECT_EQ(m_Transparent->GetContainerCount(), 0u);
    EXPECT_EQ(m_Opaque->GetInstanceCount(), 1u);
    EXPECT_FALSE(m_Scene->RemoveEntity(5));
}

TEST_F(SceneDatabaseGLTest, AnEntityAddedTwiceIsAdjacentAndRemovedWhole)
{
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, Quad(8, 8, k_Red));
    m_Scene->SubmitInstance(2, k_Group, 1, k_KeyA, Quad(40, 8, k_Green));
    m_Scene->SubmitInstance(3, k_Group, 1, k_KeyA, Quad(72, 8, k_Blue));
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, Quad(8, 40, k_Red));
    // Only the low 32 bits of an id count: this is entity 2 again.
    m_Scene->SubmitInstance(0x500000002ull, k_Group, 1, k_KeyA, Quad(40, 40, k_Green));
    MeshContainerScene* container = m_Opaque->FindContainer(k_Group, k_KeyA);
    ASSERT_NE(container, nullptr);
    std::vector<uint32_t> ids;
    for (uint32_t id : container->GetEntityIds())
        ids.push_back(id);
    EXPECT_EQ(ids, (std::vector<uint32_t>{1, 1, 2, 2, 3}));
    const struct
    {
        uint64_t entity;
        bool found;
        uint32_t index;
    } finds[] = {{1, true, 0}, {2, true, 2}, {3, true, 4}, {4, false, 0}};
    for (const auto& find : finds)
    {
        uint32_t index = 99;
        EXPECT_EQ(container->FindInstance(find.entity, index), find.found) << find.entity;
        if (find.found)
        {
            EXPECT_EQ(index, find.index) << find.entity;
        }
    }

    // The second instance of entity 2 is addressed through the sub-index.
    container->UpdateModelMatrix(2, Quad(104, 40, k_Green).modelMatrix, 1);
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 40, {255, 0, 0, 255}));
    EXPECT_TRUE(QuadIs(104, 40, {0, 255, 0, 255}));
    EXPECT_TRUE(QuadIs(40, 40, k_Background));

    EXPECT_TRUE(m_Scene->RemoveEntity(1));
    ids.clear();
    for (uint32_t id : container->GetEntityIds())
        ids.push_back(id);
    EXPECT_EQ(ids, (std::vector<uint32_t>{2, 2, 3}));
    uint32_t index = 99;
    EXPECT_TRUE(container->FindInstance(3, index));
    EXPECT_EQ(index, 2u);

    // Later entities are still found where they now are.
    m_Scene->UpdateInstance(3, false, k_Group, k_KeyA, Quad(72, 72, k_Blue));
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, k_Background));
    EXPECT_TRUE(QuadIs(8, 40, k_Background));
    EXPECT_TRUE(QuadIs(40, 8, {0, 255, 0, 255}));
    EXPECT_TRUE(QuadIs(72, 8, k_Background));
    EXPECT_TRUE(QuadIs(72, 72, {0, 0, 255, 255}));
}

TEST_F(SceneDatabaseGLTest, RemovingTheLastInstanceRemovesContainerAndEmptyGroups)
{
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, Quad(8, 8, k_Red));
    m_Scene->SubmitInstance(2, k_Group, 1, k_KeyB, Quad(40, 8, k_Red));
    m_Scene->SubmitInstance(3, k_OtherGroup, 3, Vozad::k_UntexturedKey, Quad(72, 8, k_Red));

    const struct
    {
        uint64_t entity;
        uint32_t shaderGroups, textureGroups, containers;
    } steps[] = {
        {1, 2, 2, 2}, // the texture group of key A goes, its shader group keeps key B
        {3, 1, 1, 1}, // the other shader group goes with its only texture group
        {2, 0, 0, 0},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.entity);
        EXPECT_TRUE(m_Opaque->RemoveEntity(step.entity));
        EXPECT_EQ(m_Opaque->GetShaderGroupCount(), step.shaderGroups);
        EXPECT_EQ(m_Opaque->GetTextureGroupCount(), step.textureGroups);
        EXPECT_EQ(m_Opaque->GetContainerCount(), step.containers);
        EXPECT_FALSE(m_Opaque->RemoveEntity(step.entity));
    }
    DrawFrame();
    EXPECT_EQ(DrawnPixels(), 0u);
    EXPECT_EQ(m_Opaque->GetLastDrawCallCount(), 0u);

    // The next submission builds them again.
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, Quad(8, 8, k_Green));
    EXPECT_EQ(m_Opaque->GetContainerCount(), 1u);
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, {0, 255, 0, 255}));
}

TEST_F(SceneDatabaseGLTest, InvisibleInstancesKeepTheirPlaceAndDrawNothing)
{
    SpriteInstance hidden = Quad(8, 8, k_Red);
    hidden.visible = false;
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, hidden);
    DrawFrame();
    EXPECT_EQ(m_Opaque->GetInstanceCount(), 1u);
    EXPECT_EQ(DrawnPixels(), 0u);

    hidden.visible = true;
    m_Scene->UpdateInstance(1, false, k_Group, k_KeyA, hidden);
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, {255, 0, 0, 255}));
    EXPECT_EQ(DrawnPixels(), 16u * 16u);
}

TEST_F(SceneDatabaseGLTest, UpdateInstanceMovesTheQuadAndIgnoresUnknownEntities)
{
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, Quad(8, 8, k_Red));
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, {255, 0, 0, 255}));

    EXPECT_TRUE(m_Opaque->UpdateInstance(1, k_Group, k_KeyA, Quad(80, 96, k_Blue)));
    EXPECT_FALSE(m_Opaque->UpdateInstance(7, k_Group, k_KeyA, Quad(8, 8, k_Green)));
    EXPECT_FALSE(m_Opaque->UpdateInstance(1, k_Group, k_KeyB, Quad(8, 8, k_Green)));
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, k_Background));
    EXPECT_TRUE(QuadIs(80, 96, {0, 0, 255, 255}));
    EXPECT_EQ(DrawnPixels(), 16u * 16u);
}

TEST_F(SceneDatabaseGLTest, ChangesAreUploadedOnceBeforeTheNextDraw)
{
    // A long snake: 240 segments, each a quad of its own entity, on a 16 x 15 grid of 8-pixel cells.
    const auto cell = [](uint32_t p_Index, float p_Shift)
    {
        SpriteInstance instance = Quad(static_cast<float>(p_Index % 16) * 8.0f,
                                       static_cast<float>(p_Index / 16) * 8.0f + p_Shift, k_Green);
        instance.modelMatrix = glm::scale(instance.modelMatrix, {0.5f, 0.5f, 1.0f}); // 8 x 8
        return instance;
    };
    for (uint32_t i = 0; i < 240; ++i)
        m_Scene->SubmitInstance(100 + i, k_Group, 1, k_KeyA, cell(i, 0.0f));
    MeshContainerScene* container = m_Opaque->FindContainer(k_Group, k_KeyA);
    ASSERT_NE(container, nullptr);
    DrawFrame();
    EXPECT_EQ(DrawnPixels(), 240u * 64u);

    // Every segment moves up by 4 pixels; nothing goes to the GPU until the draw.
    const uint64_t before = container->GetUploadCount();
    for (uint32_t i = 0; i < 240; ++i)
        m_Scene->UpdateInstance(100 + i, false, k_Group, k_KeyA, cell(i, 4.0f));
    EXPECT_EQ(container->GetUploadCount(), before);
    DrawFrame();
    // Only the matrices changed: of the attributes the test shader feeds, the matrix buffer alone
    // goes up.
    EXPECT_EQ(container->GetUploadCount() - before, 1u);
    EXPECT_EQ(DrawnPixels(), 240u * 64u);
    // The bottom 4 rows are empty now and the top of the grid reached row 124.
    size_t bottomRows = 0;
    for (size_t i = 0; i < static_cast<size_t>(k_Size) * 4 * 4; i += 4)
        bottomRows += m_Pixels[i + 1] != 0;
    EXPECT_EQ(bottomRows, 0u);
    EXPECT_NE(m_Pixels[(static_cast<size_t>(123) * k_Size + 120) * 4 + 1], 0);

    // Drawing again uploads nothing; one matrix change uploads the matrix buffer alone.
    DrawFrame();
    EXPECT_EQ(container->GetUploadCount() - before, 1u);
    container->UpdateModelMatrix(100, cell(0, 0.0f).modelMatrix, 0);
    container->UpdateModelMatrix(101, cell(1, 0.0f).modelMatrix, 0);
    DrawFrame();
    EXPECT_EQ(container->GetUploadCount() - before, 2u);
    // An update with a new colour uploads the colour too, if the shader reads it.
    const uint64_t beforeColour = container->GetUploadCount();
    SpriteInstance recoloured = cell(2, 4.0f);
    recoloured.colour = k_Red;
    m_Scene->UpdateInstance(102, false, k_Group, k_KeyA, recoloured);
    DrawFrame();
    EXPECT_EQ(container->GetUploadCount() - beforeColour, 1u);
    // Values are compared bit for bit: -0.0 equals 0.0 as a number, yet it is what the buffer must hold.
    recoloured.colour.g = -0.0f;
    m_Scene->UpdateInstance(102, false, k_Group, k_KeyA, recoloured);
    DrawFrame();
    EXPECT_EQ(container->GetUploadCount() - beforeColour, 2u);
    EXPECT_NE(m_Pixels[(static_cast<size_t>(1) * k_Size + 1) * 4 + 1], 0);
}

TEST_F(SceneDatabaseGLTest, TheSelectionFlagDrawsEntityIdsAsColours)
{
    m_Scene->SubmitInstance(0x030201, k_Group, 1, k_KeyA, Quad(8, 8, k_Red));
    m_Scene->SubmitInstance(0x0000FF, k_Group, 1, k_KeyA, Quad(40, 8, k_Red));
    DrawFrame(1);
    EXPECT_TRUE(QuadIs(8, 8, {1, 2, 3, 255}));
    EXPECT_TRUE(QuadIs(40, 8, {255, 0, 0, 255}));
    DrawFrame(0);
    EXPECT_TRUE(QuadIs(8, 8, {255, 0, 0, 255}));
}

TEST_F(SceneDatabaseGLTest, TransparencyPassesSwitchTheTransparentShader)
{
    SpriteInstance glass = Quad(8, 8, k_Red);
    glass.transparent = true;
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, glass);
    m_Scene->SubmitInstance(2, k_Group, 1, k_KeyA, Quad(40, 8, k_Red));

    const TestShader overrideShader(FixedColourFragmentShader("1.0, 1.0, 1.0, 1.0"));
    const struct
    {
        const char* what;
        RenderPassInfo pass;
        std::vector<uint32_t> rows;
        Rgba transparentQuad;
    } cases[] = {
        {"plain", {.kind = 0, .opaque = false}, {}, {255, 0, 0, 255}},
        {"weighted blended", {.kind = 2, .opaque = false}, {3}, {255, 0, 255, 255}},
        {"depth peeling",
         {.kind = 3, .opaque = false, .firstPeel = true, .width = 128, .height = 128},
         {4},
         {0, 255, 255, 255}},
        {"override",
         {.kind = 0, .overrideShader = &overrideShader, .opaque = false},
         {},
         {255, 255, 255, 255}},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.what);
        m_Shaders->rowsAsked.clear();
        DrawFrame(0, testCase.pass);
        EXPECT_EQ(m_Shaders->rowsAsked, testCase.rows);
        EXPECT_TRUE(QuadIs(8, 8, testCase.transparentQuad));
        EXPECT_TRUE(QuadIs(40, 8, {255, 0, 0, 255})) << "the opaque pass keeps the group's shader";
    }
}

// The plain variant (here a fixed blue) draws a batch only while none of its instances repeats,
// scrolls or carries a border, never for picking and never in place of a pass's own shader.
TEST_F(SceneDatabaseGLTest, OnlyBatchesOfPlainInstancesDrawWithThePlainVariant)
{
    m_Shaders->plainSprite = std::make_unique<TestShader>(FixedColourFragmentShader("0.0, 0.0, 1.0, 1.0"));
    const Rgba variant = {0, 0, 255, 255}, red = {255, 0, 0, 255}, yellow = {255, 255, 0, 255};
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, Quad(8, 8, k_Red));
    SpriteInstance repeated = Quad(40, 8, k_White);
    repeated.textureScale = {0.5f, 1.0f};
    m_Scene->SubmitInstance(2, k_Group, 1, k_KeyB, repeated);
    m_Scene->SubmitInstance(3, k_OtherGroup, 1, k_KeyA, Quad(72, 8, k_Red));
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, variant));
    EXPECT_TRUE(QuadIs(40, 8, yellow)) << "a repeating instance keeps its batch on the full shader";
    EXPECT_TRUE(QuadIs(72, 8, red)) << "a group without a variant";

    // Changes of the deciding values move a batch over, either way.
    const struct
    {
        const char* what;
        uint64_t entity;
        uint64_t key;
        SpriteInstance instance;
        Rgba left, middle;
    } steps[] = {
        {"the repeat ends", 2, k_KeyB, Quad(40, 8, k_White), variant, variant},
        {"a shift starts", 1, k_KeyA,
         []
         {
             SpriteInstance shifted = Quad(8, 8, k_Red);
             shifted.textureShift = {0.0f, 1.0f};
             return shifted;
         }(),
         red, variant},
        {"the shift ends and a border starts", 1, k_KeyA,
         []
         {
             SpriteInstance bordered = Quad(8, 8, k_Red);
             bordered.drawBorder = true;
             return bordered;
         }(),
         red, variant},
        {"the border ends", 1, k_KeyA, Quad(8, 8, k_Red), variant, variant},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.what);
        ASSERT_TRUE(m_Opaque->UpdateInstance(step.entity, k_Group, step.key, step.instance));
        DrawFrame();
        EXPECT_TRUE(QuadIs(8, 8, step.left));
        EXPECT_TRUE(QuadIs(40, 8, step.middle));
    }
    m_Opaque->FindContainer(k_Group, k_KeyA)->SetDrawBorder(1, true);
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, red)) << "a border set on its own";

    // A second instance that repeats moves the whole batch to the full shader.
    m_Opaque->FindContainer(k_Group, k_KeyA)->SetDrawBorder(1, false);
    m_Scene->SubmitInstance(4, k_Group, 1, k_KeyA,
                            []
                            {
                                SpriteInstance tiled = Quad(8, 40, k_Red);
                                tiled.textureScale = {1.0f, 0.25f};
                                return tiled;
                            }());
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, red));
    EXPECT_TRUE(QuadIs(8, 40, red));
    ASSERT_TRUE(m_Opaque->RemoveEntity(4));
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 8, variant)) << "and its removal moves it back";

    DrawFrame(1);
    EXPECT_TRUE(QuadIs(8, 8, {1, 0, 0, 255})) << "picking draws ids";
    EXPECT_TRUE(QuadIs(40, 8, {2, 0, 0, 255}));

    SpriteInstance glass = Quad(8, 72, k_Red);
    glass.transparent = true;
    m_Scene->SubmitInstance(5, k_Group, 1, k_KeyA, glass);
    DrawFrame(0, {.kind = 2, .opaque = false});
    EXPECT_TRUE(QuadIs(8, 72, {255, 0, 255, 255})) << "the weighted-blended pass keeps its shader";
    DrawFrame();
    EXPECT_TRUE(QuadIs(8, 72, variant)) << "the plain pass draws transparent batches with the variant too";
}

TEST_F(SceneDatabaseGLTest, AShaderWithOtherAttributeLocationsGetsTheBuffersAtItsOwn)
{
    SpriteInstance glass = Quad(40, 72, {0, 1, 0, 1});
    glass.transparent = true;
    m_Scene->SubmitInstance(1, k_Group, 1, k_KeyA, glass);
    m_Scene->SubmitInstance(2, k_Group, 1, k_KeyA, Quad(8, 8, k_Green));
    // The second instance moves after the first draw, so the moved buffers are attached and unchanged.
    DrawFrame();
    glass.modelMatrix = Quad(72, 40, k_Green).modelMatrix;
    m_Scene->UpdateInstance(1, true, k_Group, k_KeyA, glass);
    DrawFrame();
    ASSERT_TRUE(QuadIs(72, 40, {0, 255, 0, 255}));

    const TestShader moved(k_ColourFragmentShader, k_MovedVertexShader);
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE(round);
        DrawFrame(0, {.overrideShader = &moved, .opaque = false});
        EXPECT_TRUE(QuadIs(72, 40, {0, 255, 0, 255}));
        EXPECT_EQ(DrawnPixels(), 2u * 16u * 16u);
        DrawFrame();
        EXPECT_TRUE(QuadIs(72, 40, {0, 255, 0, 255}));
        EXPECT_EQ(DrawnPixels(), 2u * 16u * 16u);
    }
}

TEST_F(SceneDatabaseGLTest, AContainerThatCannotBeBuiltIsNotFiled)
{
    const MeshData quad = MeshData::UnitQuad();
    m_Opaque->CreateContainer(Vozad::k_GraphicsApiVulkan, k_Group, 0, 1, 9, k_KeyA, quad, Quad(8, 8, k_Red));
    EXPECT_EQ(m_Opaque->GetContainerCount(), 0u);
    MeshData empty;
    m_Opaque->CreateContainer(Vozad::k_GraphicsApiOpenGL, k_Group, 0, 1, 9, k_KeyA, empty, Quad(8, 8, k_Red));
    EXPECT_EQ(m_Opaque->GetContainerCount(), 0u);
    const std::string expected =
        "Could not build the buffers of shader group \"TestSpriteShader\" (API %d); entity 9 is not drawn.";
    std::vector<std::string> errors;
    for (const std::string& message : m_Log.Messages())
        if (message.rfind("Could not build", 0) == 0)
            errors.push_back(message);
    char vulkan[256], openGL[256];
    std::snprintf(vulkan, sizeof(vulkan), expected.c_str(), Vozad::k_GraphicsApiVulkan);
    std::snprintf(openGL, sizeof(openGL), expected.c_str(), Vozad::k_GraphicsApiOpenGL);
    EXPECT_EQ(errors, (std::vector<std::string>{vulkan, openGL}));
    DrawFrame();
    EXPECT_EQ(DrawnPixels(), 0u);
}

// Queried through SDL: the engine's function table has no use for these two.
using GetVertexAttribiv = void (*)(GLuint, GLenum, GLint*);
using GetVertexAttribPointerv = void (*)(GLuint, GLenum, void**);

TEST_F(SceneDatabaseGLTest, AddVertexBufferPointsOneLocationPerColumnAndOnlyWhenChanged)
{
    const auto getAttrib = reinterpret_cast<GetVertexAttribiv>(SDL_GL_GetProcAddress("glGetVertexAttribiv"));
    const auto getPointer =
        reinterpret_cast<GetVertexAttribPointerv>(SDL_GL_GetProcAddress("glGetVertexAttribPointerv"));
    ASSERT_NE(getAttrib, nullptr);
    ASSERT_NE(getPointer, nullptr);

    Vozad::OpenGLVertexArray vertexArray;
    Vozad::OpenGLVertexBuffer buffer;
    EXPECT_EQ(vertexArray.GetId(), 0u) << "no GL object before Create";
    ASSERT_TRUE(vertexArray.Create());
    ASSERT_TRUE(buffer.Create());
    EXPECT_TRUE(buffer.IsChanged());
    const Vozad::BufferLayout layout{{Vozad::AttributeType::Float2, "a"},
                                     {Vozad::AttributeType::Mat4, "b"},
                                     {Vozad::AttributeType::Int2, "c"},
                                     {Vozad::AttributeType::Bool, "d"}};
    vertexArray.AddVertexBuffer(buffer, layout, true, 2);
    EXPECT_TRUE(vertexArray.IsBound());
    EXPECT_FALSE(buffer.IsChanged());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const struct
    {
        GLuint location;
        GLint size, type, integer;
        uintptr_t offset;
    } expected[] = {
        {2, 2, GL_FLOAT, 0, 0},          {3, 4, GL_FLOAT, 0, 8},  {4, 4, GL_FLOAT, 0, 24},
        {5, 4, GL_FLOAT, 0, 40},         {6, 4, GL_FLOAT, 0, 56}, {7, 2, GL_INT, 1, 72},
        {8, 1, GL_UNSIGNED_BYTE, 1, 80},
    };
    for (const auto& attribute : expected)
    {
        SCOPED_TRACE(attribute.location);
        GLint value = -1;
        getAttrib(attribute.location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &value);
        EXPECT_EQ(value, 1);
        getAttrib(attribute.location, GL_VERTEX_ATTRIB_ARRAY_SIZE, &value);
        EXPECT_EQ(value, attribute.size);
        getAttrib(attribute.location, GL_VERTEX_ATTRIB_ARRAY_TYPE, &value);
        EXPECT_EQ(value, attribute.type);
        getAttrib(attribute.location, GL_VERTEX_ATTRIB_ARRAY_INTEGER, &value);
        EXPECT_EQ(value, attribute.integer);
        getAttrib(attribute.location, GL_VERTEX_ATTRIB_ARRAY_DIVISOR, &value);
        EXPECT_EQ(value, 1);
        getAttrib(attribute.location, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &value);
        EXPECT_EQ(value, 81);
        getAttrib(attribute.location, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &value);
        EXPECT_EQ(static_cast<GLuint>(value), buffer.GetId());
        void* pointer = nullptr;
        getPointer(attribute.location, GL_VERTEX_ATTRIB_ARRAY_POINTER, &pointer);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(pointer), attribute.offset);
    }
    GLint beyond = -1;
    getAttrib(9, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &beyond);
    EXPECT_EQ(beyond, 0);

    // An unchanged buffer is left alone: attaching it elsewhere does nothing.
    vertexArray.AddVertexBuffer(buffer, Vozad::BufferLayout{{Vozad::AttributeType::Float, "e"}}, false, 10);
    getAttrib(10, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &beyond);
    EXPECT_EQ(beyond, 0);
    // New contents keep the name the array points at: still nothing to attach.
    const float data[2] = {1.0f, 2.0f};
    buffer.SetData(data, sizeof(data), 2);
    EXPECT_FALSE(buffer.IsChanged());
    vertexArray.AddVertexBuffer(buffer, Vozad::BufferLayout{{Vozad::AttributeType::Float, "e"}}, false, 10);
    getAttrib(10, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &beyond);
    EXPECT_EQ(beyond, 0);
    // Marked, e.g. for another program, it is attached where asked.
    buffer.MarkChanged();
    vertexArray.AddVertexBuffer(buffer, Vozad::BufferLayout{{Vozad::AttributeType::Float, "e"}}, false, 10);
    getAttrib(10, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &beyond);
    EXPECT_EQ(beyond, 1);
    getAttrib(10, GL_VERTEX_ATTRIB_ARRAY_DIVISOR, &beyond);
    EXPECT_EQ(beyond, 0);
    vertexArray.Unbind();
    EXPECT_FALSE(vertexArray.IsBound());

    // The store grows when needed and is otherwise overwritten in place; the contents are the last data.
    const float more[4] = {3.0f, 4.0f, 5.0f, 6.0f};
    buffer.SetData(more, sizeof(more), 4);
    buffer.SetData(data, sizeof(data), 2);
    GLint storeSize = 0;
    buffer.Bind();
    Vozad::glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &storeSize);
    EXPECT_EQ(storeSize, static_cast<GLint>(sizeof(more)));
    using GetBufferSubData = void (*)(GLenum, GLintptr, GLsizeiptr, void*);
    const auto getData = reinterpret_cast<GetBufferSubData>(SDL_GL_GetProcAddress("glGetBufferSubData"));
    ASSERT_NE(getData, nullptr);
    float stored[4] = {};
    getData(GL_ARRAY_BUFFER, 0, sizeof(stored), stored);
    EXPECT_EQ(std::vector<float>(stored, stored + 4), (std::vector<float>{1.0f, 2.0f, 5.0f, 6.0f}));
    EXPECT_EQ(buffer.GetCount(), 2u);
    EXPECT_EQ(buffer.GetUploadCount(), 3u);

    // Moving hands the GL name over; the moved-from wrapper owns nothing.
    const uint32_t id = buffer.GetId();
    Vozad::OpenGLVertexBuffer moved(std::move(buffer));
    EXPECT_EQ(moved.GetId(), id);
    EXPECT_EQ(buffer.GetId(), 0u); // NOLINT: checking the moved-from state
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
} // namespace

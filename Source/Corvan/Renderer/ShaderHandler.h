#pragma once
// Owns every shader of the renderer: loads each source at most once and finds shaders by GL program
// name or by shader name (the scene's shader group). Render thread only.
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/IShader.h"
#include "Corvan/Renderer/ShaderInfo.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace Vozad
{
// The compiled-in shaders. The first eight are the rows of the engine shader table, in row order;
// the last two belong to the transparency passes.
enum class BuiltInShader : uint32_t
{
    BatchedFontShader,
    BatchedColorSpriteShader,
    BatchedTextureSpriteShader,
    BatchedTextureSpriteShader_WB,
    BatchedTextureSpriteShader_DP,
    OverlapShader,
    NonBatchedColorSpriteShader,
    NonBatchedTextureSpriteShader,
    CompositeShader,
    ScreenShader,
    Count,
};

inline constexpr uint32_t k_EngineShaderCount = static_cast<uint32_t>(BuiltInShader::CompositeShader);
using EngineShaderTable = std::array<ShaderInfo, k_EngineShaderCount>;

// The row of the engine shader table that holds p_Shader (only the first eight have one).
constexpr uint32_t EngineShaderRow(BuiltInShader p_Shader)
{
    return static_cast<uint32_t>(p_Shader);
}

// The text of a compiled-in shader; empty for BuiltInShader::Count.
std::string_view BuiltInShaderText(BuiltInShader p_Shader);

// The attributes and uniforms of the textured-sprite row that its plain variant does not have: the
// scene asks every sprite shader for them, and the variant answers -1 without a Warning.
std::span<const std::string_view> PlainSpritesLeftOut();

class ShaderHandler : public IShaderSource
{
public:
    // Only OpenGL builds shaders; under any other API every load fails.
    explicit ShaderHandler(int32_t p_GraphicsApi = k_GraphicsApiOpenGL);
    ShaderHandler(const ShaderHandler&) = delete;
    ShaderHandler& operator=(const ShaderHandler&) = delete;
    ~ShaderHandler() override = default;

    void SetGraphicsApi(int32_t p_GraphicsApi) { m_GraphicsApi = p_GraphicsApi; }

    // p_Source is the name of a loaded shader, a shader text or the path of a file holding one.
    // What was loaded before (found by the source itself or by the name it carries) is returned
    // without compiling again. The empty ShaderInfo when nothing could be loaded. p_LeftOut names
    // what the text lacks by design (OpenGLShader), for a shader compiled here.
    ShaderInfo LoadShader(const Lib::String& p_Source, std::span<const std::string_view> p_LeftOut = {});

    // The first shader whose GL program is p_Program; none ends the process.
    Lib::Ref<IShader> GetShaderBySlot(uint32_t p_Program) const;
    // The first shader whose name equals p_GroupName exactly; none ends the process.
    const IShader& GetShaderByGroupName(const Lib::String& p_GroupName) const override;
    // A row of the engine shader table; a row outside the table or not loaded ends the process.
    const IShader& GetEngineShader(uint32_t p_Row) const override;
    // The textured-sprite row has a plain variant (loaded with the table); no other shader has one.
    const IShader* GetPlainVariant(const IShader& p_Shader) const override;

    // Loads the eight rows of the engine shader table in order; the first failure stops the loading
    // and returns false, leaving the rows behind it empty. The plain variant of the textured-sprite
    // row is loaded behind them; without it every batch is drawn by the row itself.
    bool LoadEngineShaders();
    const EngineShaderTable& GetEngineShaderTable() const { return m_EngineShaders; }

    // Releases every shader and forgets every load (renderer shutdown).
    void Clear();

    uint32_t GetShaderCount() const { return m_Shaders.Count(); }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    IShader& FindBySlot(uint32_t p_Program) const;

    Lib::LogTag m_Tag{"ShaderHandler"};
    int32_t m_GraphicsApi = k_GraphicsApiOpenGL;
    Lib::DynamicArray<Lib::Ref<IShader>> m_Shaders;        // in load order
    std::unordered_map<std::string, ShaderInfo> m_InfoMap; // shader name -> what its load returned
    EngineShaderTable m_EngineShaders;
    ShaderInfo m_PlainSprites; // program 0 when the variant could not be made
};
} // namespace Vozad

#include "Corvan/Renderer/ShaderHandler.h"

#include "Corvan/Renderer/OpenGL/OpenGLShader.h"
#include "Corvan/Renderer/ShaderSource.h"
#include "Embedded/EngineResources.h"

#include <cstddef>
#include <iterator>

namespace Vozad
{
namespace
{
struct EmbeddedText
{
    const unsigned char* const* data;
    const std::size_t* size;
};

#define VOZAD_SHADER_TEXT(symbol)                                                                            \
    {                                                                                                        \
        &Resources::symbol##Data, &Resources::symbol##Size                                                   \
    }
// In the order of BuiltInShader.
constexpr EmbeddedText k_BuiltInTexts[] = {
    VOZAD_SHADER_TEXT(Shaders_BatchedFontShader_glsl),
    VOZAD_SHADER_TEXT(Shaders_BatchedColorSpriteShader_glsl),
    VOZAD_SHADER_TEXT(Shaders_BatchedTextureSpriteShader_glsl),
    VOZAD_SHADER_TEXT(Shaders_BatchedTextureSpriteShader_WB_glsl),
    VOZAD_SHADER_TEXT(Shaders_BatchedTextureSpriteShader_DP_glsl),
    VOZAD_SHADER_TEXT(Shaders_OverlapShader_glsl),
    VOZAD_SHADER_TEXT(Shaders_NonBatchedColorSpriteShader_glsl),
    VOZAD_SHADER_TEXT(Shaders_NonBatchedTextureSpriteShader_glsl),
    VOZAD_SHADER_TEXT(Shaders_CompositeShader_glsl),
    VOZAD_SHADER_TEXT(Shaders_ScreenShader_glsl),
};
#undef VOZAD_SHADER_TEXT
static_assert(std::size(k_BuiltInTexts) == static_cast<std::size_t>(BuiltInShader::Count),
              "every built-in shader needs its text, in the order of BuiltInShader");

// The key of the empty ShaderInfo: nothing was loaded.
constexpr uint64_t k_NothingLoaded = ~0ull;

// A compiled-in shader compiled again with a define, as a shader of its own; what the define drops
// is listed with it, so that the scene's questions for those names are no news in the log.
struct ShaderVariant
{
    BuiltInShader base;
    std::string_view nameSuffix;
    std::string_view define;
    std::span<const std::string_view> leftOut;
};

// Without repeating, scrolling, the border and picking.
constexpr std::string_view k_PlainSpritesLeftOut[] = {
    "a_InTextureShift", "a_InTextureScale", "a_InFrameBufferID", "a_DrawBorder", "u_UseFrameBuffer"};
constexpr ShaderVariant k_PlainSprites{BuiltInShader::BatchedTextureSpriteShader, "_Plain", "PLAIN_SPRITES",
                                       k_PlainSpritesLeftOut};
} // namespace

std::span<const std::string_view> PlainSpritesLeftOut()
{
    return k_PlainSprites.leftOut;
}

std::string_view BuiltInShaderText(BuiltInShader p_Shader)
{
    const auto index = static_cast<std::size_t>(p_Shader);
    if (index >= std::size(k_BuiltInTexts))
        return std::string_view();
    const EmbeddedText& text = k_BuiltInTexts[index];
    return std::string_view(reinterpret_cast<const char*>(*text.data), *text.size);
}

ShaderHandler::ShaderHandler(int32_t p_GraphicsApi) : m_GraphicsApi(p_GraphicsApi)
{
    m_InfoMap.max_load_factor(1.0f);
    m_InfoMap.rehash(8);
}

ShaderInfo ShaderHandler::LoadShader(const Lib::String& p_Source, std::span<const std::string_view> p_LeftOut)
{
    if (p_Source.IsEmpty())
        return ShaderInfo();

    const std::string source = p_Source.ToNarrow().Bytes();
    const auto bySource = m_InfoMap.find(source);
    if (bySource != m_InfoMap.end())
        return bySource->second;

    // A text without a name must not be taken for another nameless one: it is always compiled.
    const std::string name =
        OpenGLShader::IsShaderFile(p_Source) ? std::string(FileNamePart(source)) : ShaderNameInText(source);
    if (!name.empty())
    {
        const auto byName = m_InfoMap.find(name);
        if (byName != m_InfoMap.end())
            return byName->second;
    }

    Lib::Ref<IShader> shader;
    if (m_GraphicsApi == k_GraphicsApiOpenGL)
        shader = Lib::MakeRef<OpenGLShader>(p_Source, p_LeftOut);
    ShaderInfo info;
    if (!shader || !shader->Load(info))
    {
        LogError(m_Tag, "Unable to create the shader, shader name: %s", source.c_str());
        return ShaderInfo();
    }
    m_Shaders.Add(shader);
    m_InfoMap.emplace(shader->GetName().ToNarrow().Bytes(), info);
    return info;
}

IShader& ShaderHandler::FindBySlot(uint32_t p_Program) const
{
    for (const Lib::Ref<IShader>& shader : m_Shaders)
    {
        if (shader->GetProgram() == p_Program)
            return *shader;
    }
    LogFatal(m_Tag, "Could not get shader from slot: %u", p_Program);
}

Lib::Ref<IShader> ShaderHandler::GetShaderBySlot(uint32_t p_Program) const
{
    return Lib::Ref<IShader>(&FindBySlot(p_Program));
}

const IShader& ShaderHandler::GetShaderByGroupName(const Lib::String& p_GroupName) const
{
    for (const Lib::Ref<IShader>& shader : m_Shaders)
    {
        if (shader->GetName() == p_GroupName)
            return *shader;
    }
    LogFatal(m_Tag, "Could not get shader from group name %s", p_GroupName.ToNarrow().Data());
}

const IShader& ShaderHandler::GetEngineShader(uint32_t p_Row) const
{
    if (p_Row >= k_EngineShaderCount)
        LogFatal(m_Tag, "Unknown engine shader row: %u", p_Row);
    return FindBySlot(m_EngineShaders[p_Row].program);
}

const IShader* ShaderHandler::GetPlainVariant(const IShader& p_Shader) const
{
    const uint32_t spriteRow = EngineShaderRow(k_PlainSprites.base);
    if (m_PlainSprites.program == 0 || p_Shader.GetProgram() != m_EngineShaders[spriteRow].program)
        return nullptr;
    return &FindBySlot(m_PlainSprites.program);
}

bool ShaderHandler::LoadEngineShaders()
{
    for (uint32_t row = 0; row < k_EngineShaderCount; ++row)
    {
        const ShaderInfo info = LoadShader(Lib::String(BuiltInShaderText(static_cast<BuiltInShader>(row))));
        if (info.shaderKey == k_NothingLoaded)
            return false;
        LogInfo(m_Tag, "Default shader loaded: %s", info.name.ToNarrow().Data());
        m_EngineShaders[row] = info;
    }
    const ShaderInfo plain =
        LoadShader(Lib::String(ShaderVariantText(BuiltInShaderText(k_PlainSprites.base),
                                                 k_PlainSprites.nameSuffix, k_PlainSprites.define)),
                   k_PlainSprites.leftOut);
    m_PlainSprites = plain.shaderKey == k_NothingLoaded ? ShaderInfo() : plain;
    return true;
}

void ShaderHandler::Clear()
{
    m_EngineShaders = EngineShaderTable();
    m_PlainSprites = ShaderInfo();
    m_InfoMap.clear();
    m_Shaders.Clear();
}
} // namespace Vozad

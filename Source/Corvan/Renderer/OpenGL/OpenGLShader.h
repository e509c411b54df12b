#pragma once
// One GL program built from a shader text (or a file holding one). No GL type appears here; the
// program is created by Load, on the thread whose GL context is current, and deleted with the object.
#include "Corvan/Renderer/IShader.h"
#include "Corvan/Renderer/ShaderInfo.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Vozad
{
class OpenGLShader : public IShader
{
public:
    // p_Source: a shader text, or the path of a file holding one. p_LeftOut: attributes and uniforms
    // the text lacks by design (a variant whose define drops them); asking for one of them answers
    // -1 like any missing name, but without a Warning.
    explicit OpenGLShader(const Lib::String& p_Source, std::span<const std::string_view> p_LeftOut = {});
    ~OpenGLShader() override;

    bool Load(ShaderInfo& p_Info) override;
    void Bind() const override;
    bool IsBound() const override { return m_Bound; }
    void Unbind() const override;
    const Lib::String& GetName() const override { return m_Name; }
    uint32_t GetProgram() const override { return m_Program; }
    void SetUniform1ui(const char* p_Name, uint32_t p_Value) const override;
    void SetUniform1i(const char* p_Name, int32_t p_Value) const override;
    void SetUniform1f(const char* p_Name, float p_Value) const override;
    void SetUniform3f(const char* p_Name, float p_X, float p_Y, float p_Z) const override;
    void SetUniform4f(const char* p_Name, float p_X, float p_Y, float p_Z, float p_W) const override;
    void SetUniformColour(const char* p_Name, uint8_t p_Red, uint8_t p_Green, uint8_t p_Blue,
                          uint8_t p_Alpha) const override;
    void SetUniform2f(const char* p_Name, const glm::vec2& p_Value) const override;
    void SetUniform4f(const char* p_Name, const glm::vec4& p_Value) const override;
    void SetUniformMatrix4(const char* p_Name, const float* p_Matrix) const override;
    bool HasUniform(const char* p_Name) const override;
    int32_t GetAttributeLocation(const char* p_Name) const override;

    // True when the source names an existing file that is not a folder; such a source is read
    // instead of compiled as it stands.
    static bool IsShaderFile(const Lib::String& p_Source);

    bool IsFromFile() const { return m_FromFile; }
    const Lib::String& GetSource() const { return m_Source; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    using LocationCache = std::unordered_map<std::string, int32_t>;

    // The parsed stage texts are compiled and linked into m_Program; false after logging why.
    // p_Name names the shader when the driver gives no reason for a failed link.
    bool Build(const std::string& p_VertexText, const std::string& p_FragmentText, const std::string& p_Name);
    int32_t UniformLocation(const char* p_Name) const;
    // A Warning for a name GL does not know, unless the shader lacks it by design.
    void ReportMissing(const char* p_Kind, const char* p_Name) const;

    Lib::LogTag m_Tag{"OpenGLShader"};
    uint32_t m_Program = 0;       // 0 until a link succeeded
    mutable bool m_Bound = false; // binding changes GL state, not the shader, so const users may bind
    bool m_FromFile = false;
    Lib::String m_Source; // as passed: the text or the path
    Lib::String m_Name;
    std::vector<std::string> m_LeftOut;
    // Every answer GL gave, -1 included, so a missing name is reported only the first time.
    mutable LocationCache m_UniformLocations;
    mutable LocationCache m_AttributeLocations;
};
} // namespace Vozad

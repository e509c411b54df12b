#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/OpenGL/OpenGLShader.h"

#include "Corvan/Renderer/Fnv1a.h"
#include "Corvan/Renderer/ShaderSource.h"
#include "Lib/Platform/File.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace Vozad
{
namespace
{
std::string ShaderLog(GLuint p_Shader)
{
    GLint length = 0;
    GL_CHECK(glGetShaderiv(p_Shader, GL_INFO_LOG_LENGTH, &length));
    std::vector<GLchar> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GL_CHECK(glGetShaderInfoLog(p_Shader, static_cast<GLsizei>(text.size()), nullptr, text.data()));
    return std::string(text.data());
}

std::string ProgramLog(GLuint p_Program)
{
    GLint length = 0;
    GL_CHECK(glGetProgramiv(p_Program, GL_INFO_LOG_LENGTH, &length));
    std::vector<GLchar> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GL_CHECK(glGetProgramInfoLog(p_Program, static_cast<GLsizei>(text.size()), nullptr, text.data()));
    return std::string(text.data());
}

// 0 for an empty stage text: a stage that is not there is not compiled.
GLuint CreateStage(GLenum p_Type, const std::string& p_Text)
{
    if (p_Text.empty())
        return 0;
    const GLuint shader = GL_CHECK_VALUE(glCreateShader(p_Type));
    const GLchar* text = p_Text.c_str();
    GL_CHECK(glShaderSource(shader, 1, &text, nullptr));
    GL_CHECK(glCompileShader(shader));
    return shader;
}

bool IsCompiled(GLuint p_Shader)
{
    GLint status = GL_FALSE;
    GL_CHECK(glGetShaderiv(p_Shader, GL_COMPILE_STATUS, &status));
    return status == GL_TRUE;
}
} // namespace

OpenGLShader::OpenGLShader(const Lib::String& p_Source, std::span<const std::string_view> p_LeftOut)
    : m_Source(p_Source), m_LeftOut(p_LeftOut.begin(), p_LeftOut.end())
{
}

OpenGLShader::~OpenGLShader()
{
    if (m_Program != 0)
        GL_CHECK(glDeleteProgram(m_Program));
}

bool OpenGLShader::IsShaderFile(const Lib::String& p_Source)
{
    // A shader text is no valid path (too long, or no such file); the error code turns both into
    // "not a file" instead of an exception.
    std::error_code error;
    const std::filesystem::path path(p_Source.ToNarrow().Bytes());
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool OpenGLShader::Load(ShaderInfo& p_Info)
{
    const std::string source = m_Source.ToNarrow().Bytes();
    m_FromFile = IsShaderFile(m_Source);
    std::string text = source;
    if (m_FromFile)
    {
        Lib::File file(m_Source, Lib::FileMode::ReadBinary);
        if (file.Read() != 0)
            LogError(m_Tag, "Could not read shader file \"%s\": %s", source.c_str(),
                     file.ErrorText().ToNarrow().Data());
        text = file.Content().ToNarrow().Bytes();
    }

    ShaderStages stages;
    const ShaderTextResult parsed = ParseShaderText(text, stages);
    if (parsed == ShaderTextResult::NoLineFeed)
        LogError(m_Tag, "Shader \"%s\" does not contain any text, from file: true", source.c_str());
    else if (parsed == ShaderTextResult::NameMissing)
        LogError(m_Tag, "Shader \"%s\" has a #shadername line without a name", source.c_str());

    const std::string name = m_FromFile ? std::string(FileNamePart(source)) : stages.name;
    if (parsed != ShaderTextResult::Parsed || stages.vertex.empty() || stages.fragment.empty() ||
        !Build(stages.vertex, stages.fragment, name))
    {
        LogError(m_Tag, "Could not load shader from %s: \"%s\"", m_FromFile ? "file" : "string",
                 source.c_str());
        return false;
    }

    m_Name = Lib::String(std::string_view(name));
    p_Info.shaderKey = Fnv1a64(m_Name.ToNarrow().Bytes());
    p_Info.program = m_Program;
    p_Info.name = m_Name;
    return true;
}

bool OpenGLShader::Build(const std::string& p_VertexText, const std::string& p_FragmentText,
                         const std::string& p_Name)
{
    const GLuint vertex = CreateStage(GL_VERTEX_SHADER, p_VertexText);
    const GLuint fragment = CreateStage(GL_FRAGMENT_SHADER, p_FragmentText);
    if (vertex == 0 || fragment == 0)
    {
        if (vertex != 0)
            GL_CHECK(glDeleteShader(vertex));
        if (fragment != 0)
            GL_CHECK(glDeleteShader(fragment));
        return false;
    }

    for (const auto& [stage, stageName] : {std::pair{vertex, "vertex"}, std::pair{fragment, "fragment"}})
    {
        if (IsCompiled(stage))
            continue;
        LogError(m_Tag, "Failed to compile %s shader!", stageName);
        LogError(m_Tag, "OpenGL error message:\n%s", ShaderLog(stage).c_str());
        GL_CHECK(glDeleteShader(vertex));
        GL_CHECK(glDeleteShader(fragment));
        return false;
    }

    const GLuint program = GL_CHECK_VALUE(glCreateProgram());
    GL_CHECK(glAttachShader(program, vertex));
    GL_CHECK(glAttachShader(program, fragment));
    GL_CHECK(glLinkProgram(program));
    GLint linked = GL_FALSE;
    GL_CHECK(glGetProgramiv(program, GL_LINK_STATUS, &linked));
    if (linked != GL_TRUE)
    {
        LogError(m_Tag, "Failed to compile program");
        LogError(m_Tag, "OpenGL error message:\n%s", LinkFailureText(ProgramLog(program), p_Name).c_str());
        GL_CHECK(glDeleteShader(vertex));
        GL_CHECK(glDeleteShader(fragment));
        GL_CHECK(glDeleteProgram(program));
        return false;
    }

    GLint attributeCount = 0;
    GLint uniformCount = 0;
    GL_CHECK(glGetProgramiv(program, GL_ACTIVE_ATTRIBUTES, &attributeCount));
    GL_CHECK(glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &uniformCount));
    GL_CHECK(glDetachShader(program, vertex));
    GL_CHECK(glDetachShader(program, fragment));
    // The linked program no longer needs its stages; kept, they would live until the context dies.
    GL_CHECK(glDeleteShader(vertex));
    GL_CHECK(glDeleteShader(fragment));
    if (m_Program != 0)
        GL_CHECK(glDeleteProgram(m_Program));
    m_Program = program;
    return m_Program != 0;
}

void OpenGLShader::Bind() const
{
    GL_CHECK(glUseProgram(m_Program));
    m_Bound = true;
}

void OpenGLShader::Unbind() const
{
    GL_CHECK(glUseProgram(0));
    m_Bound = false;
}

int32_t OpenGLShader::UniformLocation(const char* p_Name) const
{
    const auto found = m_UniformLocations.find(p_Name);
    if (found != m_UniformLocations.end())
        return found->second;
    const int32_t location = GL_CHECK_VALUE(glGetUniformLocation(m_Program, p_Name));
    if (location == -1)
        ReportMissing("uniform", p_Name);
    m_UniformLocations.emplace(p_Name, location);
    return location;
}

int32_t OpenGLShader::GetAttributeLocation(const char* p_Name) const
{
    const auto found = m_AttributeLocations.find(p_Name);
    if (found != m_AttributeLocations.end())
        return found->second;
    const int32_t location = GL_CHECK_VALUE(glGetAttribLocation(m_Program, p_Name));
    if (location == -1)
        ReportMissing("attribute", p_Name);
    m_AttributeLocations.emplace(p_Name, location);
    return location;
}

void OpenGLShader::ReportMissing(const char* p_Kind, const char* p_Name) const
{
    if (std::find(m_LeftOut.begin(), m_LeftOut.end(), p_Name) != m_LeftOut.end())
        return;
    LogWarning(m_Tag, "Warning: %s '%s' doesn't exist in shader \"%s\"!", p_Kind, p_Name,
               m_Name.ToNarrow().Data());
}

bool OpenGLShader::HasUniform(const char* p_Name) const
{
    return UniformLocation(p_Name) != -1;
}

void OpenGLShader::SetUniform1ui(const char* p_Name, uint32_t p_Value) const
{
    GL_CHECK(glUniform1ui(UniformLocation(p_Name), p_Value));
}

void OpenGLShader::SetUniform1i(const char* p_Name, int32_t p_Value) const
{
    GL_CHECK(glUniform1i(UniformLocation(p_Name), p_Value));
}

void OpenGLShader::SetUniform1f(const char* p_Name, float p_Value) const
{
    GL_CHECK(glUniform1f(UniformLocation(p_Name), p_Value));
}

void OpenGLShader::SetUniform3f(const char* p_Name, float p_X, float p_Y, float p_Z) const
{
    GL_CHECK(glUniform3f(UniformLocation(p_Name), p_X, p_Y, p_Z));
}

void OpenGLShader::SetUniform4f(const char* p_Name, float p_X, float p_Y, float p_Z, float p_W) const
{
    GL_CHECK(glUniform4f(UniformLocation(p_Name), p_X, p_Y, p_Z, p_W));
}

void OpenGLShader::SetUniformColour(const char* p_Name, uint8_t p_Red, uint8_t p_Green, uint8_t p_Blue,
                                    uint8_t p_Alpha) const
{
    GL_CHECK(glUniform4f(UniformLocation(p_Name), p_Red / 255.0f, p_Green / 255.0f, p_Blue / 255.0f,
                         p_Alpha / 255.0f));
}

void OpenGLShader::SetUniform2f(const char* p_Name, const glm::vec2& p_Value) const
{
    GL_CHECK(glUniform2f(UniformLocation(p_Name), p_Value.x, p_Value.y));
}

void OpenGLShader::SetUniform4f(const char* p_Name, const glm::vec4& p_Value) const
{
    GL_CHECK(glUniform4f(UniformLocation(p_Name), p_Value.x, p_Value.y, p_Value.z, p_Value.w));
}

void OpenGLShader::SetUniformMatrix4(const char* p_Name, const float* p_Matrix) const
{
    GL_CHECK(glUniformMatrix4fv(UniformLocation(p_Name), 1, GL_FALSE, p_Matrix));
}
} // namespace Vozad

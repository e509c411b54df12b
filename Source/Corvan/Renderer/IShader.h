#pragma once
// A compiled shader program as the renderer and the scene use it; OpenGLShader implements it.
// Shaders are shared by reference count: the shader handler holds one reference to each.
#include "Corvan/Renderer/ShaderInfo.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstdint>

namespace Vozad
{
// Uniform setters act on the program that is bound; callers bind first. A name the program lacks
// sets nothing and is reported once per shader.
class IShader : public Lib::ReferenceCounter
{
public:
    ~IShader() override = default;

    // Builds the program from the shader's source. On success fills p_Info; on failure leaves it
    // as it was.
    virtual bool Load(ShaderInfo& p_Info) = 0;
    virtual void Bind() const = 0;
    virtual bool IsBound() const = 0;
    virtual void Unbind() const = 0;
    // From the text's "#shadername" line, or the file name for a shader read from a file.
    virtual const Lib::String& GetName() const = 0;
    virtual uint32_t GetProgram() const = 0;
    virtual void SetUniform1ui(const char* p_Name, uint32_t p_Value) const = 0;
    virtual void SetUniform1i(const char* p_Name, int32_t p_Value) const = 0;
    virtual void SetUniform1f(const char* p_Name, float p_Value) const = 0;
    virtual void SetUniform3f(const char* p_Name, float p_X, float p_Y, float p_Z) const = 0;
    virtual void SetUniform4f(const char* p_Name, float p_X, float p_Y, float p_Z, float p_W) const = 0;
    // A vec4 of each channel / 255.
    virtual void SetUniformColour(const char* p_Name, uint8_t p_Red, uint8_t p_Green, uint8_t p_Blue,
                                  uint8_t p_Alpha) const = 0;
    virtual void SetUniform2f(const char* p_Name, const glm::vec2& p_Value) const = 0;
    virtual void SetUniform4f(const char* p_Name, const glm::vec4& p_Value) const = 0;
    // p_Matrix: 16 floats, column-major.
    virtual void SetUniformMatrix4(const char* p_Name, const float* p_Matrix) const = 0;
    virtual bool HasUniform(const char* p_Name) const = 0;
    // -1 when the program has no such attribute (a Warning the first time a name is asked for).
    virtual int32_t GetAttributeLocation(const char* p_Name) const = 0;
};

// Where the scene finds the shader of a shader group and the engine's table rows.
class IShaderSource
{
public:
    virtual ~IShaderSource() = default;
    // The shader whose name is the group name; a group without a loaded shader is a programming
    // error and ends the process.
    virtual const IShader& GetShaderByGroupName(const Lib::String& p_GroupName) const = 0;
    // The shader of a row of the engine shader table (0..7), for the transparency passes.
    virtual const IShader& GetEngineShader(uint32_t p_Row) const = 0;
    // The cheaper variant of p_Shader for batches whose images neither repeat, scroll nor carry a
    // border, drawn without picking; null when p_Shader has none.
    virtual const IShader* GetPlainVariant(const IShader& p_Shader) const = 0;
};
} // namespace Vozad

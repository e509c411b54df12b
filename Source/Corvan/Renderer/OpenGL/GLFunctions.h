#pragma once
// The engine's OpenGL function table: one process-wide pointer per entry point newer than GL 1.1,
// filled once a context is current and never unloaded. Only the GL back end includes this header,
// because it brings the whole of <GL/glcorearb.h> with it; include it before any other GL header.
//
// GL 1.0/1.1 entry points (glClear, glViewport, glEnable, glReadPixels, glGetString, ...) are
// exported by libGL and called directly. The table's pointers live in namespace Vozad under the
// GL names, so code inside Vozad calls them like ordinary GL functions. glcorearb.h can only
// declare the 1.0/1.1 prototypes together with all the others: the global prototypes of the
// table's functions exist for the pointer types below and are never called.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/glcorearb.h>

#include <cstdint>

// The functions GL_InitFunctions loads, in the order it loads and logs them. Adding a function
// here declares its pointer, defines it and loads it; nothing else has to be kept in step.
#define VOZAD_GL_FUNCTION_LIST(X)                                                                            \
    X(glDebugMessageCallback)                                                                                \
    X(glBlendFuncSeparate)                                                                                   \
    X(glAttachShader)                                                                                        \
    X(glBindBuffer)                                                                                          \
    X(glBindVertexArray)                                                                                     \
    X(glBufferData)                                                                                          \
    X(glBufferSubData)                                                                                       \
    X(glCompileShader)                                                                                       \
    X(glCreateProgram)                                                                                       \
    X(glCreateShader)                                                                                        \
    X(glDeleteBuffers)                                                                                       \
    X(glDeleteProgram)                                                                                       \
    X(glDeleteShader)                                                                                        \
    X(glDeleteVertexArrays)                                                                                  \
    X(glDetachShader)                                                                                        \
    X(glEnableVertexAttribArray)                                                                             \
    X(glGenBuffers)                                                                                          \
    X(glGenVertexArrays)                                                                                     \
    X(glGetAttribLocation)                                                                                   \
    X(glGetProgramInfoLog)                                                                                   \
    X(glGetProgramiv)                                                                                        \
    X(glGetShaderInfoLog)                                                                                    \
    X(glGetShaderiv)                                                                                         \
    X(glLinkProgram)                                                                                         \
    X(glValidateProgram)                                                                                     \
    X(glShaderSource)                                                                                        \
    X(glUseProgram)                                                                                          \
    X(glVertexAttribIPointer)                                                                                \
    X(glVertexAttribPointer)                                                                                 \
    X(glVertexAttribDivisor)                                                                                 \
    X(glBindAttribLocation)                                                                                  \
    X(glBindFragDataLocation)                                                                                \
    X(glGetUniformLocation)                                                                                  \
    X(glActiveTexture)                                                                                       \
    X(glGenerateMipmap)                                                                                      \
    X(glDisableVertexAttribArray)                                                                            \
    X(glUniformMatrix4fv)                                                                                    \
    X(glUniform1ui)                                                                                          \
    X(glUniform1i)                                                                                           \
    X(glUniform1f)                                                                                           \
    X(glUniform2f)                                                                                           \
    X(glUniform3f)                                                                                           \
    X(glUniform4f)                                                                                           \
    X(glUniform3fv)                                                                                          \
    X(glUniform4fv)                                                                                          \
    X(glGetBufferParameteriv)                                                                                \
    X(glDrawArraysInstanced)                                                                                 \
    X(glDrawElementsInstanced)                                                                               \
    X(glDrawElementsInstancedBaseInstance)                                                                   \
    X(glTexStorage3D)                                                                                        \
    X(glTexSubImage3D)                                                                                       \
    X(glCreateFramebuffers)                                                                                  \
    X(glBindFramebuffer)                                                                                     \
    X(glBlitFramebuffer)                                                                                     \
    X(glDeleteFramebuffers)                                                                                  \
    X(glGenRenderbuffers)                                                                                    \
    X(glDeleteRenderbuffers)                                                                                 \
    X(glBindRenderbuffer)                                                                                    \
    X(glRenderbufferStorage)                                                                                 \
    X(glFramebufferRenderbuffer)                                                                             \
    X(glCreateTextures)                                                                                      \
    X(glFramebufferTexture2D)                                                                                \
    X(glGetActiveAttrib)                                                                                     \
    X(glGetActiveUniform)                                                                                    \
    X(glDrawBuffers)                                                                                         \
    X(glClearBufferfv)                                                                                       \
    X(glClearBufferuiv)                                                                                      \
    X(glBlendEquation)                                                                                       \
    X(glBlendEquationi)                                                                                      \
    X(glBlendFunci)                                                                                          \
    X(glClearTexImage)                                                                                       \
    X(glBindImageTexture)                                                                                    \
    X(glMemoryBarrier)                                                                                       \
    X(glGenQueries)                                                                                          \
    X(glDeleteQueries)                                                                                       \
    X(glGetQueryObjectuiv)                                                                                   \
    X(glGetQueryObjectiv)                                                                                    \
    X(glBeginQuery)                                                                                          \
    X(glEndQuery)

// Entry points outside that list: the texture and frame-buffer functions loaded with the
// extensions (array textures grow, and frame buffers are made, with the GL 1.2 and 3.0 ones that
// every 4.0 context has, not with the 4.5 glCreateFramebuffers of the list), and the indexed
// string query the context description needs; the multisampled main render target's storage;
// the image copy (GL 4.3 or ARB_copy_image) that growing array textures use where the context has it.
#define VOZAD_GL_EXTRA_FUNCTION_LIST(X)                                                                      \
    X(glTexStorage2D)                                                                                        \
    X(glCopyImageSubData)                                                                                    \
    X(glCheckFramebufferStatus)                                                                              \
    X(glTexImage3D)                                                                                          \
    X(glCopyTexSubImage3D)                                                                                   \
    X(glGenFramebuffers)                                                                                     \
    X(glFramebufferTextureLayer)                                                                             \
    X(glRenderbufferStorageMultisample)                                                                      \
    X(glGetStringi)

namespace Vozad
{
#define VOZAD_GL_DECLARE_POINTER(name) extern decltype(&::name) name;
VOZAD_GL_FUNCTION_LIST(VOZAD_GL_DECLARE_POINTER)
VOZAD_GL_EXTRA_FUNCTION_LIST(VOZAD_GL_DECLARE_POINTER)
#undef VOZAD_GL_DECLARE_POINTER

// How an entry point is found by name; SDL_GL_GetProcAddress in the engine.
using GLProcLookup = void* (*)(const char* p_Name);

// Loads the list above in order with SDL_GL_GetProcAddress (log tag "GL_InitFunctions"): one Info
// line per loaded function; the first one missing logs one Error line and ends the load, leaving
// the functions behind it as they were. Needs a current context.
bool GL_InitFunctions();
// The same with another lookup, so the stop at a missing function can be exercised.
bool GL_InitFunctions(GLProcLookup p_Lookup);

// Loads glTexStorage2D, glCheckFramebufferStatus, the functions array textures grow with and the
// multisampled renderbuffer storage; false, without a message, when one is missing.
bool GL_InitExtensions();

// Loads glGetStringi; false, without a message, when it is missing.
bool GL_LoadGetStringi();

// The symbolic name of a glGetError value ("GL_INVALID_ENUM", ...); "GL_UNKNOWN_ERROR" otherwise.
const char* GL_ErrorName(GLenum p_Error);

// Drains glGetError; logs every error with the call's text and place (log tag "GL_CHECK").
// Returns true when there was none.
bool GL_CheckErrors(const char* p_Call, const char* p_File, int32_t p_Line);
} // namespace Vozad

namespace Vozad
{
// GL_CHECK_VALUE's debug half: the call's result, once its errors are reported.
template <typename T> T GL_CheckedValue(T p_Value, const char* p_Call, const char* p_File, int32_t p_Line)
{
    GL_CheckErrors(p_Call, p_File, p_Line);
    return p_Value;
}
} // namespace Vozad

// Every GL call outside this header's loader goes through one of these three (Tools/GLCallCheck
// fails the build's tests on a bare one). Debug builds report every GL error a call leaves behind,
// with the call's text and place; release builds only make the call.
//   GL_CHECK(glBindTexture(...));             a call made for its effect
//   GLint id = GL_CHECK_VALUE(glCreateProgram());   a call whose result is used
//   GL_HANDLED(glTexImage3D(...));            the caller reads glGetError itself (a probe): a check
//                                             here would take the error it is waiting for
#ifndef NDEBUG
#define GL_CHECK(call)                                                                                       \
    do                                                                                                       \
    {                                                                                                        \
        call;                                                                                                \
        ::Vozad::GL_CheckErrors(#call, __FILE__, __LINE__);                                                  \
    } while (false)
#define GL_CHECK_VALUE(call) ::Vozad::GL_CheckedValue((call), #call, __FILE__, __LINE__)
#else
#define GL_CHECK(call)                                                                                       \
    do                                                                                                       \
    {                                                                                                        \
        call;                                                                                                \
    } while (false)
#define GL_CHECK_VALUE(call) (call)
#endif
#define GL_HANDLED(call) (call)

#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Lib/Log.h"

#include <SDL2/SDL.h>

namespace Vozad
{
#define VOZAD_GL_DEFINE_POINTER(name) decltype(&::name) name = nullptr;
VOZAD_GL_FUNCTION_LIST(VOZAD_GL_DEFINE_POINTER)
VOZAD_GL_EXTRA_FUNCTION_LIST(VOZAD_GL_DEFINE_POINTER)
#undef VOZAD_GL_DEFINE_POINTER

namespace
{
void* LookUpWithSdl(const char* p_Name)
{
    return SDL_GL_GetProcAddress(p_Name);
}

template <typename Pointer> bool Resolve(GLProcLookup p_Lookup, const char* p_Name, Pointer& p_Slot)
{
    p_Slot = reinterpret_cast<Pointer>(p_Lookup(p_Name));
    return p_Slot != nullptr;
}

template <typename Pointer>
bool Load(const Lib::LogTag& p_Tag, GLProcLookup p_Lookup, const char* p_Name, Pointer& p_Slot)
{
    if (!Resolve(p_Lookup, p_Name, p_Slot))
    {
        LogError(p_Tag, "Unable to load GL function: %s", p_Name);
        return false;
    }
    LogInfo(p_Tag, "Successfully loaded GL function: %s", p_Name);
    return true;
}
} // namespace

bool GL_InitFunctions()
{
    return GL_InitFunctions(&LookUpWithSdl);
}

bool GL_InitFunctions(GLProcLookup p_Lookup)
{
    const Lib::LogTag tag("GL_InitFunctions");
#define VOZAD_GL_LOAD(name)                                                                                  \
    if (!Load(tag, p_Lookup, #name, name))                                                                   \
        return false;
    VOZAD_GL_FUNCTION_LIST(VOZAD_GL_LOAD)
#undef VOZAD_GL_LOAD
    return true;
}

bool GL_InitExtensions()
{
    // SDL's lookup already falls back to the library's own exports when the GLX lookup has none.
    const bool storage = Resolve(&LookUpWithSdl, "glTexStorage2D", glTexStorage2D);
    const bool status = Resolve(&LookUpWithSdl, "glCheckFramebufferStatus", glCheckFramebufferStatus);
    const bool growth = Resolve(&LookUpWithSdl, "glTexImage3D", glTexImage3D) &&
                        Resolve(&LookUpWithSdl, "glCopyTexSubImage3D", glCopyTexSubImage3D) &&
                        Resolve(&LookUpWithSdl, "glGenFramebuffers", glGenFramebuffers) &&
                        Resolve(&LookUpWithSdl, "glFramebufferTextureLayer", glFramebufferTextureLayer);
    const bool multisample =
        Resolve(&LookUpWithSdl, "glRenderbufferStorageMultisample", glRenderbufferStorageMultisample);
    // Optional: without it, array textures grow through a frame buffer.
    Resolve(&LookUpWithSdl, "glCopyImageSubData", glCopyImageSubData);
    return storage && status && growth && multisample;
}

bool GL_LoadGetStringi()
{
    return Resolve(&LookUpWithSdl, "glGetStringi", glGetStringi);
}

const char* GL_ErrorName(GLenum p_Error)
{
    switch (p_Error)
    {
    case GL_NO_ERROR:
        return "GL_NO_ERROR";
    case GL_INVALID_ENUM:
        return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "GL_INVALID_OPERATION";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "GL_INVALID_FRAMEBUFFER_OPERATION";
    case GL_OUT_OF_MEMORY:
        return "GL_OUT_OF_MEMORY";
    case GL_STACK_UNDERFLOW:
        return "GL_STACK_UNDERFLOW";
    case GL_STACK_OVERFLOW:
        return "GL_STACK_OVERFLOW";
    default:
        return "GL_UNKNOWN_ERROR";
    }
}

bool GL_CheckErrors(const char* p_Call, const char* p_File, int32_t p_Line)
{
    static const Lib::LogTag tag("GL_CHECK");
    bool clean = true;
    // A lost context reports GL_CONTEXT_LOST forever; the bound keeps the loop finite.
    for (int32_t i = 0; i < 16; ++i)
    {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR)
            break;
        LogError(tag, "%s failed with %s (0x%04X) at %s:%d", p_Call, GL_ErrorName(error), error, p_File,
                 p_Line);
        clean = false;
    }
    return clean;
}
} // namespace Vozad

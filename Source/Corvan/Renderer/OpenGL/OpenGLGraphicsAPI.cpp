#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/OpenGL/OpenGLGraphicsAPI.h"

namespace Vozad
{
void OpenGLGraphicsAPI::Clear(uint32_t p_Colour, uint32_t p_Mask) const
{
    GL_CHECK(glClearColor(static_cast<float>(p_Colour & 0xFFu) / 255.0f,
                          static_cast<float>((p_Colour >> 8) & 0xFFu) / 255.0f,
                          static_cast<float>((p_Colour >> 16) & 0xFFu) / 255.0f,
                          static_cast<float>((p_Colour >> 24) & 0xFFu) / 255.0f));
    GL_CHECK(glClear(p_Mask));
}

void OpenGLGraphicsAPI::SetViewport(int32_t p_X, int32_t p_Y, int32_t p_Width, int32_t p_Height,
                                    int32_t p_WindowHeight) const
{
    GL_CHECK(glViewport(p_X, p_WindowHeight - p_Y - p_Height, p_Width, p_Height));
}

void OpenGLGraphicsAPI::DrawArrays(uint32_t p_Count) const
{
    GL_CHECK(glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(p_Count)));
}

void OpenGLGraphicsAPI::DrawArraysInstanced(uint32_t p_Count, uint32_t p_Instances) const
{
    GL_CHECK(glDrawArraysInstanced(GL_TRIANGLES, 0, static_cast<GLsizei>(p_Count),
                                   static_cast<GLsizei>(p_Instances)));
}

void OpenGLGraphicsAPI::DrawElements(uint32_t p_Count) const
{
    GL_CHECK(glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(p_Count), GL_UNSIGNED_INT, nullptr));
}

void OpenGLGraphicsAPI::DrawElementsInstanced(uint32_t p_Count, uint32_t p_Instances) const
{
    GL_CHECK(glDrawElementsInstanced(GL_TRIANGLES, static_cast<GLsizei>(p_Count), GL_UNSIGNED_INT, nullptr,
                                     static_cast<GLsizei>(p_Instances)));
}
} // namespace Vozad

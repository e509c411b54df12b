#pragma once
// A hidden SDL window with the engine's OpenGL context current: the real GL that GL tests draw
// with under the test run's Xvfb.
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"

#include <SDL2/SDL.h>

namespace TestSupport
{
// Starts SDL's video held to X11: SDL would otherwise fall back to its offscreen driver when a
// busy Xvfb refuses a connection for a moment, and a test would draw somewhere else. A refused
// connection gets a few more chances instead.
inline bool StartVideo()
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    for (int attempt = 1; attempt <= 5; ++attempt)
    {
        if (SDL_Init(SDL_INIT_VIDEO) == 0)
            return true;
        SDL_Delay(50 * attempt);
    }
    return false;
}

class GLWindow
{
public:
    GLWindow() = default;
    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;
    ~GLWindow() { Close(); }

    // False when no window or context could be made; SDL_GetError() says why. p_Samples 0 makes
    // a single-sampled window, as the engine's own window is.
    bool Open(int p_Width, int p_Height, const char* p_Title = "GL test",
              int p_Samples = Vozad::OpenGLGraphicsContext::k_DefaultSamples)
    {
        if (!StartVideo())
            return false;
        Vozad::OpenGLGraphicsContext::PrepareWindowAttributes(p_Samples);
        m_Window = SDL_CreateWindow(p_Title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, p_Width,
                                    p_Height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        return m_Window && m_Context.Initialise(m_Window);
    }

    // GL objects of the test must be gone before this runs.
    void Close()
    {
        if (!m_Window)
            return;
        m_Context.Destroy();
        SDL_DestroyWindow(m_Window);
        m_Window = nullptr;
        SDL_Quit();
    }

    SDL_Window* Window() const { return m_Window; }
    Vozad::OpenGLGraphicsContext& Context() { return m_Context; }

private:
    SDL_Window* m_Window = nullptr;
    Vozad::OpenGLGraphicsContext m_Context;
};
} // namespace TestSupport

#include "Corvan/Window/WindowCursor.h"

#include "Corvan/Window/VideoSubsystem.h"
#include "Corvan/Window/WindowErrors.h"

#include <SDL2/SDL.h>

namespace Vozad
{
void WindowCursor::SetCursorPosition(int32_t p_X, int32_t p_Y)
{
    if (m_Window)
        SDL_WarpMouseInWindow(m_Window, p_X, p_Y);
    m_EngineData->cursorPosition = Lib::Point{p_X, p_Y};
}

void WindowCursor::ClipCursorToRect(const Lib::WindowRect& p_Rect)
{
    if (!m_Window)
        return;
    // SDL takes the rectangle in client coordinates and keeps it while the window has focus.
    const SDL_Rect rect{p_Rect.left, p_Rect.top, p_Rect.right - p_Rect.left, p_Rect.bottom - p_Rect.top};
    if (SDL_SetWindowMouseRect(m_Window, &rect) != 0)
        ReportSdlError(m_Tag, "Unable to clip the cursor");
}

void WindowCursor::ReleaseCursorClip()
{
    if (m_Window && SDL_SetWindowMouseRect(m_Window, nullptr) != 0)
        ReportSdlError(m_Tag, "Unable to release the cursor clip");
}

void WindowCursor::SetRawMouseInput(bool p_Enabled)
{
    if (p_Enabled == m_RawMouseInput)
        return;
    // SDL's relative mode gives unaccelerated motion and keeps the hidden pointer inside the
    // window itself, so no clip box around the cursor is needed.
    if (SDL_SetRelativeMouseMode(p_Enabled ? SDL_TRUE : SDL_FALSE) != 0)
    {
        ReportSdlError(m_Tag, "Error during SDL_SetRelativeMouseMode()");
        return;
    }
    m_RawMouseInput = p_Enabled;
    if (p_Enabled)
    {
        SetCursorVisible(false);
    }
    else
    {
        ReleaseCursorClip();
        SetCursorVisible(true);
    }
}

void WindowCursor::SetCursorVisible(bool p_Visible)
{
    if (!m_Video.IsStarted())
        return;
    if (p_Visible && m_CursorShowCounter < 0)
    {
        SDL_ShowCursor(SDL_ENABLE);
        m_CursorShowCounter = 0;
    }
    else if (!p_Visible && m_CursorShowCounter == 0)
    {
        SDL_ShowCursor(SDL_DISABLE);
        m_CursorShowCounter = -1;
    }
}

void WindowCursor::Release()
{
    if (m_Window)
    {
        if (m_RawMouseInput)
            SDL_SetRelativeMouseMode(SDL_FALSE);
        SDL_SetWindowMouseRect(m_Window, nullptr);
    }
    m_RawMouseInput = false;
    if (m_CursorShowCounter < 0 && m_Video.IsStarted())
        SDL_ShowCursor(SDL_ENABLE);
    m_CursorShowCounter = 0;
}
} // namespace Vozad

#pragma once
// The pointer over the window: its position, visibility, clip rectangle and relative (mouse-look)
// mode, and giving all of them back to the desktop when the window goes.
#include "Corvan/Window/EngineData.h"
#include "Lib/Log.h"
#include "Lib/WindowRect.h"

#include <cstdint>

struct SDL_Window;

namespace Vozad
{
class VideoSubsystem;

class WindowCursor
{
public:
    // Everything passed must outlive this object; p_Window is the owner's native window, null
    // while there is none.
    WindowCursor(const Lib::LogTag& p_Tag, EngineData* p_EngineData, SDL_Window* const& p_Window,
                 const VideoSubsystem& p_Video)
        : m_Tag(p_Tag), m_EngineData(p_EngineData), m_Window(p_Window), m_Video(p_Video)
    {
    }

    // Takes and stores client coordinates.
    void SetCursorPosition(int32_t p_X, int32_t p_Y);
    void ClipCursorToRect(const Lib::WindowRect& p_Rect);
    void ReleaseCursorClip();
    void SetRawMouseInput(bool p_Enabled);
    bool IsRawMouseInput() const { return m_RawMouseInput; }
    void SetCursorVisible(bool p_Visible);
    // Leaves relative mode, drops the clip and shows the pointer again, before the window goes.
    void Release();

private:
    const Lib::LogTag& m_Tag;
    EngineData* m_EngineData; // not owned
    SDL_Window* const& m_Window;
    const VideoSubsystem& m_Video;
    bool m_RawMouseInput = false;
    int32_t m_CursorShowCounter = 0; // 0 shown, -1 hidden
};
} // namespace Vozad

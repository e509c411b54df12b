#pragma once
// The game window as the engine and the game see it. Screenshots and popups join this interface
// with the renderer's capture code and the popup toolkit.
#include "Lib/Platform/Timer.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"
#include "Lib/String.h"
#include "Lib/WindowRect.h"

#include <cstdint>

namespace Vozad
{
// The window's rectangles are the foundation's, so the renderer can take them without knowing windows.
using Lib::WindowRect;

class IWindow
{
public:
    virtual ~IWindow() = default;
    virtual int32_t Retain() = 0;
    virtual int32_t Release() = 0;

    virtual bool Show() = 0;
    virtual bool Hide() = 0;
    // Windowed <-> borderless fullscreen.
    virtual void ToggleFullscreen() = 0;
    virtual bool Focus() = 0;
    virtual bool IsCreated() const = 0;
    virtual bool IsResizable() const = 0;
    virtual void SetResizable(bool p_Resizable) = 0;
    // Of the client area on the desktop; negative left of or above the primary monitor.
    virtual Lib::Point GetPosition() const = 0;
    // Moves the client area to that desktop point; a fullscreen window covers the monitor there.
    virtual void SetPosition(int32_t p_X, int32_t p_Y) = 0;
    virtual Lib::RectSize GetWindowSize() const = 0;
    // The client size in windowed mode: while fullscreen, the size that leaving it returns to.
    virtual Lib::RectSize GetWindowedSize() const = 0;
    virtual WindowRect GetRect() const = 0;
    // A WindowMode code.
    virtual int32_t GetWindowMode() const = 0;
    virtual int32_t GetSupportedWindowModes() const = 0;
    // 1 leaves fullscreen; 2 and 4 both enter borderless fullscreen; other codes do nothing.
    virtual void SetWindowMode(int32_t p_Mode) = 0;
    // An encoded image (PNG) in memory; p_Name only names it in the log.
    virtual bool SetIcon(const uint8_t* p_Bytes, uint32_t p_Size, const char* p_Name) = 0;
    // Saves the next frame the window shows as a PNG in "<prefix>Screenshots", read when it is
    // complete and before it is presented (the graphics context does the work; the window hands it
    // its client size). Every request gives its own file.
    virtual void SaveScreenshot(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix) = 0;
    // Cursor operations take and store client coordinates.
    virtual void CenterCursor() = 0;
    virtual void ClipCursorToRect(const WindowRect& p_Rect) = 0;
    virtual void ReleaseCursorClip() = 0;
    // Relative mouse motion with a hidden, captured cursor (mouse-look style input).
    virtual void SetRawMouseInput(bool p_Enabled) = 0;
    virtual void SetCursorPosition(int32_t p_X, int32_t p_Y) = 0;
    virtual void SetCursorVisible(bool p_Visible) = 0;
    virtual void Idle() = 0;
    // False when the size is already the client size.
    virtual bool SetClientSize(uint32_t p_Width, uint32_t p_Height) = 0;
    virtual Lib::ElapsedTime GetUptime() const = 0;
    // Horizontal DPI of the monitor holding the window position; 0 when none holds it.
    virtual double GetDpiScale() const = 0;
    virtual bool RetrieveVSync() const = 0;
    virtual void SwapVSync(bool p_Enabled) = 0;
    // Recomputes the viewport and lays the GUI root out for the current client size.
    virtual void UpdateLayout() = 0;
};
} // namespace Vozad

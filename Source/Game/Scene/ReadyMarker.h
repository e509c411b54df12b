#pragma once
// The "Ready" marker of a fair start: while the snake waits for its first step it outlines the
// head's cell, lights the cell the head goes to and names the wait. Drawn over the board and
// under the menus; it takes no input.
#include "Corvan/Layout/LayoutBase.h"
#include "Game/Scene/BoardLayout.h"
#include "Lib/String.h"

namespace Snake
{
class ReadyMarker : public Vozad::LayoutBase
{
public:
    void Show(const PixelRect& p_Head, const PixelRect& p_Next, const Lib::String& p_Text);
    void Hide() { m_Shown = false; }
    bool IsShown() const { return m_Shown; }

    void Draw(Vozad::IDrawingContext& p_Context) override;
    Vozad::LayoutBase* FindElementAt(Vozad::EventCursor&) override { return nullptr; }
    Vozad::LayoutBase* OnMousePress(Vozad::EventMousePress&) override { return nullptr; }
    Vozad::LayoutBase* OnMouseClick(Vozad::EventMousePress&) override { return nullptr; }

private:
    bool m_Shown = false;
    PixelRect m_Head;
    PixelRect m_Next;
    Lib::String m_Text;
};
} // namespace Snake

#pragma once
// The viewport and the GUI root's rectangle for the window's client size: whatever changes the
// client area (creation, a resize, leaving fullscreen) lays the root out through here.
#include "Corvan/Window/EngineData.h"

#include <cstdint>

namespace Vozad
{
class LayoutBase;

class GuiRootLayout
{
public:
    // p_EngineData receives the viewport and must outlive this object.
    explicit GuiRootLayout(EngineData* p_EngineData) : m_EngineData(p_EngineData) {}

    void SetRoot(LayoutBase* p_Root) { m_Root = p_Root; }
    // Recomputes the viewport and lays the root out for that client size.
    void LayoutFor(uint32_t p_Width, uint32_t p_Height);

    // The viewport for a client size: the whole area, or with a kept fixed aspect ratio the
    // largest centred area of that ratio.
    static Viewport ComputeViewport(uint32_t p_Width, uint32_t p_Height, float p_FixedAspectRatio,
                                    bool p_KeepAspectRatio);

private:
    EngineData* m_EngineData;     // not owned
    LayoutBase* m_Root = nullptr; // not owned
};
} // namespace Vozad

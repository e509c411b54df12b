#include "Corvan/Window/GuiRootLayout.h"

#include "Corvan/Layout/LayoutBase.h"

#include <cmath>

namespace Vozad
{
Viewport GuiRootLayout::ComputeViewport(uint32_t p_Width, uint32_t p_Height, float p_FixedAspectRatio,
                                        bool p_KeepAspectRatio)
{
    const int32_t width = static_cast<int32_t>(p_Width);
    const int32_t height = static_cast<int32_t>(p_Height);
    Viewport viewport{0, width, 0, height};
    if (!p_KeepAspectRatio || !(p_FixedAspectRatio > 0.0f) || width <= 0 || height <= 0)
        return viewport;
    const double ratio = static_cast<double>(p_FixedAspectRatio);
    const double current = static_cast<double>(width) / height;
    if (std::fabs(current - ratio) < 1e-6)
        return viewport;
    if (current > ratio)
    {
        // Wider than wanted: equal bars left and right.
        const int32_t inner = static_cast<int32_t>(std::lround(height * ratio));
        viewport.left = (width - inner) / 2;
        viewport.right = viewport.left + inner;
    }
    else
    {
        const int32_t inner = static_cast<int32_t>(std::lround(width / ratio));
        viewport.top = (height - inner) / 2;
        viewport.bottom = viewport.top + inner;
    }
    return viewport;
}

void GuiRootLayout::LayoutFor(uint32_t p_Width, uint32_t p_Height)
{
    m_EngineData->viewport =
        ComputeViewport(p_Width, p_Height, m_EngineData->fixedAspectRatio, m_EngineData->keepAspectRatio);
    if (m_Root)
    {
        m_Root->SetRect(LayoutRect{0, static_cast<int32_t>(p_Width), 0, static_cast<int32_t>(p_Height)});
        m_Root->UpdateLayout();
    }
}
} // namespace Vozad

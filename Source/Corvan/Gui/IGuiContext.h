#pragma once
// The drawing context plus the frame, display size, text measuring and input-capture queries.
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/TextMetrics.h"
#include "Lib/RectSize.h"

namespace Vozad
{
class IGuiContext : public IDrawingContext
{
public:
    // Loads pending fonts, starts the UI frame; the returned pointer is the frame's draw list
    // (an ImDrawList), opaque to callers. Null without UI contexts.
    virtual void* BeginFrame() = 0;
    virtual void EndFrame() = 0;
    virtual void SetDisplaySize(Lib::RectSize p_Size) = 0;
    // Works inside and outside a frame; an unknown font gives the empty metrics.
    virtual TextMetrics MeasureText(const Lib::String& p_Text, const FontSpec& p_Font) = 0;
    virtual bool WantsKeyboard() const = 0;
    virtual bool WantsMouse() const = 0;
};
} // namespace Vozad

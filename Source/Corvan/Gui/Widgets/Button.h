#pragma once
// A clickable face with a centred text and an optional icon. Clicks go to the forwarder through
// the default click handling; owners tell their buttons apart by the sender.
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Corvan/Renderer/TextureInfo.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
class IGuiEngine;

class Button : public LayoutBase
{
public:
    Button(IGuiEngine* p_Engine, uint32_t p_FontSize = 14, int32_t p_Rounding = 0);

    // Measures at once and places text and icon again.
    void SetText(const Lib::String& p_Text);
    const Lib::String& GetText() const { return m_Text; }
    // An empty text centres the icon; a record of size 0 x 0 (the default) draws no icon.
    void SetIcon(const TextureInfo& p_Icon);
    const TextureInfo& GetIcon() const { return m_Icon; }

    // Colours in the style are 0xAARRGGBB.
    WidgetStyle& GetStyle() { return m_Style; }
    const WidgetStyle& GetStyle() const { return m_Style; }
    int32_t GetNaturalWidth() const { return m_NaturalWidth; }
    int32_t GetNaturalHeight() const { return m_NaturalHeight; }
    int32_t GetPadding() const { return m_Padding; }

    // Returns the button even when it passes no input, so a press routed here always focuses it;
    // only the forwarder is kept out of it then.
    bool TakesKeyboardFocus() const override { return true; }
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;
    Lib::RectSize GetDesiredSize() const override;

private:
    void PlaceContent();

    IGuiEngine* m_Engine; // not owned
    Lib::LogTag m_Tag{"Button"};
    Lib::String m_Text;
    WidgetStyle m_Style;
    TextureInfo m_Icon;
    int32_t m_NaturalWidth = 0;
    int32_t m_NaturalHeight = 0;
    int32_t m_Padding = 6;
};
} // namespace Vozad

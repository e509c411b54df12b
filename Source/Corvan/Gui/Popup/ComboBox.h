#pragma once
// A button-like field showing the selected entry and an arrow; it opens its list as a popup
// directly below itself.
#include "Corvan/Gui/Popup/ComboBoxContent.h"
#include "Corvan/Gui/Popup/Popup.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Corvan/Renderer/TextureInfo.h"
#include "Corvan/Window/IWindow.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
class IComboBoxItemSelect;
class IGuiEngine;

class ComboBox : public LayoutBase, public ComboBoxContent::IListener, public ILayoutEventForwarder
{
public:
    ComboBox(IGuiEngine* p_Engine, uint32_t p_FontSize, IComboBoxItemSelect* p_ItemSelect);
    ~ComboBox() override;

    // The first item, or one added with p_Select, becomes the selection.
    void AddItem(const Lib::String& p_Text, bool p_Select = false);
    void Clear();
    // Shows the list below the field, unless the field is (partly) outside its clip rectangle.
    void OpenDropDown();

    uint32_t GetSelectedIndex() const { return m_Selected; }
    uint32_t GetItemCount() const { return m_Content.GetEntryCount(); }
    const Lib::String& GetItemText(uint32_t p_Index) const { return m_Content.GetEntry(p_Index).GetText(); }
    const Lib::String& GetText() const { return m_FieldStyle.text; } // what the field shows
    bool IsOpen() const { return m_Popup.IsVisible(); }
    bool HasDropDown() const { return m_Popup.GetContent() != nullptr; } // false when the icon failed
    IComboBoxItemSelect* GetItemSelect() const { return m_ItemSelect; }
    const WidgetStyle& GetFieldStyle() const { return m_FieldStyle; }
    const WidgetStyle& GetIconStyle() const { return m_IconStyle; }
    Popup& GetPopup() { return m_Popup; }
    ComboBoxContent& GetContent() { return m_Content; }

    void OnEntrySelected(uint32_t p_Index, const Lib::String& p_Text, bool p_ByUser) override;

    bool TakesKeyboardFocus() const override { return true; }
    bool OnKeyPress(EventKeyInput& p_Event) override;
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    LayoutBase* OnHoverChanged(EventCursor& p_Event) override;
    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;
    Lib::RectSize GetDesiredSize() const override;

    // The list reports a click: the field takes the keyboard focus back.
    LayoutBase* OnMouseClick(EventMousePress& p_Event, LayoutBase& p_Sender) override;

private:
    // Puts the list and the popup below the field, ending at the window's bottom at the latest.
    void PlaceDropDown();
    void UpdatePositions();
    int32_t NaturalWidth() const;
    int32_t NaturalHeight() const;

    Lib::LogTag m_Tag{"ComboBox"};
    IGuiEngine* m_Engine = nullptr; // not owned
    Lib::Ref<IWindow> m_Window;
    IComboBoxItemSelect* m_ItemSelect = nullptr; // not owned
    WidgetStyle m_FieldStyle;
    WidgetStyle m_IconStyle;
    uint32_t m_Selected = 0;
    int32_t m_WidestText = 0;
    int32_t m_TallestText = 0;
    TextureInfo m_Icon;
    int32_t m_Padding = 4;
    bool m_PressedWhileOpen = false;
    Popup m_Popup;
    ComboBoxContent m_Content;
};
} // namespace Vozad

#pragma once
// The drop-down list of a combo box: a scroll view of alternating rows, one highlighted and one
// selected, driven by Up, Down, Return, hover and clicks.
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
class IGuiEngine;
class LayoutBar;
class Scrollview;

class ComboBoxContent : public ContentLayoutBase, public ILayoutEventForwarder
{
public:
    static constexpr uint32_t k_NoIndex = 0xFFFFFFFFu;

    class IListener
    {
    public:
        virtual ~IListener() = default;
        virtual void OnEntrySelected(uint32_t p_Index, const Lib::String& p_Text, bool p_ByUser) = 0;
    };

    // One row: its label inside a bar, on its own background. Its id is its index in the list.
    class Entry : public ContentLayoutBase
    {
    public:
        Entry(IGuiEngine* p_Engine, const Lib::String& p_Text, uint32_t p_Colour, uint32_t p_TextColour);

        // The row answers for its label, which takes no input.
        LayoutBase* OnMousePress(EventMousePress& p_Event) override;
        LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
        LayoutBase* FindElementAt(EventCursor& p_Event) override;
        void Draw(IDrawingContext& p_Context) override;

        const Lib::String& GetText() const { return m_Text; }
        uint32_t GetColour() const { return m_Colour; }
        bool IsHighlighted() const { return m_Highlighted; }
        void SetHighlighted(bool p_Highlighted) { m_Highlighted = p_Highlighted; }

    private:
        Lib::String m_Text;
        uint32_t m_Colour = 0; // drawing packing
        bool m_Highlighted = false;
    };

    static constexpr uint32_t k_EvenRowColour = 0xFF424242;   // drawing packing
    static constexpr uint32_t k_HighlightColour = 0xFFCA652F; // drawing packing

    ComboBoxContent(IGuiEngine* p_Engine, IListener* p_Listener, uint32_t p_FontSize);
    ~ComboBoxContent() override;

    // Always true. The first entry, or one added with p_Select, becomes the selection.
    bool AddEntry(const Lib::String& p_Text, bool p_Select);
    void RemoveAllEntries();
    // Moves the highlight; an index outside the list only clears it.
    void Highlight(uint32_t p_Index);

    uint32_t GetEntryCount() const { return m_Entries.Count(); }
    const Entry& GetEntry(uint32_t p_Index) const { return *m_Entries[p_Index]; }
    uint32_t GetSelectedIndex() const { return m_Selected; }
    uint32_t GetHighlightedIndex() const { return m_Highlighted; }
    int32_t GetEntryHeight() const { return m_EntryHeight; }
    const WidgetStyle& GetStyle() const { return m_Style; }

    bool OnKeyPress(EventKeyInput& p_Event) override; // every key is consumed
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    void UpdateLayout() override;
    Lib::RectSize GetDesiredSize() const override;

    LayoutBase* OnMouseClick(EventMousePress& p_Event, LayoutBase& p_Sender) override;
    LayoutBase* OnHoverChanged(EventCursor& p_Event, LayoutBase& p_Sender) override;

private:
    void CreateList();
    void Select(uint32_t p_Index, bool p_ByUser);
    int32_t IndexOf(const LayoutBase& p_Element) const;

    Lib::LogTag m_Tag{"ComboBoxContent"};
    IGuiEngine* m_Engine = nullptr;  // not owned
    IListener* m_Listener = nullptr; // not owned: the combo box
    WidgetStyle m_Style;
    uint32_t m_Selected = k_NoIndex;
    uint32_t m_Highlighted = k_NoIndex;
    int32_t m_NaturalWidth = 0;
    int32_t m_NaturalHeight = 0;
    int32_t m_EntryHeight = 0;
    LayoutBar* m_List = nullptr;         // owned; shown by the scroll view
    Scrollview* m_ScrollView = nullptr;  // the owned content
    Lib::DynamicArray<Entry*> m_Entries; // owned
};
} // namespace Vozad

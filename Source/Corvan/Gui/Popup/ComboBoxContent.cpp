#include "Corvan/Gui/Popup/ComboBoxContent.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/Widgets/Label.h"

#include <memory>

namespace Vozad
{
namespace
{
constexpr uint32_t k_EntryFontSize = 13;
constexpr int32_t k_EntryIndent = 5;
constexpr uint32_t k_ListBackground = 0xFF383838; // 0xAARRGGBB
} // namespace

ComboBoxContent::Entry::Entry(IGuiEngine* p_Engine, const Lib::String& p_Text, uint32_t p_Colour,
                              uint32_t p_TextColour)
    : m_Text(p_Text), m_Colour(p_Colour)
{
    auto label = std::make_unique<Label>(p_Engine, k_EntryFontSize, k_LabelAlignTopLeft);
    label->GetStyle().textColour = p_TextColour;
    label->SetText(p_Text);
    auto row = std::make_unique<LayoutBar>(0);
    row->AddSlot(k_EntryIndent, GridSizeMode::Fixed);
    row->AddSlot(1, GridSizeMode::Auto);
    row->SetElement(std::move(label), -1, -1);
    SetContent(std::move(row));
}

LayoutBase* ComboBoxContent::Entry::OnMousePress(EventMousePress& p_Event)
{
    return LayoutBase::OnMousePress(p_Event);
}

LayoutBase* ComboBoxContent::Entry::OnMouseClick(EventMousePress& p_Event)
{
    return LayoutBase::OnMouseClick(p_Event);
}

LayoutBase* ComboBoxContent::Entry::FindElementAt(EventCursor& p_Event)
{
    return LayoutBase::FindElementAt(p_Event);
}

void ComboBoxContent::Entry::Draw(IDrawingContext& p_Context)
{
    p_Context.SetColour(m_Highlighted ? k_HighlightColour : m_Colour);
    p_Context.FillRect(GetDrawnRect(), 0.0f);
    ContentLayoutBase::Draw(p_Context);
}

ComboBoxContent::ComboBoxContent(IGuiEngine* p_Engine, IListener* p_Listener, uint32_t p_FontSize)
    : m_Engine(p_Engine), m_Listener(p_Listener)
{
    SetFlag(k_LayoutSizeToDesired, true);
    m_Style.backgroundColour = 0xFF4D4D4F;
    m_Style.textColour = 0xFFD9D9D9;
    m_Style.borderThickness = 1;
    m_Style.font.size = p_FontSize;
    CreateList();
}

ComboBoxContent::~ComboBoxContent()
{
    // The scroll view, destroyed later as the owned content, never touches the list it shows
    // without owning it, nor the list the rows it holds without owning them.
    delete m_List;
    for (Entry* entry : m_Entries)
        delete entry;
}

void ComboBoxContent::CreateList()
{
    auto list = std::make_unique<LayoutBar>(1);
    list->SetFlag(k_LayoutAtLeastDesiredHeight, true);
    auto scrollView = std::make_unique<Scrollview>(m_Engine, 0, 0, k_ListBackground);
    scrollView->SetContent(list.get(), false);
    m_ScrollView = scrollView.get();
    // Replacing the owned content destroys a previous scroll view.
    SetContent(std::move(scrollView));
    m_List = list.release();
}

bool ComboBoxContent::AddEntry(const Lib::String& p_Text, bool p_Select)
{
    const uint32_t index = m_Entries.Count();
    // Alternating rows; the odd ones take the list's own background.
    const uint32_t colour = index % 2 == 0 ? k_EvenRowColour : Colour::SwapRedBlue(m_Style.backgroundColour);
    auto entry = std::make_unique<Entry>(m_Engine, p_Text, colour, m_Style.textColour);
    entry->SetId(static_cast<int32_t>(index));
    entry->SetForwarder(this);
    Entry* added = entry.release();
    m_Entries.Add(added);
    if ((p_Select || index == 0) && index != m_Selected)
        Select(index, false);

    if (!m_List)
        CreateList();
    m_List->AddSlot(1, GridSizeMode::Auto);
    m_List->SetElement(added, false, -1, -1);
    m_ScrollView->SetRect(GetRect());
    m_ScrollView->UpdateLayout();

    const Entry& first = *m_Entries[0];
    m_EntryHeight = first.GetRect().Height();
    if (m_EntryHeight <= 0)
    {
        // Not laid out in a real rectangle yet: the row's own wish is its height.
        const uint32_t desired = first.GetDesiredSize().height;
        m_EntryHeight = desired < static_cast<uint32_t>(k_NoDesiredSize) ? static_cast<int32_t>(desired) : 0;
    }
    m_NaturalHeight = static_cast<int32_t>(m_Entries.Count()) * m_EntryHeight;
    m_NaturalWidth = 0;
    return true;
}

void ComboBoxContent::RemoveAllEntries()
{
    m_Selected = k_NoIndex;
    m_Highlighted = k_NoIndex;
    LayoutBar* oldList = m_List;
    m_List = nullptr;
    // A fresh scroll view replaces the old one before the list it shows is destroyed.
    CreateList();
    delete oldList;
    for (Entry* entry : m_Entries)
        delete entry;
    m_Entries.Clear();
    m_NaturalHeight = 0;
    m_EntryHeight = 0;
}

void ComboBoxContent::Highlight(uint32_t p_Index)
{
    if (m_Highlighted < m_Entries.Count())
        m_Entries[m_Highlighted]->SetHighlighted(false);
    if (p_Index >= m_Entries.Count())
    {
        m_Highlighted = k_NoIndex;
        return;
    }
    m_Highlighted = p_Index;
    m_Entries[p_Index]->SetHighlighted(true);
}

void ComboBoxContent::Select(uint32_t p_Index, bool p_ByUser)
{
    m_Selected = p_Index;
    if (m_Listener)
        m_Listener->OnEntrySelected(p_Index, m_Entries[p_Index]->GetText(), p_ByUser);
}

int32_t ComboBoxContent::IndexOf(const LayoutBase& p_Element) const
{
    for (uint32_t i = 0; i < m_Entries.Count(); ++i)
        if (m_Entries[i] == &p_Element)
            return static_cast<int32_t>(i);
    return -1;
}

bool ComboBoxContent::OnKeyPress(EventKeyInput& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return false;
    const uint32_t count = m_Entries.Count();
    switch (p_Event.keyCode)
    {
    case KeyCode::Return:
        if (m_Highlighted < count && m_Highlighted != m_Selected)
            Select(m_Highlighted, true);
        break;
    case KeyCode::UpArrow:
        if (m_Highlighted < count && m_Highlighted > 0)
            Highlight(m_Highlighted - 1);
        break;
    case KeyCode::DownArrow:
        if (count > 0 && m_Highlighted < count - 1)
            Highlight(m_Highlighted + 1);
        break;
    default:
        break;
    }
    // The open list is modal for the keyboard.
    return true;
}

LayoutBase* ComboBoxContent::OnMouseClick(EventMousePress& p_Event)
{
    LayoutBase* handler = ContentLayoutBase::OnMouseClick(p_Event);
    if (!handler)
        return nullptr;
    const int32_t index = IndexOf(*handler);
    if (index >= 0 && p_Event.button == MouseButton::Left)
    {
        Select(static_cast<uint32_t>(index), true);
        if (GetForwarder())
            GetForwarder()->OnMouseClick(p_Event, *this);
    }
    return handler;
}

void ComboBoxContent::UpdateLayout()
{
    ContentLayoutBase::UpdateLayout();
}

Lib::RectSize ComboBoxContent::GetDesiredSize() const
{
    if (GetVisibility() == k_LayoutCollapsed)
        return {0, 0};
    // No natural width: the list is as wide as the field that opens it.
    const int32_t wishedWidth = GetDesiredWidth();
    const int32_t wishedHeight = GetDesiredHeight();
    const int32_t width = wishedWidth != k_NoDesiredSize ? wishedWidth
                          : m_NaturalWidth > 0           ? m_NaturalWidth
                                                         : k_NoDesiredSize;
    const int32_t height = wishedHeight != k_NoDesiredSize ? wishedHeight : m_NaturalHeight;
    return {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
}

LayoutBase* ComboBoxContent::OnMouseClick(EventMousePress&, LayoutBase& p_Sender)
{
    const int32_t index = IndexOf(p_Sender);
    if (index >= 0)
        Highlight(static_cast<uint32_t>(index));
    return nullptr;
}

LayoutBase* ComboBoxContent::OnHoverChanged(EventCursor& p_Event, LayoutBase& p_Sender)
{
    const int32_t index = IndexOf(p_Sender);
    if (index >= 0 && p_Event.entered == 1)
        Highlight(static_cast<uint32_t>(index));
    return nullptr;
}
} // namespace Vozad

#include "Corvan/Gui/Popup/PopupLayer.h"

#include "Corvan/Gui/Popup/Popup.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/LayoutStack.h"

namespace Vozad
{
void PopupLayer::SetRoot(LayoutStack* p_Root)
{
    m_Root = p_Root;
    if (!m_Root)
        return;
    for (Popup* popup : m_Open)
        m_Root->AddLayer(popup, false);
}

int32_t PopupLayer::Find(const ContentLayoutBase* p_Popup) const
{
    for (uint32_t i = 0; i < m_Open.Count(); ++i)
        if (static_cast<const ContentLayoutBase*>(m_Open[i]) == p_Popup)
            return static_cast<int32_t>(i);
    return -1;
}

void PopupLayer::Open(Popup* p_Popup)
{
    if (!m_Root || !p_Popup || IsOpen(p_Popup))
        return;
    m_Open.Add(p_Popup);
    m_Root->AddLayer(p_Popup, false);
    p_Popup->SetVisibility(k_LayoutVisible);
    p_Popup->SetFlag(k_LayoutFocused, true);
    if (ILayoutEventForwarder* forwarder = p_Popup->GetForwarder())
        forwarder->OnFocusChanged(true, *p_Popup);
    p_Popup->UpdateLayout();
}

void PopupLayer::Close(Popup* p_Popup)
{
    const int32_t index = Find(p_Popup);
    if (!m_Root || index < 0)
        return;
    m_Root->RemoveLayer(p_Popup);
    m_Open.Remove(static_cast<uint32_t>(index));
}

void PopupLayer::Forget(const LayoutBase* p_Element)
{
    for (uint32_t i = 0; i < m_Open.Count(); ++i)
    {
        if (static_cast<const LayoutBase*>(m_Open[i]) != p_Element)
            continue;
        if (m_Root)
            m_Root->RemoveLayer(m_Open[i]);
        m_Open.Remove(i);
        return;
    }
}

ContentLayoutBase* PopupLayer::GetOpenPopup(uint32_t p_Index) const
{
    return m_Open[p_Index];
}

void PopupLayer::OnPressedOutside(ContentLayoutBase& p_Popup)
{
    const int32_t index = Find(&p_Popup);
    if (index < 0)
        return;
    Popup* popup = m_Open[static_cast<uint32_t>(index)];
    if ((popup->GetBehaviour() & k_PopupCloseOnOutside) == 0)
        return;
    Close(popup);
    popup->Close();
}
} // namespace Vozad

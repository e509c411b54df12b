#pragma once
// The fixed-metrics engine with the engine's popup handling: opening shows the popup as the real
// engine does (Visible, focused bit set directly, forwarder told, laid out); closing only drops
// it from the list of open popups.
#include "Corvan/Gui/Popup/Popup.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Support/FixedMetricsGuiEngine.h"

#include <algorithm>

namespace Vozad::Testing
{
class PopupTestEngine : public FixedMetricsGuiEngine
{
public:
    void OpenPopup(Popup* p_Popup) override
    {
        if (!p_Popup || std::find(openPopups.begin(), openPopups.end(), p_Popup) != openPopups.end())
            return;
        FixedMetricsGuiEngine::OpenPopup(p_Popup);
        p_Popup->SetVisibility(k_LayoutVisible);
        p_Popup->SetFlag(k_LayoutFocused, true);
        if (p_Popup->GetForwarder())
            p_Popup->GetForwarder()->OnFocusChanged(true, *p_Popup);
        p_Popup->UpdateLayout();
    }

    bool IsOpen(const Popup& p_Popup) const
    {
        return std::find(openPopups.begin(), openPopups.end(), &p_Popup) != openPopups.end();
    }
};
} // namespace Vozad::Testing

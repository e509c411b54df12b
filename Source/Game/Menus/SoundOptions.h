#pragma once
// The sound controls of the options menu: the volume list and the mute box. Like every other
// control they change the settings only with Apply.
#include "Corvan/Gui/Popup/ComboBox.h"
#include "Corvan/Gui/Widgets/Checkbox.h"

#include <cstdint>

namespace Vozad
{
class IComboBoxItemSelect;
class IGuiEngine;
} // namespace Vozad

namespace Snake
{
class ICoreInterface;

class SoundOptions
{
public:
    // The volume list offers 0 to 100 in steps of this.
    static constexpr int32_t k_VolumeStep = 10;

    SoundOptions(Vozad::IGuiEngine* p_Engine, Vozad::IComboBoxItemSelect* p_ItemSelect);

    // Shows the configured values; they count as applied.
    void Fill(ICoreInterface& p_Core);
    // A setting changed elsewhere (the console) since the last look replaces what is shown.
    void Refresh(ICoreInterface& p_Core);
    // Stores what differs from the applied values.
    void Apply(ICoreInterface& p_Core);

    Vozad::ComboBox& GetVolumeList() { return m_VolumeList; }
    Vozad::Checkbox& GetMuteBox() { return m_MuteBox; }
    int32_t GetChosenVolume() const;

private:
    Vozad::ComboBox m_VolumeList;
    Vozad::Checkbox m_MuteBox;
    int32_t m_AppliedVolume = 0; // as configured, which need not be a step of the list
    bool m_AppliedMute = false;
    uint32_t m_AppliedIndex = 0;
};
} // namespace Snake

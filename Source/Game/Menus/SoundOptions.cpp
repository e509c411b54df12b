#include "Game/Menus/SoundOptions.h"

#include "Game/ConfigIds.h"
#include "Game/GameSounds.h"
#include "Game/ICoreInterface.h"
#include "Lib/String.h"

namespace Snake
{
namespace
{
constexpr uint32_t k_VolumeChoices = 100 / SoundOptions::k_VolumeStep + 1;

uint32_t IndexForVolume(int32_t p_Volume)
{
    return static_cast<uint32_t>((p_Volume + SoundOptions::k_VolumeStep / 2) / SoundOptions::k_VolumeStep);
}
} // namespace

SoundOptions::SoundOptions(Vozad::IGuiEngine* p_Engine, Vozad::IComboBoxItemSelect* p_ItemSelect)
    : m_VolumeList(p_Engine, 14, p_ItemSelect), m_MuteBox(p_Engine)
{
}

void SoundOptions::Fill(ICoreInterface& p_Core)
{
    m_AppliedVolume = ParseSoundVolume(p_Core.GetConfigValue(k_ConfigSoundVolume));
    m_AppliedMute = ParseSoundMuted(p_Core.GetConfigValue(k_ConfigSoundMute));
    m_AppliedIndex = IndexForVolume(m_AppliedVolume);
    m_VolumeList.Clear();
    for (uint32_t i = 0; i < k_VolumeChoices; ++i)
        m_VolumeList.AddItem(Lib::String::Format("%u", i * k_VolumeStep), i == m_AppliedIndex);
    m_MuteBox.SetChecked(m_AppliedMute);
}

void SoundOptions::Refresh(ICoreInterface& p_Core)
{
    const int32_t volume = ParseSoundVolume(p_Core.GetConfigValue(k_ConfigSoundVolume));
    const bool mute = ParseSoundMuted(p_Core.GetConfigValue(k_ConfigSoundMute));
    if (volume != m_AppliedVolume || mute != m_AppliedMute)
        Fill(p_Core);
}

int32_t SoundOptions::GetChosenVolume() const
{
    return static_cast<int32_t>(m_VolumeList.GetSelectedIndex()) * k_VolumeStep;
}

void SoundOptions::Apply(ICoreInterface& p_Core)
{
    // A volume set in the console between two steps of the list stays until the list is moved.
    if (m_VolumeList.GetSelectedIndex() != m_AppliedIndex &&
        m_VolumeList.GetSelectedIndex() < k_VolumeChoices)
    {
        m_AppliedIndex = m_VolumeList.GetSelectedIndex();
        m_AppliedVolume = GetChosenVolume();
        p_Core.SetConfigValue(k_ConfigSoundVolume, Lib::String::Format("%d", m_AppliedVolume));
    }
    if (m_MuteBox.IsChecked() != m_AppliedMute)
    {
        m_AppliedMute = m_MuteBox.IsChecked();
        p_Core.SetConfigValue(k_ConfigSoundMute, Lib::String(m_AppliedMute ? "1" : "0"));
    }
}
} // namespace Snake

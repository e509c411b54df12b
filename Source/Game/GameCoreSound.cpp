// Which sound the round makes when.
#include "Corvan/EntryPoint/IEngine.h"
#include "Game/ConfigIds.h"
#include "Game/ConfigReader.h"
#include "Game/GameCore.h"

namespace Snake
{
void GameCore::LoadSounds()
{
    m_Sounds.Load(m_Engine->GetAudio());
}

void GameCore::PlaySound(GameSound p_Sound)
{
    m_Sounds.Play(p_Sound, ParseSoundVolume(Store().GetEntryText(k_ConfigSoundVolume, EntrySide::Value)),
                  ParseSoundMuted(Store().GetEntryText(k_ConfigSoundMute, EntrySide::Value)));
}

void GameCore::PlayStepSound(StepResult p_Result)
{
    switch (p_Result)
    {
    case StepResult::Grew:
        PlaySound(GameSound::Catch);
        break;
    case StepResult::Lost:
        PlaySound(GameSound::GameOver);
        break;
    case StepResult::Won:
        PlaySound(GameSound::Win);
        break;
    default:
        break;
    }
}
} // namespace Snake

#include "Game/GameCore.h"

#include "Game/ApplicationConfig.h"
#include "Game/ConfigReader.h"

namespace Snake
{
namespace
{
// As many lines as the console keeps.
constexpr uint32_t k_ConsoleLineLimit = 1000;
} // namespace

GameCore::GameCore(Telvar::IEngine* p_Engine, Lib::Ref<ApplicationConfig> p_Config)
    : m_Engine(p_Engine), m_Config(std::move(p_Config))
{
}

GameCore::~GameCore() = default;

bool GameCore::Initialise()
{
    m_Locale.LoadLanguages(m_Config->GetConfigReader().GetEntryText(k_ConfigLanguage, EntrySide::Value));
    return true;
}

void GameCore::ReceiveLine(const Lib::String& p_Line)
{
    if (m_ConsoleLines.Count() >= k_ConsoleLineLimit)
        m_ConsoleLines.Remove(0);
    m_ConsoleLines.Add(p_Line);
}
} // namespace Snake

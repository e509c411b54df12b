// Bots at the wheel: the console's bot, bots and g_attract commands, the seated bot that steers
// the player's rounds, and attract mode, the autopilot's demo round behind the start menu.
#include "Corvan/Gui/Colours.h"
#include "Game/Bots/BotCatalog.h"
#include "Game/Bots/BotSteering.h"
#include "Game/ConfigIds.h"
#include "Game/ConfigReader.h"
#include "Game/GameCommands.h"
#include "Game/GameCore.h"
#include "Game/StepTiming.h"

namespace Snake
{
namespace
{
constexpr const char* k_AttractBot = "autopilot";

std::string JoinNames(const std::vector<std::string>& p_Names)
{
    std::string text;
    for (const std::string& name : p_Names)
        text += (text.empty() ? "" : ", ") + name;
    return text.empty() ? "none" : text;
}
} // namespace

void GameCore::RunBotCommand(const Lib::String& p_Line, const Lib::DynamicArray<Lib::String>& p_Arguments)
{
    const Lib::DynamicArray<Lib::String> arguments = CommandArguments(p_Arguments);
    if (arguments.Count() != 1)
    {
        ShowUsage(k_CommandBot);
        return;
    }
    const std::string name = arguments[0].ToNarrow().Data();
    if (name == "off")
    {
        Echo(p_Line);
        if (m_Pilot)
            HandBackControl("'bot off' was typed");
        else
            Echo(Lib::String("No bot plays."));
        return;
    }
    std::string error;
    if (!SeatPilot(name, error))
    {
        // In the log as well as the console (every log line reaches the console), with who steers
        // from now on.
        const std::string steers = m_Pilot ? "bot '" + m_PilotName + "' plays on" : "the player steers";
        Lib::LogWarning(m_Tag, "Bot '%s' cannot play: %s; %s", name.c_str(), error.c_str(), steers.c_str());
        return;
    }
    Echo(p_Line);
    Lib::LogInfo(m_Tag, "Bot '%s' plays; 'bot off' or a movement key gives the control back", name.c_str());
}

void GameCore::ListBots()
{
    Echo(Lib::String(("Compiled in: " + JoinNames(CompiledInBotNames())).c_str()));
    const std::string folder = k_BotScriptFolder;
    Echo(Lib::String(("In " + folder + "/: " + JoinNames(FindUserBotNames(folder))).c_str()));
}

void GameCore::RunAttractCommand(const Lib::String& p_Line, const Lib::DynamicArray<Lib::String>& p_Arguments)
{
    bool on = false;
    if (!ReadSwitchArgument(k_CommandAttract, p_Arguments, on))
        return;
    Echo(p_Line);
    SetAttract(on);
}

void GameCore::SetAttract(bool p_On)
{
    Store().SetEntryText(k_ConfigAttract, Lib::String(p_On ? "1" : "0"));
}

std::chrono::milliseconds GameCore::BotAnswerTime()
{
    return BotAnswerTimeSetting(Store().GetEntryText(k_ConfigBotWait, EntrySide::Value));
}

bool GameCore::SeatPilot(const std::string& p_Name, std::string& p_Error)
{
    std::unique_ptr<IBot> bot = CreateBot(p_Name, k_BotScriptFolder, p_Error, BotAnswerTime());
    if (!bot)
        return false;
    m_Pilot = std::move(bot);
    m_PilotName = p_Name;
    m_PilotNoteLogged = false;
    ShowPilotOnHud();
    return true;
}

void GameCore::HandBackControl(const std::string& p_Why)
{
    Lib::LogInfo(m_Tag, "Bot '%s' gives the control back to the player: %s", m_PilotName.c_str(),
                 p_Why.c_str());
    m_Pilot.reset();
    m_PilotName.clear();
    ShowPilotOnHud();
}

void GameCore::SteerByPilot()
{
    if (!m_Pilot)
        return;
    m_BotSteeredRound = true;
    const BotDecision decision = SteerByBot(m_Board, *m_Pilot);
    if (decision.stopped)
    {
        // The round goes on under the player's keys, from where the bot left it.
        Lib::LogWarning(m_Tag, "Bot '%s' stopped, the player has the control back: %s", m_PilotName.c_str(),
                        m_Pilot->GetNote().c_str());
        m_Pilot.reset();
        m_PilotName.clear();
        ShowPilotOnHud();
        return;
    }
    // What a bot did wrong and was ignored for is told once, not at every step.
    if (!m_PilotNoteLogged && !m_Pilot->GetNote().empty())
    {
        Lib::LogWarning(m_Tag, "Bot '%s': %s", m_PilotName.c_str(), m_Pilot->GetNote().c_str());
        m_PilotNoteLogged = true;
    }
    m_SnakeBody.SetDirection(m_Board.GetDirection());
}

void GameCore::PlayAttract()
{
    // Read on every frame, so the Gameplay tab's Apply and the console command take effect at once.
    const bool wanted = IsOptionOn(k_ConfigAttract) && m_GuiHandler.GetPanelState() == k_PanelStart;
    if (!wanted)
    {
        StopAttract();
        return;
    }
    if (!m_AttractBot)
    {
        m_AttractBot = CreateCompiledInBot(k_AttractBot);
        ResetRound();
        ShowPilotOnHud();
        m_AttractTimer.Restart();
        return;
    }
    if (!IsStepDue(m_AttractTimer.Elapsed().microseconds, m_Speed))
        return;
    m_AttractTimer.Restart();
    // The demo keeps no score: an ended round makes way for the next, without a panel or a record.
    const BotDecision decision = SteerByBot(m_Board, *m_AttractBot);
    const StepResult result = decision.stopped ? StepResult::Lost : m_Board.Step();
    if (result == StepResult::Lost || result == StepResult::Won)
    {
        m_AttractBot = CreateCompiledInBot(k_AttractBot);
        ResetRound();
        return;
    }
    m_SnakeBody.SetDirection(m_Board.GetDirection());
    ShowStep(result);
}

void GameCore::StopAttract()
{
    if (!m_AttractBot)
        return;
    m_AttractBot.reset();
    ShowPilotOnHud();
}

void GameCore::ShowPilotOnHud()
{
    std::string text;
    if (m_AttractBot)
        text = std::string("Demo: ") + k_AttractBot;
    else if (m_Pilot)
        text = "Bot: " + m_PilotName;
    m_GuiHandler.SetBotName(Lib::String(text.c_str()));
    KeepBoardClearOfHud();
}
} // namespace Snake

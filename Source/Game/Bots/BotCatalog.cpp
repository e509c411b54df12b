#include "Game/Bots/BotCatalog.h"

#include "Game/Bots/AutopilotBot.h"

namespace Snake
{
const std::vector<std::string>& CompiledInBotNames()
{
    static const std::vector<std::string> k_Names = {"autopilot", "cycle"};
    return k_Names;
}

std::unique_ptr<IBot> CreateCompiledInBot(const std::string& p_Name)
{
    if (p_Name == "autopilot")
        return std::make_unique<AutopilotBot>(true);
    if (p_Name == "cycle")
        return std::make_unique<AutopilotBot>(false);
    return nullptr;
}
} // namespace Snake

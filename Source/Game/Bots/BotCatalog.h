#pragma once
// The compiled-in bots by name.
#include "Game/Bots/IBot.h"

#include <memory>
#include <string>
#include <vector>

namespace Snake
{
// "autopilot" (the cycle with shortcuts) and "cycle" (the plain cycle, the slow baseline).
const std::vector<std::string>& CompiledInBotNames();
// Null for a name that is not compiled in.
std::unique_ptr<IBot> CreateCompiledInBot(const std::string& p_Name);
} // namespace Snake

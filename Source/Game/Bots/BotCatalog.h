#pragma once
// The bots by name: the compiled-in ones and the players' own from "Scripts/<name>.lua".
#include "Game/Bots/IBot.h"
#include "Game/Bots/LuaBot.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace Snake
{
// Where user bots are looked for, relative to the working folder.
inline constexpr const char* k_BotScriptFolder = "Scripts";

// "autopilot" (the cycle with shortcuts) and "cycle" (the plain cycle, the slow baseline).
const std::vector<std::string>& CompiledInBotNames();
// Null for a name that is not compiled in.
std::unique_ptr<IBot> CreateCompiledInBot(const std::string& p_Name);

// A name a user bot may have: 1 to 64 letters, digits, '_' or '-'. Nothing else can name a file
// outside the script folder ("../x", "/etc/x", "a/b", ".").
bool IsValidBotName(const std::string& p_Name);
// The names of the "<name>.lua" files in p_Folder that are regular files with a valid name,
// sorted; none when the folder is missing.
std::vector<std::string> FindUserBotNames(const std::string& p_Folder);
// A compiled-in bot, or else the user bot "<p_Folder>/<p_Name>.lua" loaded into a fresh sandbox.
// Null, with one line in p_Error saying why, for an invalid or unknown name or a script that does
// not load.
// A user bot's answers are waited for p_AnswerTime at most.
std::unique_ptr<IBot> CreateBot(const std::string& p_Name, const std::string& p_Folder, std::string& p_Error,
                                std::chrono::milliseconds p_AnswerTime = k_DefaultBotAnswerTime);
} // namespace Snake

#include "Game/Bots/BotCatalog.h"

#include "Game/Bots/AutopilotBot.h"
#include "Game/Bots/LuaBot.h"
#include "Lib/Platform/RegularFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace Snake
{
namespace
{
constexpr size_t k_MaximumNameLength = 64;
constexpr const char* k_ScriptExtension = ".lua";
} // namespace

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

bool IsValidBotName(const std::string& p_Name)
{
    if (p_Name.empty() || p_Name.size() > k_MaximumNameLength)
        return false;
    return std::all_of(p_Name.begin(), p_Name.end(),
                       [](char p_Char)
                       {
                           return (p_Char >= 'a' && p_Char <= 'z') || (p_Char >= 'A' && p_Char <= 'Z') ||
                                  (p_Char >= '0' && p_Char <= '9') || p_Char == '_' || p_Char == '-';
                       });
}

std::vector<std::string> FindUserBotNames(const std::string& p_Folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(p_Folder, error), end; !error && it != end;
         it.increment(error))
    {
        const std::filesystem::path& path = it->path();
        if (path.extension() != k_ScriptExtension)
            continue;
        const std::string name = path.stem().string();
        std::error_code typeError;
        if (IsValidBotName(name) && std::filesystem::is_regular_file(path, typeError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<IBot> CreateBot(const std::string& p_Name, const std::string& p_Folder, std::string& p_Error,
                                std::chrono::milliseconds p_AnswerTime)
{
    if (std::unique_ptr<IBot> bot = CreateCompiledInBot(p_Name))
        return bot;
    if (!IsValidBotName(p_Name))
    {
        p_Error = "'" + p_Name + "' is no bot name: use letters, digits, '_' and '-' only";
        return nullptr;
    }
    const std::string path = p_Folder + "/" + p_Name + k_ScriptExtension;
    // Anything but a missing name is read as a script file would be; the read refuses what is not
    // a regular file (a FIFO would block it) and names the kind.
    if (Lib::FileKindOf(path.c_str()) == Lib::FileKind::Missing)
    {
        p_Error = "no bot named '" + p_Name + "' (neither compiled in nor \"" + path + "\")";
        return nullptr;
    }
    auto bot = std::make_unique<LuaBot>(BotLimits(p_AnswerTime));
    if (!bot->LoadFile(path))
    {
        p_Error = bot->GetNote();
        return nullptr;
    }
    return bot;
}
} // namespace Snake

#include "Game/MultisampleSetting.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

namespace Snake
{
namespace
{
std::string Normalised(const Lib::String& p_Text)
{
    std::string text = p_Text.ToNarrow().Bytes();
    const auto blank = [](unsigned char p_Byte) { return std::isspace(p_Byte) != 0; };
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char p_Byte) { return static_cast<char>(std::tolower(p_Byte)); });
    return text;
}
} // namespace

ParsedMultisample ParseMultisample(const Lib::String& p_Text)
{
    const std::string text = Normalised(p_Text);
    if (text == "auto")
        return {Vozad::k_MultisampleAutomatic, true};
    if (text == "off" || text == "0")
        return {Vozad::k_MultisampleOff, true};
    for (const int32_t count : k_MultisampleChoices)
        if (count > 0 && text == std::to_string(count))
            return {count, true};
    return {Vozad::k_MultisampleAutomatic, false};
}

Lib::String MultisampleText(int32_t p_Setting)
{
    if (p_Setting == Vozad::k_MultisampleAutomatic)
        return Lib::String("auto");
    if (p_Setting == Vozad::k_MultisampleOff)
        return Lib::String("off");
    return Lib::String::Format("%d", p_Setting);
}

uint32_t MultisampleIndexFor(int32_t p_Setting)
{
    for (uint32_t i = 0; i < std::size(k_MultisampleChoices); ++i)
        if (k_MultisampleChoices[i] == p_Setting)
            return i;
    return 0;
}
} // namespace Snake

#include "Game/SettingValue.h"

#include "Lib/Log.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace Snake
{
namespace
{
// Enough to recognise any value the game offers and most a player would type.
constexpr size_t k_ShownCharacters = 100;

std::string ShownText(const Lib::String& p_Text)
{
    std::wstring shown;
    for (const wchar_t character : p_Text.Wide())
    {
        if (shown.size() >= k_ShownCharacters)
        {
            shown += L"...";
            break;
        }
        const auto code = static_cast<uint32_t>(character);
        if (code < 0x20 || (code >= 0x7f && code < 0xa0))
        {
            wchar_t escaped[8];
            std::swprintf(escaped, 8, L"\\x%02x", code);
            shown += escaped;
        }
        else
        {
            shown += character;
        }
    }
    return Lib::String(shown).ToNarrow().Bytes();
}
} // namespace

std::optional<int32_t> ReadWholeNumber(const Lib::String& p_Text)
{
    const std::wstring& text = p_Text.Wide();
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+'))
        ++at;
    if (at == text.size())
        return std::nullopt;
    // Kept one past the 32-bit range at most, so a long run of digits cannot overflow.
    constexpr int64_t k_Limit = int64_t{std::numeric_limits<int32_t>::max()} + 2;
    int64_t magnitude = 0;
    for (; at < text.size(); ++at)
    {
        if (text[at] < L'0' || text[at] > L'9')
            return std::nullopt;
        magnitude = std::min(magnitude * 10 + (text[at] - L'0'), k_Limit);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

SettingValue ReadNumber(const Lib::String& p_Text, const NumberRule& p_Rule)
{
    const std::optional<int32_t> number = ReadWholeNumber(p_Text);
    if (!number)
        return {p_Rule.fallback, false};
    if (*number > p_Rule.maximum || (*number < 0 && p_Rule.negativeIsAbove))
        return {p_Rule.aboveMaximum, false};
    if (*number < p_Rule.minimum)
        return {p_Rule.belowMinimum, false};
    return {*number, true};
}

SettingValue ReadSwitch(const Lib::String& p_Text)
{
    if (p_Text == Lib::String("1"))
        return {1, true};
    return {0, p_Text == Lib::String("0")};
}

std::string UnusableSettingMessage(std::string_view p_Name, const Lib::String& p_Text,
                                   std::string_view p_Used)
{
    return "Setting \"" + std::string(p_Name) + "\" has the value \"" + ShownText(p_Text) +
           "\", which cannot be used: " + std::string(p_Used) + " is used instead";
}

void WarnUnusableSetting(std::string_view p_Name, const Lib::String& p_Text, std::string_view p_Used)
{
    static const Lib::LogTag tag("ConfigReader");
    Lib::LogWarning(tag, "%s", UnusableSettingMessage(p_Name, p_Text, p_Used).c_str());
}
} // namespace Snake

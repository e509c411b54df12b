#include "Game/Locale.h"

#include "Embedded/GameResources.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

namespace Snake
{
namespace
{
struct LanguageRow
{
    const char* name;
    const char* ownName;
};

// The own name is what the options menu shows and what "gamedata.cfg" stores, so it must not
// change once players have saved it.
constexpr LanguageRow k_Languages[k_LanguageCount] = {
    {"English", "English"},
    {"German", "Deutsch"},
};

std::string_view EmbeddedText(const unsigned char* p_Data, std::size_t p_Size)
{
    return std::string_view(reinterpret_cast<const char*>(p_Data), p_Size);
}
} // namespace

const char* LanguageName(uint32_t p_Index)
{
    return p_Index < k_LanguageCount ? k_Languages[p_Index].name : "";
}

const char* LanguageOwnName(const char* p_LanguageName)
{
    if (!p_LanguageName)
        return "";
    for (const LanguageRow& row : k_Languages)
        if (std::strcmp(row.name, p_LanguageName) == 0)
            return row.ownName;
    return "";
}

std::string_view LanguageText(uint32_t p_Index)
{
    switch (p_Index)
    {
    case k_LanguageEnglish:
        return EmbeddedText(Resources::Locale_English_txtData, Resources::Locale_English_txtSize);
    case k_LanguageGerman:
        return EmbeddedText(Resources::Locale_German_txtData, Resources::Locale_German_txtSize);
    default:
        return {};
    }
}

void Locale::Load(std::string_view p_Text, const Lib::String& p_LanguageName, bool p_AsFallback)
{
    Lib::DynamicArray<Lib::String>& lines = p_AsFallback ? m_FallbackLines : m_CurrentLines;
    std::size_t start = 0;
    while (start < p_Text.size())
    {
        const std::size_t end = p_Text.find('\n', start);
        // A last line without its line feed is still a line: dropping it would lose a text.
        if (end == std::string_view::npos)
        {
            lines.Add(Lib::String(p_Text.substr(start)));
            break;
        }
        lines.Add(Lib::String(p_Text.substr(start, end - start)));
        start = end + 1;
    }
    (p_AsFallback ? m_FallbackLanguage : m_CurrentLanguage) = p_LanguageName;
}

void Locale::LoadLanguages(const Lib::String& p_ConfiguredLanguage)
{
    // Applying a language replaces whatever was loaded before instead of piling lines up.
    m_FallbackLanguage = Lib::String();
    m_CurrentLanguage = Lib::String();
    m_FallbackLines.Clear();
    m_CurrentLines.Clear();

    Load(LanguageText(k_LanguageEnglish), Lib::String(LanguageName(k_LanguageEnglish)), true);
    for (uint32_t index = 0; index < k_LanguageCount; ++index)
    {
        const char* name = LanguageName(index);
        if (p_ConfiguredLanguage == Lib::String(LanguageOwnName(name)))
        {
            Load(LanguageText(index), Lib::String(name), false);
            return;
        }
    }
}

Lib::String Locale::GetLocaleString(const Lib::String& p_Key) const
{
    const std::wstring& key = p_Key.Wide();
    std::wstring result;

    // The key is matched as a substring first because the texts are searched line by line as
    // they were stored; a line that mentions the key but is not a key=value pair ends the search.
    for (const Lib::String& line : m_CurrentLines)
    {
        const std::wstring& text = line.Wide();
        if (text.find(key) == std::wstring::npos)
            continue;
        const std::size_t separator = text.find(L'=');
        if (separator == std::wstring::npos)
            break;
        if (text.compare(0, separator, key) == 0)
        {
            result = text.substr(separator + 1);
            break;
        }
    }

    if (m_CurrentLanguage == m_FallbackLanguage)
        return Lib::String(std::move(result));

    if (result.empty())
    {
        for (const Lib::String& line : m_FallbackLines)
        {
            const std::wstring& text = line.Wide();
            if (text.find(key) == std::wstring::npos)
                continue;
            const std::size_t separator = text.find(L'=');
            if (separator != std::wstring::npos)
                result = text.substr(separator + 1);
            break;
        }
    }
    return Lib::String(std::move(result));
}
} // namespace Snake

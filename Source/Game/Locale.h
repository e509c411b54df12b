#pragma once
// The game's language texts: a fallback language (always English) and the current language
// picked by the configuration. Texts are "key=value" lines, looked up by key at request time.
#include "Game/ILocale.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <cstdint>
#include <string_view>

namespace Snake
{
// The compiled-in languages, in the order the configured name is matched against them.
inline constexpr uint32_t k_LanguageCount = 2;
inline constexpr uint32_t k_LanguageEnglish = 0;
inline constexpr uint32_t k_LanguageGerman = 1;

// The table name of a language ("English", "German"); "" for an index outside the table.
const char* LanguageName(uint32_t p_Index);
// The name a language is shown and stored under ("English" -> "English", "German" ->
// "Deutsch"); "" for a name that is not a language.
const char* LanguageOwnName(const char* p_LanguageName);
// The language's UTF-8 key=value text; empty for an index outside the table.
std::string_view LanguageText(uint32_t p_Index);

class Locale : public ILocale
{
public:
    // Appends every line of the UTF-8 text to the fallback or the current lines and takes the
    // language name for that side.
    void Load(std::string_view p_Text, const Lib::String& p_LanguageName, bool p_AsFallback);

    // Loads English as the fallback, then the language whose own name equals the configured
    // value as the current one; an unknown value leaves the current side empty.
    void LoadLanguages(const Lib::String& p_ConfiguredLanguage);

    Lib::String GetLocaleString(const Lib::String& p_Key) const override;

    const Lib::String& GetFallbackLanguage() const { return m_FallbackLanguage; }
    const Lib::String& GetCurrentLanguage() const { return m_CurrentLanguage; }
    const Lib::DynamicArray<Lib::String>& GetFallbackLines() const { return m_FallbackLines; }
    const Lib::DynamicArray<Lib::String>& GetCurrentLines() const { return m_CurrentLines; }

private:
    Lib::LogTag m_Tag{"Locale"};
    Lib::String m_FallbackLanguage;
    Lib::String m_CurrentLanguage;
    Lib::DynamicArray<Lib::String> m_FallbackLines;
    Lib::DynamicArray<Lib::String> m_CurrentLines;
};
} // namespace Snake

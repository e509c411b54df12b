// The locale loader on any bytes as the current language, over the shipped English fallback:
// every text the game asks for, and every key the input itself names, is looked up.
#include "Game/Locale.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p_Data, size_t p_Size)
{
    const std::string_view input(reinterpret_cast<const char*>(p_Data), p_Size);
    Snake::Locale locale;
    locale.Load(Snake::LanguageText(Snake::k_LanguageEnglish), "English", true);
    locale.Load(input, "Fuzz", false);

    // The keys of the shipped texts, then the keys the input brings.
    for (const Lib::DynamicArray<Lib::String>* lines :
         {&locale.GetFallbackLines(), &locale.GetCurrentLines()})
    {
        for (const Lib::String& line : *lines)
        {
            const std::wstring& text = line.Wide();
            const size_t separator = text.find(L'=');
            const Lib::String key(text.substr(0, separator == std::wstring::npos ? text.size() : separator));
            (void)locale.GetLocaleString(key).ToNarrow();
        }
    }
    return 0;
}

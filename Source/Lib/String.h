#pragma once
// The engine's owning wide text. Narrow text is always UTF-8, whatever the process locale says.
#include "Lib/PrintfFormat.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Lib
{
// The narrow (UTF-8) form of a String.
class NarrowString
{
public:
    NarrowString() = default;
    explicit NarrowString(std::string p_Bytes);

    const char* Data() const { return m_Bytes.c_str(); }
    uint32_t Size() const { return static_cast<uint32_t>(m_Bytes.size()); }
    // Bytes that are not UTF-8 continuation bytes (0x80..0xBF): the number of characters.
    int32_t CharacterCount() const { return m_CharacterCount; }
    const std::string& Bytes() const { return m_Bytes; }

private:
    std::string m_Bytes;
    int32_t m_CharacterCount = 0;
};

class String
{
public:
    String() = default;
    String(const char* p_Narrow);      // NOLINT: converts UTF-8, like every narrow literal in the code
    String(std::string_view p_Narrow); // NOLINT
    String(const wchar_t* p_Wide);     // NOLINT
    String(std::wstring p_Wide);       // NOLINT

    const wchar_t* Data() const { return m_Text.c_str(); }
    uint32_t Length() const { return static_cast<uint32_t>(m_Text.size()); }
    bool IsEmpty() const { return m_Text.empty(); }
    const std::wstring& Wide() const { return m_Text; }

    NarrowString ToNarrow() const;
    void Assign(const String& p_Other);
    // Leaves the string untouched when the text already equals its narrow form.
    void AssignNarrow(const char* p_Narrow);
    void Append(const String& p_Other);
    static String Concat(const String& p_A, const String& p_B);
    // Start is clamped to the length and count to what remains behind start.
    String Substring(uint32_t p_Start, uint32_t p_Count) const;
    // Searches the narrow form from byte p_From over whole characters; returns the byte position
    // of the first character whose lead byte is p_Character, or -1.
    int32_t FindChar(char p_Character, uint32_t p_From) const;
    void RemoveChar(wchar_t p_Character);
    bool Equals(const String& p_Other) const { return m_Text == p_Other.m_Text; }
    bool operator==(const String& p_Other) const { return Equals(p_Other); }

    // printf into 1024 bytes (longer output is cut to 1023 characters), then converted.
    static String Format(const char* p_Format, ...) LIB_PRINTF_FORMAT(1, 2);
    static String FromInt(int32_t p_Value);
    // Base-10 value of the leading digits (after optional blanks and sign); 0 when there are none.
    int32_t ToInt() const;

private:
    std::wstring m_Text;
};

// UTF-8 <-> wide conversion used by String and by everything that crosses to narrow APIs.
// Bytes that are not valid UTF-8 are taken one by one as the code point of the same value, so
// text in a legacy single-byte encoding survives as readable characters instead of vanishing.
std::wstring WideFromUtf8(std::string_view p_Narrow);
std::string Utf8FromWide(std::wstring_view p_Wide);
int32_t CountUtf8Characters(std::string_view p_Narrow);
} // namespace Lib

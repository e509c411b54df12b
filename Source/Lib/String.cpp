#include "Lib/String.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace Lib
{
namespace
{
bool IsContinuation(unsigned char p_Byte)
{
    return (p_Byte & 0xC0) == 0x80;
}

// Decodes one well-formed UTF-8 sequence at p_Text[p_Index]; returns its length, 0 when the
// bytes there are not a valid sequence (overlong forms and surrogates included).
size_t DecodeSequence(std::string_view p_Text, size_t p_Index, char32_t& p_CodePoint)
{
    const auto lead = static_cast<unsigned char>(p_Text[p_Index]);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80)
    {
        p_CodePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF)
    {
        length = 2;
        p_CodePoint = lead & 0x1F;
        minimum = 0x80;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        p_CodePoint = lead & 0x0F;
        minimum = 0x800;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        p_CodePoint = lead & 0x07;
        minimum = 0x10000;
    }
    else
    {
        return 0;
    }
    if (p_Index + length > p_Text.size())
        return 0;
    for (size_t i = 1; i < length; ++i)
    {
        const auto byte = static_cast<unsigned char>(p_Text[p_Index + i]);
        if (!IsContinuation(byte))
            return 0;
        p_CodePoint = (p_CodePoint << 6) | (byte & 0x3F);
    }
    if (p_CodePoint < minimum || p_CodePoint > 0x10FFFF || (p_CodePoint >= 0xD800 && p_CodePoint <= 0xDFFF))
        return 0;
    return length;
}

void EncodeCodePoint(char32_t p_CodePoint, std::string& p_Out)
{
    if (p_CodePoint > 0x10FFFF || (p_CodePoint >= 0xD800 && p_CodePoint <= 0xDFFF))
        p_CodePoint = 0xFFFD;
    if (p_CodePoint < 0x80)
    {
        p_Out += static_cast<char>(p_CodePoint);
    }
    else if (p_CodePoint < 0x800)
    {
        p_Out += static_cast<char>(0xC0 | (p_CodePoint >> 6));
        p_Out += static_cast<char>(0x80 | (p_CodePoint & 0x3F));
    }
    else if (p_CodePoint < 0x10000)
    {
        p_Out += static_cast<char>(0xE0 | (p_CodePoint >> 12));
        p_Out += static_cast<char>(0x80 | ((p_CodePoint >> 6) & 0x3F));
        p_Out += static_cast<char>(0x80 | (p_CodePoint & 0x3F));
    }
    else
    {
        p_Out += static_cast<char>(0xF0 | (p_CodePoint >> 18));
        p_Out += static_cast<char>(0x80 | ((p_CodePoint >> 12) & 0x3F));
        p_Out += static_cast<char>(0x80 | ((p_CodePoint >> 6) & 0x3F));
        p_Out += static_cast<char>(0x80 | (p_CodePoint & 0x3F));
    }
}

// Byte length of the character whose first byte is p_Lead; a stray continuation byte counts 1.
size_t CharacterLength(unsigned char p_Lead)
{
    if (p_Lead >= 0xF0)
        return 4;
    if (p_Lead >= 0xE0)
        return 3;
    if (p_Lead >= 0xC0)
        return 2;
    return 1;
}
} // namespace

std::wstring WideFromUtf8(std::string_view p_Narrow)
{
    std::wstring wide;
    wide.reserve(p_Narrow.size());
    for (size_t i = 0; i < p_Narrow.size();)
    {
        char32_t codePoint = 0;
        const size_t length = DecodeSequence(p_Narrow, i, codePoint);
        if (length == 0)
        {
            wide += static_cast<wchar_t>(static_cast<unsigned char>(p_Narrow[i]));
            ++i;
            continue;
        }
        // Where wchar_t holds UTF-16 (Windows), a character past the first plane takes two.
        if (sizeof(wchar_t) == 2 && codePoint >= 0x10000)
        {
            wide += static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            wide += static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        }
        else
            wide += static_cast<wchar_t>(codePoint);
        i += length;
    }
    return wide;
}

std::string Utf8FromWide(std::wstring_view p_Wide)
{
    std::string narrow;
    narrow.reserve(p_Wide.size());
    for (size_t i = 0; i < p_Wide.size(); ++i)
    {
        auto codePoint = static_cast<char32_t>(p_Wide[i]);
        // A UTF-16 pair is one character; a lone half stays a replacement character.
        if (sizeof(wchar_t) == 2 && codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < p_Wide.size() &&
            p_Wide[i + 1] >= 0xDC00 && p_Wide[i + 1] <= 0xDFFF)
        {
            codePoint =
                0x10000 + ((codePoint - 0xD800) << 10) + (static_cast<char32_t>(p_Wide[i + 1]) - 0xDC00);
            ++i;
        }
        EncodeCodePoint(codePoint, narrow);
    }
    return narrow;
}

int32_t CountUtf8Characters(std::string_view p_Narrow)
{
    return static_cast<int32_t>(std::count_if(p_Narrow.begin(), p_Narrow.end(),
                                              [](char c)
                                              { return !IsContinuation(static_cast<unsigned char>(c)); }));
}

NarrowString::NarrowString(std::string p_Bytes)
    : m_Bytes(std::move(p_Bytes)), m_CharacterCount(CountUtf8Characters(m_Bytes))
{
}

String::String(const char* p_Narrow) : m_Text(p_Narrow ? WideFromUtf8(p_Narrow) : std::wstring()) {}

String::String(std::string_view p_Narrow) : m_Text(WideFromUtf8(p_Narrow)) {}

String::String(const wchar_t* p_Wide) : m_Text(p_Wide ? p_Wide : L"") {}

String::String(std::wstring p_Wide) : m_Text(std::move(p_Wide)) {}

NarrowString String::ToNarrow() const
{
    return NarrowString(Utf8FromWide(m_Text));
}

void String::Assign(const String& p_Other)
{
    m_Text = p_Other.m_Text;
}

void String::AssignNarrow(const char* p_Narrow)
{
    const std::string_view narrow = p_Narrow ? p_Narrow : "";
    if (Utf8FromWide(m_Text) == narrow)
        return;
    m_Text = WideFromUtf8(narrow);
}

void String::Append(const String& p_Other)
{
    m_Text += p_Other.m_Text;
}

String String::Concat(const String& p_A, const String& p_B)
{
    return String(p_A.m_Text + p_B.m_Text);
}

String String::Substring(uint32_t p_Start, uint32_t p_Count) const
{
    const size_t start = std::min<size_t>(p_Start, m_Text.size());
    const size_t count = std::min<size_t>(p_Count, m_Text.size() - start);
    return String(m_Text.substr(start, count));
}

int32_t String::FindChar(char p_Character, uint32_t p_From) const
{
    const std::string narrow = Utf8FromWide(m_Text);
    for (size_t i = p_From; i < narrow.size(); i += CharacterLength(static_cast<unsigned char>(narrow[i])))
    {
        if (narrow[i] == p_Character)
            return static_cast<int32_t>(i);
    }
    return -1;
}

void String::RemoveChar(wchar_t p_Character)
{
    std::erase(m_Text, p_Character);
}

String String::Format(const char* p_Format, ...)
{
    char buffer[1024] = {};
    va_list arguments;
    va_start(arguments, p_Format);
    vsnprintf(buffer, sizeof(buffer), p_Format, arguments);
    va_end(arguments);
    return String(static_cast<const char*>(buffer));
}

String String::FromInt(int32_t p_Value)
{
    char buffer[30] = {};
    const int length = snprintf(buffer, sizeof(buffer), "%d", p_Value);
    if (length <= 0 || length > 29)
        return String();
    return String(static_cast<const char*>(buffer));
}

int32_t String::ToInt() const
{
    const std::string narrow = Utf8FromWide(m_Text);
    errno = 0;
    const long long value = strtoll(narrow.c_str(), nullptr, 10);
    // Out-of-range text saturates instead of wrapping into an unrelated number.
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}
} // namespace Lib

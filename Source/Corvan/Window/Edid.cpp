#include "Corvan/Window/Edid.h"

#include <string>

namespace Vozad
{
namespace
{
constexpr uint8_t k_Header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr size_t k_FirstDescriptor = 54;
constexpr size_t k_DescriptorSize = 18;
constexpr size_t k_DescriptorCount = 4;
constexpr size_t k_TextOffset = 5;
constexpr size_t k_TextLength = 13;

constexpr uint8_t k_TagSerialNumber = 0xFF;
constexpr uint8_t k_TagUnspecifiedText = 0xFE;
constexpr uint8_t k_TagMonitorName = 0xFC;

// Descriptor texts are padded with a line feed and spaces; some monitors pad with zero bytes
// instead, which would otherwise cut the text short or leave control characters in a menu.
Lib::String DescriptorText(const uint8_t* p_Descriptor)
{
    std::wstring text;
    for (size_t i = 0; i < k_TextLength; ++i)
    {
        const uint8_t byte = p_Descriptor[k_TextOffset + i];
        if (byte == '\n')
            break;
        text.push_back(byte == 0 ? L' ' : static_cast<wchar_t>(byte));
    }
    return Lib::String(std::move(text));
}
} // namespace

bool DecodeEdid(const uint8_t* p_Bytes, size_t p_Size, EdidTexts& p_Texts)
{
    p_Texts = EdidTexts{};
    if (!p_Bytes || p_Size < k_EdidBlockSize)
        return false;
    for (size_t i = 0; i < sizeof(k_Header); ++i)
        if (p_Bytes[i] != k_Header[i])
            return false;

    for (size_t d = 0; d < k_DescriptorCount; ++d)
    {
        const uint8_t* descriptor = p_Bytes + k_FirstDescriptor + d * k_DescriptorSize;
        // A zero pixel clock marks a display descriptor rather than a detailed timing.
        if (descriptor[0] != 0 || descriptor[1] != 0)
            continue;
        switch (descriptor[3])
        {
        case k_TagMonitorName:
            p_Texts.productName = DescriptorText(descriptor);
            break;
        case k_TagUnspecifiedText:
            p_Texts.productText = DescriptorText(descriptor);
            break;
        case k_TagSerialNumber: // the engine has no use for the serial number
        default:
            break;
        }
    }
    return true;
}
} // namespace Vozad

// The EDID decoder on any bytes, as a monitor's driver may hand them over. A descriptor holds at
// most 13 characters, so no text can be longer; a short or headerless block yields none.
#include "Corvan/Window/Edid.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p_Data, size_t p_Size)
{
    Vozad::EdidTexts texts;
    const bool decoded = Vozad::DecodeEdid(p_Data, p_Size, texts);
    if (p_Size < Vozad::k_EdidBlockSize && decoded)
        std::abort();
    if (!decoded && (!texts.productName.IsEmpty() || !texts.productText.IsEmpty()))
        std::abort();
    if (texts.productName.Length() > 13 || texts.productText.Length() > 13)
        std::abort();
    (void)texts.productName.ToNarrow();
    (void)texts.productText.ToNarrow();
    return 0;
}

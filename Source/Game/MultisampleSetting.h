#pragma once
// The setting "r_multisample": how many samples per pixel the frame is drawn with. Stored as
// "auto" (the default: off on a software rasterizer, 4 otherwise), "off", or "2", "4", "8"; the
// engine lowers a count to what the driver offers and says so.
#include "Corvan/Renderer/MultisampleChoice.h"
#include "Lib/String.h"

#include <cstdint>

namespace Snake
{
// The choices the options menu offers, in its order.
inline constexpr int32_t k_MultisampleChoices[] = {Vozad::k_MultisampleAutomatic, Vozad::k_MultisampleOff, 2,
                                                   4, 8};

struct ParsedMultisample
{
    int32_t setting = Vozad::k_MultisampleAutomatic;
    bool valid = true; // false: the text was none of the stored forms, and "auto" stands in
};

// The stored text as a setting; letter case and surrounding blanks do not matter, "0" is "off".
ParsedMultisample ParseMultisample(const Lib::String& p_Text);

// The stored form of a setting: "auto", "off" or the count.
Lib::String MultisampleText(int32_t p_Setting);

// The index of the setting in k_MultisampleChoices; that of "auto" for anything else.
uint32_t MultisampleIndexFor(int32_t p_Setting);
} // namespace Snake

#pragma once
// The options of the Gameplay tab: rule changes a player opts into, each a "0"/"1" setting that
// is off by default. The tab shows one check box per row of this table, in this order, and
// Apply writes the ticked state into the row's configuration entry.
#include "Game/ConfigIds.h"

#include <cstdint>
#include <iterator>

namespace Snake
{
struct GameplayOption
{
    int32_t configId;
    const char* labelKey; // locale key of the text beside the check box
};

inline constexpr GameplayOption k_GameplayOptions[] = {
    {k_ConfigTurnBuffer, "menu_options.tab_gameplay.turn_buffer"},
    {k_ConfigFairStart, "menu_options.tab_gameplay.fair_start"},
    {k_ConfigAutoPause, "menu_options.tab_gameplay.auto_pause"},
    {k_ConfigAttract, "menu_options.tab_gameplay.attract"},
};
inline constexpr uint32_t k_GameplayOptionCount = static_cast<uint32_t>(std::size(k_GameplayOptions));
} // namespace Snake

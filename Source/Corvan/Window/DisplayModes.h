#pragma once
// Turns the modes a display reports into the list the engine offers: 32-bit modes only, each
// resolution once.
#include "Corvan/Window/Monitor.h"
#include "Lib/DynamicArray.h"

#include <cstdint>

namespace Vozad
{
// One mode as the display reports it.
struct ReportedDisplayMode
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t frequency = 0;     // Hz
    uint32_t bytesPerPixel = 0; // 4 counts as 32 bits: X11 keeps 24-bit colour in 32-bit pixels
};

inline constexpr uint32_t k_FullColourBytesPerPixel = 4;

// Keeps the 32-bit modes, each width x height once with the first frequency met, sorted by
// ascending width; modes of equal width keep the order they were reported in.
Lib::DynamicArray<DisplayMode> SelectDisplayModes(const Lib::DynamicArray<ReportedDisplayMode>& p_Reported);

// Index of the first reported 32-bit mode at least p_Width x p_Height, or -1.
int32_t FindModeAtLeast(const Lib::DynamicArray<ReportedDisplayMode>& p_Reported, uint32_t p_Width,
                        uint32_t p_Height);
} // namespace Vozad

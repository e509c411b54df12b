#include "Corvan/Window/DisplayModes.h"

namespace Vozad
{
Lib::DynamicArray<DisplayMode> SelectDisplayModes(const Lib::DynamicArray<ReportedDisplayMode>& p_Reported)
{
    Lib::DynamicArray<DisplayMode> modes;
    for (const ReportedDisplayMode& reported : p_Reported)
    {
        if (reported.bytesPerPixel != k_FullColourBytesPerPixel)
            continue;
        bool known = false;
        for (const DisplayMode& mode : modes)
            known = known || (mode.width == reported.width && mode.height == reported.height);
        if (!known)
            modes.Add(DisplayMode{reported.width, reported.height, reported.frequency});
    }

    // Insertion sort: stable, and the lists are a few dozen entries long.
    for (uint32_t i = 1; i < modes.Count(); ++i)
    {
        const DisplayMode mode = modes[i];
        uint32_t j = i;
        for (; j > 0 && modes[j - 1].width > mode.width; --j)
            modes[j] = modes[j - 1];
        modes[j] = mode;
    }
    return modes;
}

int32_t FindModeAtLeast(const Lib::DynamicArray<ReportedDisplayMode>& p_Reported, uint32_t p_Width,
                        uint32_t p_Height)
{
    for (uint32_t i = 0; i < p_Reported.Count(); ++i)
    {
        const ReportedDisplayMode& mode = p_Reported[i];
        if (mode.bytesPerPixel == k_FullColourBytesPerPixel && mode.width >= p_Width &&
            mode.height >= p_Height)
            return static_cast<int32_t>(i);
    }
    return -1;
}
} // namespace Vozad

#include "Corvan/Renderer/MultisampleChoice.h"

#include <algorithm>

namespace Vozad
{
MultisampleChoice ChooseSamples(int32_t p_Setting, bool p_SoftwareRasterizer, int32_t p_MaxSamples)
{
    MultisampleChoice choice;
    int32_t wanted = p_Setting;
    if (p_Setting == k_MultisampleAutomatic)
    {
        choice.software = p_SoftwareRasterizer;
        wanted = p_SoftwareRasterizer ? 0 : k_AutomaticSamples;
    }
    if (wanted <= 1)
        return choice;
    // Only an explicit request is worth a word when the driver offers less.
    choice.clamped = p_Setting != k_MultisampleAutomatic && wanted > p_MaxSamples;
    const int32_t samples = std::min(wanted, p_MaxSamples);
    choice.samples = samples >= 2 ? samples : 0;
    return choice;
}
} // namespace Vozad

#pragma once
// How many samples per pixel the frame is drawn with. A CPU rasterizer pays for every sample of
// every pixel: 4x multisampling costs it more than all the drawing of the game (about 70 instead
// of 850 idle frames per second at 1280 x 720 on llvmpipe), so "automatic" leaves it off there.
// No GL here: the renderer asks the driver and hands the answers in.
#include <cstdint>

namespace Vozad
{
// The settings besides an explicit sample count (2, 4 or 8).
inline constexpr int32_t k_MultisampleAutomatic = -1;
inline constexpr int32_t k_MultisampleOff = 0;
// What "automatic" draws with on a GPU.
inline constexpr int32_t k_AutomaticSamples = 4;

struct MultisampleChoice
{
    int32_t samples = 0;   // 0: the frame draws straight into the window, without multisampling
    bool clamped = false;  // an explicit count was more than the driver offers
    bool software = false; // "automatic" turned it off for a CPU rasterizer
};

// The sample count for a setting on a driver that offers at most p_MaxSamples. A count the
// driver cannot give is lowered to its maximum; below 2 samples there is nothing to gain.
MultisampleChoice ChooseSamples(int32_t p_Setting, bool p_SoftwareRasterizer, int32_t p_MaxSamples);
} // namespace Vozad

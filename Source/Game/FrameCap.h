#pragma once
// The cap on the frame rate while vertical sync is off or refused: without one, the main loop
// draws the menus as fast as the processor allows and keeps a core busy for nothing. The setting
// "r_framecap" holds 0 for the monitor's refresh rate (the default), a number of frames per
// second, or -1 for no cap.
#include "Corvan/Window/Monitor.h"
#include "Game/SettingValue.h"
#include "Lib/String.h"

#include <cstdint>

namespace Snake
{
inline constexpr int32_t k_FrameCapRefreshRate = 0;
inline constexpr int32_t k_FrameCapOff = -1;
// What a monitor that reports no refresh rate is taken to run at.
inline constexpr uint32_t k_FallbackRefreshRate = 60;

// The choices the options menu offers, in its order: refresh rate, fixed rates, off.
inline constexpr int32_t k_FrameCapChoices[] = {k_FrameCapRefreshRate, 30, 60, 120, 144, 240, k_FrameCapOff};

// The stored text as a setting: a text that is no number and negative numbers other than "off"
// mean the refresh rate, and no cap is higher than 1000 frames per second.
inline constexpr NumberRule k_FrameCapRule{.fallback = k_FrameCapRefreshRate,
                                           .minimum = k_FrameCapOff,
                                           .maximum = 1000,
                                           .belowMinimum = k_FrameCapRefreshRate,
                                           .aboveMaximum = 1000};
int32_t ParseFrameCap(const Lib::String& p_Text);

// The refresh rate of the monitor holding the point: the highest rate among its modes of the
// monitor's own size, or the fallback when it reports none.
uint32_t MonitorRefreshRate(const Vozad::MonitorCollection& p_Monitors, int32_t p_X, int32_t p_Y);

// Frames per second for the engine's limiter; 0 for no cap.
uint32_t FrameCapRate(int32_t p_Setting, uint32_t p_RefreshRate);
} // namespace Snake

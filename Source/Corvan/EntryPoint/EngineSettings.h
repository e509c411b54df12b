#pragma once
#include "Corvan/Renderer/MultisampleChoice.h"
#include "Corvan/Renderer/Vulkan/GpuSelection.h"

#include <cstdint>

namespace Telvar
{
// The engine's start-up settings; -1 means "not set" and becomes 0 at initialisation.
struct EngineSettings
{
    int32_t loopMode = -1; // 0 event-driven, 1 and 2 continuous
    // The continuous modes draw a frame only when something may have changed (input, a window
    // event, IEngine::RequestRedraw) and sleep in between; off, they draw frame after frame.
    bool redrawOnChange = false;
    int32_t rendererApi = -1; // 0 OpenGL, 1 Vulkan
    Vozad::GpuSelection gpu;
    // Samples per pixel: automatic (off on a CPU rasterizer, 4 otherwise), off, or 2, 4, 8.
    int32_t multisample = Vozad::k_MultisampleAutomatic;
};
} // namespace Telvar

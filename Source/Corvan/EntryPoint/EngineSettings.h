#pragma once
#include "Lib/String.h"

#include <cstdint>

namespace Telvar
{
// Which GPU the engine should use; the Vulkan probe creates its device on the preferred index.
struct GpuSelection
{
    int32_t preferredIndex = 0;
    Lib::String name;
    int32_t reserved = 0;
    Lib::String apiInfo; // returned by the engine's GetGraphicsApiInfo
};

// The engine's start-up settings; -1 means "not set" and becomes 0 at initialisation.
struct EngineSettings
{
    int32_t loopMode = -1;    // 0 event-driven, 1 and 2 continuous
    int32_t rendererApi = -1; // 0 OpenGL, 1 Vulkan
    GpuSelection gpu;
};
} // namespace Telvar

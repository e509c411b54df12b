#pragma once
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
// Which GPU the engine should use; the Vulkan probe creates its device on the preferred index.
struct GpuSelection
{
    int32_t preferredIndex = 0;
    Lib::String name;
    int32_t reserved = 0;
    Lib::String apiInfo; // returned by the engine's GetGraphicsApiInfo
};
} // namespace Vozad

#pragma once
// What every shader load hands back; also one row of the renderer's engine shader table.
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
// Default-constructed, this is the empty record of a load that produced nothing.
struct ShaderInfo
{
    uint64_t shaderKey = ~0ull; // FNV-1a of the shader name; all ones when nothing was loaded
    uint32_t program = 0;       // GL program name
    Lib::String name;           // the shader group the scene files instances under
};
} // namespace Vozad

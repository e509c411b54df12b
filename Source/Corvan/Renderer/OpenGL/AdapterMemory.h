#pragma once
// The video memory of the GPU behind the current GL context, asked of the system rather than of
// GL, for vendors whose GL does not say it. One implementation per system: GLX's renderer query
// on Mesa's X11 drivers, DXGI on Windows.
#include <cstdint>

namespace Vozad
{
// In KiB; 0 where the system cannot tell. Needs the current GL context.
uint32_t AdapterMemoryKiB();
} // namespace Vozad

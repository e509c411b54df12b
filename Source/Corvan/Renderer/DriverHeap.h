#pragma once
// A software rasterizer draws inside the process: every frame it takes its vertex and bin memory
// from the C heap (some 6 MB a frame at 10 000 sprites on llvmpipe) and hands it back at the end of
// the frame. The C library's defaults return that memory to the system at once, so the next frame
// faults every page in again, zero-filled by the kernel: a fifth of the drawing thread's time, and
// the raster threads wait for it. Keeping a frame's worth on hand removes the churn.
#include <cstddef>

namespace Vozad
{
// Heap memory the process keeps on hand for a software rasterizer's per-frame work: freed blocks up
// to this size stay in the heap rather than going back to the system, and blocks below it come
// from the heap rather than from a mapping of their own.
inline constexpr size_t k_DriverFrameMemory = 32u * 1024u * 1024u;

// Sets the C heap's limits to k_DriverFrameMemory; nothing where the C library is not glibc. True
// when the limits were set.
bool KeepDriverFrameMemory();
} // namespace Vozad

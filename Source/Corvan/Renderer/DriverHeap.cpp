#include "Corvan/Renderer/DriverHeap.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Vozad
{
bool KeepDriverFrameMemory()
{
#if defined(__GLIBC__)
    // Both limits are set: setting one fixes the other at its start-up value, and a frame's vertex
    // buffer would then come from a fresh mapping every frame.
    const int bytes = static_cast<int>(k_DriverFrameMemory);
    return mallopt(M_TRIM_THRESHOLD, bytes) == 1 && mallopt(M_MMAP_THRESHOLD, bytes) == 1;
#else
    return false;
#endif
}
} // namespace Vozad

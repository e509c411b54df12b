#pragma once
// Builds the engine's monitor list from the displays SDL knows, with names and EDID texts from
// XRandR where the display server offers them.
#include "Corvan/Window/Monitor.h"

namespace Vozad
{
// Rebuilds p_Collection: primary monitor first, then the others in SDL's order. Needs SDL's
// video subsystem; without it the collection stays empty.
void RefreshMonitors(MonitorCollection& p_Collection);
} // namespace Vozad

#pragma once
// Builds the engine's monitor list from the displays SDL knows, with device names and EDID texts
// from the system where it offers them (MonitorIdentity.h).
#include "Corvan/Window/Monitor.h"

namespace Vozad
{
// Rebuilds p_Collection: primary monitor first, then the others in SDL's order. Needs SDL's
// video subsystem; without it the collection stays empty.
void RefreshMonitors(MonitorCollection& p_Collection);
} // namespace Vozad

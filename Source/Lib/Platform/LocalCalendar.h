#pragma once
// The local date and time as the system keeps them, for the shared FormatLocalTime. Internal to
// the platform layer.
#include <ctime>

namespace Lib
{
// The current local time in the system's zone; false when it cannot be worked out.
bool ReadLocalCalendar(tm& p_Calendar);
} // namespace Lib

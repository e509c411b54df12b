#pragma once
// Wall-clock and calendar time.
#include "Lib/Log.h"
#include "Lib/String.h"

namespace Lib
{
// Seconds since 1 January 1970 UTC, with millisecond resolution.
double GetWallClockSeconds();
// The current time in coordinated universal time, as log lines print it.
LogTime GetUtcTime();
// Local time through strftime into 80 bytes; empty when strftime produces nothing (for example
// when the result would not fit).
String FormatLocalTime(const String& p_Format);
} // namespace Lib

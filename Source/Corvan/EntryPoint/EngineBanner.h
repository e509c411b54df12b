#pragma once
// The lines the engine starts its log with: its name and version, and the libraries it uses.
#include "Lib/Log.h"

namespace Telvar
{
void LogEngineBanner(const Lib::LogTag& p_Tag);
} // namespace Telvar

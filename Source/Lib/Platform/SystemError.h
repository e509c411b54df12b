#pragma once
#include "Lib/Log.h"

namespace Lib
{
// One Error line about the last system error (errno): "<text>, error code: <n>, message: <why>".
void ReportSystemError(const LogTag& p_Tag, const char* p_Text);
} // namespace Lib

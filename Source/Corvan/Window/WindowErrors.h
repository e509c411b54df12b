#pragma once
// The error lines every part of the window writes the same way, under the window's tag.
#include "Lib/Log.h"

#include <cstdint>

namespace Vozad
{
// p_Text followed by SDL's last error.
void ReportSdlError(const Lib::LogTag& p_Tag, const char* p_Text);
// Logs the invalid-API line for APIs other than OpenGL and Vulkan.
void ReportInvalidApi(const Lib::LogTag& p_Tag, int32_t p_Api, const char* p_Operation);
} // namespace Vozad

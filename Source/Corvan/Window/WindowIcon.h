#pragma once
// The window's icon from an encoded image in memory.
#include "Lib/Log.h"

#include <cstdint>

struct SDL_Window;

namespace Vozad
{
// Decodes the image (PNG) and gives it to the window; false, logged under p_Tag, when the data
// does not decode or there is no window. p_Name only names the image in the log.
bool SetWindowIcon(const Lib::LogTag& p_Tag, SDL_Window* p_Window, const uint8_t* p_Bytes, uint32_t p_Size,
                   const char* p_Name);
} // namespace Vozad

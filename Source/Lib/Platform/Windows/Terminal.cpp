#include "Lib/Platform/Terminal.h"

#include "Lib/Platform/Windows/Win32.h"

namespace Lib
{
bool StandardErrorIsTerminal()
{
    // Only a console has a console mode; _isatty also says yes for the NUL device, whose output
    // nobody watches.
    DWORD mode = 0;
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    return error != nullptr && error != INVALID_HANDLE_VALUE && GetConsoleMode(error, &mode) != 0;
}
} // namespace Lib

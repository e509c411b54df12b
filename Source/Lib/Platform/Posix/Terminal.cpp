#include "Lib/Platform/Terminal.h"

#include <unistd.h>

namespace Lib
{
bool StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}
} // namespace Lib

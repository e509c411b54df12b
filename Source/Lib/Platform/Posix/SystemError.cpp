#include "Lib/Platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace Lib
{
void ReportSystemError(const LogTag& p_Tag, const char* p_Text)
{
    // Taken first: anything called below may overwrite errno.
    const int code = errno;
    char buffer[512] = {};
    // The GNU strerror_r may return a static text instead of filling the buffer.
    const char* message = strerror_r(code, buffer, sizeof(buffer));
    if (!message || !*message)
        message = "Error message not found.";
    LogError(p_Tag, "%s, error code: %lu, message: %s", p_Text ? p_Text : "",
             static_cast<unsigned long>(code), message);
}
} // namespace Lib

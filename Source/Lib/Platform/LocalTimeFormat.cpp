#include "Lib/Platform/Clock.h"
#include "Lib/Platform/LocalCalendar.h"

namespace Lib
{
namespace
{
constexpr size_t k_LocalTimeBufferSize = 80;
} // namespace

String FormatLocalTime(const String& p_Format)
{
    tm calendar{};
    if (!ReadLocalCalendar(calendar))
        return String();
    char buffer[k_LocalTimeBufferSize] = {};
    const NarrowString format = p_Format.ToNarrow();
    const size_t written = strftime(buffer, sizeof(buffer), format.Data(), &calendar);
    if (written == 0)
        return String();
    return String(std::string_view(buffer, written));
}
} // namespace Lib

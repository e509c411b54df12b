// The configuration reader on any bytes: read, merge the defaults, write back. The text written
// must read back to the same entries, and writing those again must give the same text, so a
// setting never changes or disappears by being saved.
#include "Game/ConfigReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace
{
bool SameEntry(const Snake::ConfigEntry& p_A, const Snake::ConfigEntry& p_B)
{
    return p_A.kind == p_B.kind && p_A.name == p_B.name && p_A.value == p_B.value && p_A.id == p_B.id;
}

[[noreturn]] void Fail(const char* p_What, const std::string& p_Written)
{
    std::fprintf(stderr, "config round trip: %s\nwritten text:\n%s\n", p_What, p_Written.c_str());
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p_Data, size_t p_Size)
{
    const std::string_view input(reinterpret_cast<const char*>(p_Data), p_Size);

    Snake::ConfigReader first;
    first.ReadText(input);
    first.MergeDefaults();
    const std::string written = first.ComposeText();

    Snake::ConfigReader second;
    second.ReadText(written);
    if (second.Entries().Count() != first.Entries().Count())
        Fail("the entry count changed", written);
    for (uint32_t i = 0; i < first.Entries().Count(); ++i)
        if (!SameEntry(first.Entries()[i], second.Entries()[i]))
            Fail("an entry changed", written);
    if (second.ComposeText() != written)
        Fail("writing the read-back entries gave another text", written);
    return 0;
}

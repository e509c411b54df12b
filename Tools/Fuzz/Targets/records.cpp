// The records file on any bytes. Beyond not crashing, what is kept must survive a save: the text
// the table writes reads back to the same table, with no damaged line, and writes the same text.
#include "Game/Records.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace
{
bool SameTable(const Snake::RecordTable& p_A, const Snake::RecordTable& p_B)
{
    for (uint32_t grid = 0; grid < Snake::k_GridModeCount; ++grid)
        for (uint32_t speed = 1; speed <= Snake::k_RecordSpeedCount; ++speed)
            if (!(p_A.Get(grid, speed) == p_B.Get(grid, speed)))
                return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p_Data, size_t p_Size)
{
    const std::string_view input(reinterpret_cast<const char*>(p_Data), p_Size);
    const Snake::ParsedRecords first = Snake::ParseRecords(input);
    const std::string written = first.table.Serialise();
    const Snake::ParsedRecords second = Snake::ParseRecords(written);
    if (!second.damaged.empty() || !SameTable(first.table, second.table) ||
        second.table.Serialise() != written)
        std::abort();
    (void)Snake::FormatDuration(first.table.Get(0, 1).fastestWinMs);
    return 0;
}

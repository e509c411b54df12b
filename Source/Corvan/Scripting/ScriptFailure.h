#pragma once
// Why a script's call gave no answer. The sandbox tells the first three; the process that hosts
// a script adds the last two.
#include <cstdint>

namespace Telvar
{
enum class ScriptFailure : uint8_t
{
    None = 0,
    Error = 1,        // the script raised an error, or could not be loaded
    Instructions = 2, // the call's instruction budget ran out
    Memory = 3,       // the state's memory cap was reached
    Time = 4,         // no answer within the time the caller waits; the host was ended
    HostEnded = 5,    // the hosting process could not be started or ended by itself
};
} // namespace Telvar

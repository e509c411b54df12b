#pragma once
// Where the console's input line sends a submitted command.
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
class IConsoleInterface
{
public:
    virtual ~IConsoleInterface() = default;
    // p_CommandId is 0 when the first token names no command; p_Arguments is the line cut at
    // every blank, empty tokens included, the command name first.
    virtual void ExecuteCommand(int32_t p_CommandId, const Lib::String& p_Line,
                                const Lib::DynamicArray<Lib::String>& p_Arguments) = 0;
};
} // namespace Vozad

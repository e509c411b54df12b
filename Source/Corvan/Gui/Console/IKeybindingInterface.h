#pragma once
// The game's key bindings as the console sees them.
#include <cstdint>
#include <string>

namespace Vozad
{
class IKeybindingInterface
{
public:
    virtual ~IKeybindingInterface() = default;
    // The key code bound to the command; 0 when none is.
    virtual uint32_t GetKeyForCommand(const std::string& p_Command) const = 0;
};
} // namespace Vozad

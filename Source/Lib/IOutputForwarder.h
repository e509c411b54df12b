#pragma once

namespace Lib
{
class String;

// Receives every finished log line (time prefix and line break included), for example to show
// it in the game's console.
class IOutputForwarder
{
public:
    virtual ~IOutputForwarder() = default;
    virtual void ForwardOutput(const String& p_Line) = 0;
};
} // namespace Lib

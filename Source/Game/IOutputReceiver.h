#pragma once

namespace Lib
{
class String;
}

namespace Snake
{
// Takes the log lines the forwarder hands on; the game shows them in its console.
class IOutputReceiver
{
public:
    virtual ~IOutputReceiver() = default;
    virtual void ReceiveLine(const Lib::String& p_Line) = 0;
};
} // namespace Snake

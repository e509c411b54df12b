#pragma once
#include "Lib/DynamicArray.h"
#include "Lib/IOutputForwarder.h"
#include "Lib/String.h"

#include <cstdint>

namespace Snake
{
class IOutputReceiver;

// Hands every log line to the game's console. Lines logged before the game exists wait here (up
// to k_PendingLimit) and are delivered ahead of the first line after the receiver is set.
class OutputForwarder : public Lib::IOutputForwarder
{
public:
    static constexpr uint32_t k_PendingLimit = 1000;

    void ForwardOutput(const Lib::String& p_Line) override;
    void SetReceiver(IOutputReceiver* p_Receiver) { m_Receiver = p_Receiver; }
    uint32_t PendingCount() const { return m_PendingLines.Count(); }

private:
    IOutputReceiver* m_Receiver = nullptr; // not owned
    Lib::DynamicArray<Lib::String> m_PendingLines;
};
} // namespace Snake

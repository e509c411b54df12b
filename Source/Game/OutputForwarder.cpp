#include "Game/OutputForwarder.h"

#include "Game/IOutputReceiver.h"

namespace Snake
{
void OutputForwarder::ForwardOutput(const Lib::String& p_Line)
{
    if (!m_Receiver)
    {
        if (m_PendingLines.Count() < k_PendingLimit)
            m_PendingLines.Add(p_Line);
        return;
    }
    if (!m_PendingLines.IsEmpty())
    {
        for (const Lib::String& line : m_PendingLines)
            m_Receiver->ReceiveLine(line);
        m_PendingLines.Clear();
    }
    m_Receiver->ReceiveLine(p_Line);
}
} // namespace Snake

#pragma once
// Routes the logger into memory so tests can compare exact log text.
#include "Lib/IOutputForwarder.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <string>
#include <vector>

namespace TestSupport
{
class CapturingForwarder : public Lib::IOutputForwarder
{
public:
    CapturingForwarder() { Lib::SetOutputForwarder(this); }
    ~CapturingForwarder() override { Lib::SetOutputForwarder(nullptr); }

    void ForwardOutput(const Lib::String& p_Line) override { lines.push_back(p_Line.ToNarrow().Bytes()); }

    // The message parts (behind the tag's colon) of every captured line, line break removed.
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> messages;
        for (const std::string& line : lines)
        {
            const size_t colon = line.find(": ", line.find("| TID:") + 6);
            std::string message = colon == std::string::npos ? line : line.substr(colon + 2);
            if (!message.empty() && message.back() == '\n')
                message.pop_back();
            messages.push_back(message);
        }
        return messages;
    }

    std::vector<std::string> lines;
};
} // namespace TestSupport

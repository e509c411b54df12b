#pragma once
// Routes the logger into memory so tests can compare exact log text.
#include "Lib/IOutputForwarder.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <string>
#include <vector>

namespace TestSupport
{
// One captured log line taken apart.
struct LogRecord
{
    std::string level;
    std::string tag;
    std::string message;
};

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

    // Level word, tag and message of every captured line.
    std::vector<LogRecord> Records() const
    {
        const auto trim = [](const std::string& p_Text)
        {
            const size_t first = p_Text.find_first_not_of(' ');
            const size_t last = p_Text.find_last_not_of(' ');
            return first == std::string::npos ? std::string() : p_Text.substr(first, last - first + 1);
        };
        std::vector<LogRecord> records;
        const std::vector<std::string> messages = Messages();
        for (size_t i = 0; i < lines.size(); ++i)
        {
            const std::string& line = lines[i];
            const size_t levelStart = line.find("] ") + 2;
            const size_t tagStart = line.find("| ", line.find("| TID:") + 6) + 2;
            const size_t tagEnd = line.find(": ", tagStart);
            records.push_back({trim(line.substr(levelStart, line.find(" |") - levelStart)),
                               trim(line.substr(tagStart, tagEnd - tagStart)), messages[i]});
        }
        return records;
    }

    std::vector<std::string> lines;
};
} // namespace TestSupport

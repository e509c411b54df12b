#pragma once
// Reading a program's log file back in end-to-end tests: its lines, and the message of a line
// written under a given tag.
#include <sstream>
#include <string>
#include <vector>

namespace TestSupport
{
inline std::vector<std::string> Lines(const std::string& p_Text)
{
    std::vector<std::string> lines;
    std::istringstream in(p_Text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The message behind the right-aligned tag of a log line, or "" when the tag differs.
inline std::string MessageOf(const std::string& p_Line, const std::string& p_Tag)
{
    const std::string marker = " " + p_Tag + ": ";
    const size_t at = p_Line.find(marker);
    return at == std::string::npos ? std::string() : p_Line.substr(at + marker.size());
}

// The messages of the Warning lines under the tag that begin with the prefix, in their order.
inline std::vector<std::string> WarningsOf(const std::string& p_Text, const std::string& p_Tag,
                                           const std::string& p_Prefix)
{
    std::vector<std::string> warnings;
    for (const std::string& line : Lines(p_Text))
    {
        const std::string message = MessageOf(line, p_Tag);
        if (message.rfind(p_Prefix, 0) == 0 && line.find("] Warning ") != std::string::npos)
            warnings.push_back(message);
    }
    return warnings;
}
} // namespace TestSupport

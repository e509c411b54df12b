#include "Game/Records.h"

#include <charconv>
#include <cstdio>

namespace Snake
{
namespace
{
constexpr std::string_view k_Heading =
    "// VORL records: record <grid mode> <speed> <best points> <fastest win in milliseconds, 0: never won>";
// Longer than any round a person plays (a hundred days), short enough to never overflow.
constexpr uint64_t k_LongestWinMs = 100ull * 24 * 60 * 60 * 1000;

bool ReadNumber(std::string_view p_Token, uint64_t& p_Value)
{
    if (p_Token.empty() || p_Token.size() > 19)
        return false;
    const auto [end, error] = std::from_chars(p_Token.data(), p_Token.data() + p_Token.size(), p_Value);
    return error == std::errc() && end == p_Token.data() + p_Token.size();
}

std::vector<std::string_view> Tokens(std::string_view p_Line)
{
    std::vector<std::string_view> tokens;
    size_t start = 0;
    while (start < p_Line.size())
    {
        if (p_Line[start] == ' ' || p_Line[start] == '\t')
        {
            ++start;
            continue;
        }
        size_t end = start;
        while (end < p_Line.size() && p_Line[end] != ' ' && p_Line[end] != '\t')
            ++end;
        tokens.push_back(p_Line.substr(start, end - start));
        start = end;
    }
    return tokens;
}

// Empty when the line is good; otherwise why it is not.
std::string ReadLine(std::string_view p_Line, RecordTable& p_Table)
{
    const std::vector<std::string_view> tokens = Tokens(p_Line);
    if (tokens.size() != 5 || tokens[0] != "record")
        return "not a record line";
    uint64_t grid = 0, speed = 0, points = 0, winMs = 0;
    if (!ReadNumber(tokens[1], grid) || grid >= k_GridModeCount)
        return "no grid mode from 0 to 11";
    if (!ReadNumber(tokens[2], speed) || speed < 1 || speed > k_RecordSpeedCount)
        return "no speed from 1 to 10";
    const GridSize size = GridModeSize(static_cast<uint32_t>(grid));
    const uint64_t cells = static_cast<uint64_t>(size.columns) * static_cast<uint64_t>(size.rows);
    if (!ReadNumber(tokens[3], points) || points < 1 || points > cells)
        return "no points from 1 to the number of cells";
    if (!ReadNumber(tokens[4], winMs) || winMs > k_LongestWinMs)
        return "no win time";
    // A win fills the board: a win time beside fewer points cannot be true.
    if (winMs != 0 && points != cells)
        return "a win time without a full board";
    p_Table.Merge(static_cast<uint32_t>(grid), static_cast<uint32_t>(speed),
                  Record{static_cast<uint32_t>(points), winMs});
    return {};
}
} // namespace

Record RecordTable::Get(uint32_t p_GridMode, uint32_t p_Speed) const
{
    if (p_GridMode >= k_GridModeCount || p_Speed < 1 || p_Speed > k_RecordSpeedCount)
        return {};
    return m_Records[p_GridMode][p_Speed - 1];
}

void RecordTable::Merge(uint32_t p_GridMode, uint32_t p_Speed, const Record& p_Record)
{
    if (p_GridMode >= k_GridModeCount || p_Speed < 1 || p_Speed > k_RecordSpeedCount)
        return;
    Record& record = m_Records[p_GridMode][p_Speed - 1];
    if (p_Record.bestPoints > record.bestPoints)
        record.bestPoints = p_Record.bestPoints;
    if (p_Record.fastestWinMs != 0 &&
        (record.fastestWinMs == 0 || p_Record.fastestWinMs < record.fastestWinMs))
        record.fastestWinMs = p_Record.fastestWinMs;
}

RecordOutcome RecordTable::Submit(uint32_t p_GridMode, uint32_t p_Speed, uint32_t p_Points, bool p_Won,
                                  uint64_t p_TimeMs)
{
    RecordOutcome outcome;
    outcome.before = Get(p_GridMode, p_Speed);
    if (p_GridMode >= k_GridModeCount || p_Speed < 1 || p_Speed > k_RecordSpeedCount)
        return outcome;
    // A win in under a millisecond is no time the file could tell from "never won".
    const uint64_t winMs = p_Won ? (p_TimeMs == 0 ? 1 : p_TimeMs) : 0;
    outcome.newBestPoints = p_Points > outcome.before.bestPoints;
    outcome.newFastestWin =
        p_Won && (outcome.before.fastestWinMs == 0 || winMs < outcome.before.fastestWinMs);
    Merge(p_GridMode, p_Speed, Record{p_Points, winMs});
    return outcome;
}

bool RecordTable::IsEmpty() const
{
    for (const auto& row : m_Records)
        for (const Record& record : row)
            if (record.bestPoints > 0)
                return false;
    return true;
}

std::string RecordTable::Serialise() const
{
    std::string text(k_Heading);
    text += '\n';
    for (uint32_t grid = 0; grid < k_GridModeCount; ++grid)
    {
        for (uint32_t speed = 1; speed <= k_RecordSpeedCount; ++speed)
        {
            const Record record = Get(grid, speed);
            if (record.bestPoints == 0)
                continue;
            text += "record " + std::to_string(grid) + ' ' + std::to_string(speed) + ' ' +
                    std::to_string(record.bestPoints) + ' ' + std::to_string(record.fastestWinMs) + '\n';
        }
    }
    return text;
}

ParsedRecords ParseRecords(std::string_view p_Text)
{
    ParsedRecords result;
    uint32_t number = 0;
    size_t start = 0;
    while (start < p_Text.size())
    {
        size_t end = p_Text.find('\n', start);
        if (end == std::string_view::npos)
            end = p_Text.size();
        std::string_view line = p_Text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.starts_with("//"))
            continue;
        std::string reason = ReadLine(line, result.table);
        if (!reason.empty())
            result.damaged.push_back(DamagedLine{number, std::move(reason)});
    }
    return result;
}

std::string FormatDuration(uint64_t p_Milliseconds)
{
    const uint64_t tenths = p_Milliseconds / 100;
    char text[48];
    std::snprintf(text, sizeof(text), "%llu:%02llu.%llu", static_cast<unsigned long long>(tenths / 600),
                  static_cast<unsigned long long>(tenths / 10 % 60),
                  static_cast<unsigned long long>(tenths % 10));
    return text;
}

std::string CountOfPoints(uint32_t p_Points, const std::string& p_One, const std::string& p_Many)
{
    return std::to_string(p_Points) + " " + (p_Points == 1 ? p_One : p_Many);
}
} // namespace Snake

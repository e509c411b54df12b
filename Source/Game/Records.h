#pragma once
// The player's records: the best points and the fastest win for each grid mode and speed, and
// the text of "records.cfg" that keeps them. Free of files and of the engine, so that the parser
// can be fed any text (tests, fuzzing).
//
// The file holds one line per grid mode and speed that has a record:
//   record <grid mode 0-11> <speed 1-10> <best points> <fastest win in milliseconds, 0: never won>
// Lines starting with "//" are comments. Anything else is damaged and skipped.
#include "Game/GridModes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Snake
{
inline constexpr uint32_t k_RecordSpeedCount = 10; // speeds 1 to 10

struct Record
{
    uint32_t bestPoints = 0;   // 0: no round played
    uint64_t fastestWinMs = 0; // 0: never won
    bool operator==(const Record&) const = default;
};

// What a finished round changed.
struct RecordOutcome
{
    bool newBestPoints = false;
    bool newFastestWin = false;
    Record before; // the record as it stood before the round
    bool IsNewRecord() const { return newBestPoints || newFastestWin; }
};

struct DamagedLine
{
    uint32_t number = 0; // 1-based
    std::string reason;
};

class RecordTable
{
public:
    // An empty record for a grid mode or speed outside the table.
    Record Get(uint32_t p_GridMode, uint32_t p_Speed) const;
    bool Has(uint32_t p_GridMode, uint32_t p_Speed) const { return Get(p_GridMode, p_Speed).bestPoints > 0; }
    // A round ended with p_Points (the snake's length); a win also brings its time. Grid modes
    // or speeds outside the table change nothing.
    RecordOutcome Submit(uint32_t p_GridMode, uint32_t p_Speed, uint32_t p_Points, bool p_Won,
                         uint64_t p_TimeMs);
    // Keeps the better of both, as a second line for the same board does.
    void Merge(uint32_t p_GridMode, uint32_t p_Speed, const Record& p_Record);
    bool IsEmpty() const;

    // The file's text: a heading comment and one line per record, grid modes then speeds
    // in ascending order.
    std::string Serialise() const;

private:
    Record m_Records[k_GridModeCount][k_RecordSpeedCount];
};

struct ParsedRecords
{
    RecordTable table;
    std::vector<DamagedLine> damaged;
};

// Reads the text of "records.cfg". Never fails: a damaged line is reported and skipped, the rest
// is kept.
ParsedRecords ParseRecords(std::string_view p_Text);

// "m:ss.t": 83 456 ms give "1:23.4"; the minutes grow as needed.
std::string FormatDuration(uint64_t p_Milliseconds);

// "1 point", "17 points": the count with the word the language uses for it. English and German
// both take the singular for one alone, and the plural for none.
std::string CountOfPoints(uint32_t p_Points, const std::string& p_One, const std::string& p_Many);
} // namespace Snake

#include "Corvan/Scripting/LuaPatternCost.h"

#include <algorithm>
#include <limits>

namespace Telvar
{
namespace
{
// Where the single-character class starting at p_At ends: a letter, an escape (%a, %%) or a set.
size_t ClassEnd(std::string_view p_Pattern, size_t p_At)
{
    if (p_Pattern[p_At] == '%')
        return std::min(p_At + 2, p_Pattern.size());
    if (p_Pattern[p_At] != '[')
        return p_At + 1;
    size_t at = p_At + 1;
    if (at < p_Pattern.size() && p_Pattern[at] == '^')
        ++at;
    // A ']' right after the opening (or after '^') is a member, not the end.
    do
    {
        if (at >= p_Pattern.size())
            return p_Pattern.size(); // malformed: Lua itself reports it
        if (p_Pattern[at] == '%')
            ++at;
        ++at;
    } while (at < p_Pattern.size() && p_Pattern[at] != ']');
    return std::min(at + 1, p_Pattern.size());
}

bool IsQuantifier(char p_Char)
{
    return p_Char == '*' || p_Char == '+' || p_Char == '-' || p_Char == '?';
}

// True when nothing but closing captures follow p_At. A final '$' is not nothing: the item before
// it is retried at every length it can take until the end of the subject fits, so "a*$" on a long
// run of a's followed by a b costs the run's length at every start.
bool OnlyClosingFollows(std::string_view p_Pattern, size_t p_At)
{
    for (size_t at = p_At; at < p_Pattern.size(); ++at)
    {
        if (p_Pattern[at] != ')')
            return false;
    }
    return true;
}
} // namespace

double PatternWorstCaseSteps(std::string_view p_Pattern, size_t p_SubjectLength, bool p_AnchorHonoured)
{
    const double length = static_cast<double>(p_SubjectLength) + 1.0;
    const double huge = std::numeric_limits<double>::max() / 4;
    size_t at = 0;
    double starts = length;
    if (p_AnchorHonoured && !p_Pattern.empty() && p_Pattern[0] == '^')
    {
        starts = 1.0;
        at = 1;
    }
    double branching = 1.0;
    while (at < p_Pattern.size())
    {
        const char c = p_Pattern[at];
        if (c == '(' || c == ')')
        {
            ++at;
            continue;
        }
        if (c == '$' && at + 1 == p_Pattern.size())
            break;
        size_t end = 0;
        double factor = 1.0;
        if (c == '%' && at + 1 < p_Pattern.size() && p_Pattern[at + 1] == 'b')
        {
            end = std::min(at + 4, p_Pattern.size());
            factor = length; // scans ahead for the balance, from every position it is tried at
        }
        else if (c == '%' && at + 1 < p_Pattern.size() && p_Pattern[at + 1] == 'f')
        {
            end = at + 2 < p_Pattern.size() ? ClassEnd(p_Pattern, at + 2) : p_Pattern.size();
        }
        else if (c == '%' && at + 1 < p_Pattern.size() && p_Pattern[at + 1] >= '0' &&
                 p_Pattern[at + 1] <= '9')
        {
            end = at + 2;
            factor = length; // compares the whole capture again
        }
        else
        {
            end = ClassEnd(p_Pattern, at);
            if (end < p_Pattern.size() && IsQuantifier(p_Pattern[end]))
            {
                factor = p_Pattern[end] == '?' ? 2.0 : length;
                ++end;
            }
        }
        // The last item is tried once per way of reaching it; its own scan is the pass added below.
        if (!OnlyClosingFollows(p_Pattern, end))
            branching = std::min(branching * factor, huge);
        at = end;
    }
    const double perLeaf = static_cast<double>(p_Pattern.size()) + 1.0;
    return std::min((starts * perLeaf + length) * branching, huge);
}
} // namespace Telvar

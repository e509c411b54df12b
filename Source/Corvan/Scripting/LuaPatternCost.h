#pragma once
// Lua's pattern matcher runs inside one C call, where the sandbox's count hook never fires: a
// pattern that backtracks (string.rep("a", 40):find(string.rep("a*", 40) .. "b")) would hold the
// host for ever. The sandbox therefore asks, before each match, how many matcher steps the
// pattern can take at worst on its subject, and refuses what the script's budget cannot pay.
#include <cstddef>
#include <string_view>

namespace Telvar
{
// An upper bound on the matcher's steps for p_Pattern over a subject of p_SubjectLength bytes,
// counting every start position (find, match, gmatch and gsub all try them in turn). Each
// repeated item (*, +, -), balance (%b) or back reference (%1) that has more pattern after it
// can be retried at every subject position, so it multiplies the bound by the length; an
// optional item (?) doubles it; so does the last item when a final $ follows it. The last item
// of the pattern adds one pass over the subject.
// p_AnchorHonoured: a leading ^ restricts the match to the first position (not so for gmatch).
double PatternWorstCaseSteps(std::string_view p_Pattern, size_t p_SubjectLength, bool p_AnchorHonoured);
} // namespace Telvar

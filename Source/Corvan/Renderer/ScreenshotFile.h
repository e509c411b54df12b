#pragma once
// Putting a finished screenshot on disk without ever losing one: names are taken, never
// replaced, and a write that fails leaves nothing behind.
#include <cstdint>
#include <string>
#include <vector>

namespace Vozad
{
// The name for the p_Copy-th file wanted under p_Path within one second: the path itself for the
// first, then "_2", "_3" ... before the extension ("Shots/Snake_T.png" -> "Shots/Snake_T_2.png").
std::string NumberedPath(const std::string& p_Path, uint32_t p_Copy);

struct NewFileResult
{
    bool written = false;
    std::string path;  // the name the file got, or the first name tried when none could be made
    std::string error; // why it was not written, e.g. "No space left on device"
};

// Creates a file that did not exist, at p_Path or at the first free NumberedPath of it, and
// writes all of p_Bytes into it. When writing or closing fails, the file is removed again.
NewFileResult WriteNewFile(const std::string& p_Path, const std::vector<uint8_t>& p_Bytes);
} // namespace Vozad

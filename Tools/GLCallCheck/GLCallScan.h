#pragma once
// Finds GL calls made bare, outside the checking macros of the engine's GL back end
// (GL_CHECK, GL_CHECK_VALUE, GL_HANDLED in Corvan/Renderer/OpenGL/GLFunctions.h). A call is a name
// "gl" + capital letter followed by "("; comments and string literals are skipped, and a call counts
// as wrapped when any parenthesis around it was opened by one of the macros. glGetError is what the
// checks are made of and is never a finding. Plain C++ with no engine library, like LayerCheck.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace GLCallCheck
{
struct BareCall
{
    std::string name; // the GL function, e.g. "glBindTexture"
    uint32_t line;    // 1-based
};

// The bare GL calls of one C++ source text, in order.
std::vector<BareCall> FindBareCalls(std::string_view p_Text);

struct Finding
{
    std::string file; // relative to the scanned folder, '/' separated
    BareCall call;
};

// Every bare call in the .h and .cpp files under p_Folder, files in name order; p_Allowed names
// files (relative paths as in Finding::file) that are not scanned: the loader that defines the
// function table and the check itself.
std::vector<Finding> ScanFolder(const std::string& p_Folder, const std::vector<std::string>& p_Allowed);
} // namespace GLCallCheck

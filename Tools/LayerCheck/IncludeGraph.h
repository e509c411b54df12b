#pragma once
// The folder include graph of a source tree and its check against a layer order. Knows nothing of
// the engine, so the layers it checks can never be what keeps it from building.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace LayerCheck
{
// One quoted #include that names a file of the tree. Paths are written as the tree's folder name
// followed by the path inside it ("Source/Corvan/Window/IWindow.h"), so messages can be opened
// from the repository's root.
struct Include
{
    std::string file;
    int line = 0;
    std::string text;   // as written between the quotes
    std::string target; // the file it names
};

// Every quoted #include in the .h and .cpp files under p_Root that names a file under p_Root,
// looked up from the root first and then from the including file's folder, as the compiler
// does for the tree's include directories. Includes of generated or system headers are skipped.
std::vector<Include> ScanIncludes(const std::filesystem::path& p_Root);

// The folders of a fenced block whose info string is "layers" (one folder a line, lowest
// first, '#' starts a comment); nothing when the text has no such block or it is not sound,
// with the reason in p_Error.
std::optional<std::vector<std::string>> ReadLayerOrder(std::string_view p_Markdown, std::string& p_Error);

// The folders that hold a CMakeLists.txt: the libraries, which is how the tree is cut when no
// layer order is given. Written like Include::file.
std::vector<std::string> LibraryFolders(const std::filesystem::path& p_Root);

// The index of the folder that holds p_Path (the longest that does), or -1.
int UnitOf(const std::vector<std::string>& p_Units, const std::string& p_Path);

struct Edge
{
    std::string from;
    std::string to;
    int includes = 0;
};

// Includes between different units, counted per ordered pair; files in no unit are left out.
std::vector<Edge> FolderGraph(const std::vector<Include>& p_Includes,
                              const std::vector<std::string>& p_Units);

// The strongly connected groups of more than one unit: every cycle lies inside one of them.
std::vector<std::vector<std::string>> CycleGroups(const std::vector<Edge>& p_Edges);

struct Violation
{
    std::string file;
    int line = 0; // 0 for a file that lies in no layer
    std::string message;
};

// Each include must name a file in the same layer or one listed before it, and every scanned
// file must lie in a layer.
std::vector<Violation> CheckOrder(const std::vector<Include>& p_Includes,
                                  const std::vector<std::string>& p_Files,
                                  const std::vector<std::string>& p_Layers);

// The .h and .cpp files under p_Root, written like Include::file.
std::vector<std::string> SourceFiles(const std::filesystem::path& p_Root);
} // namespace LayerCheck

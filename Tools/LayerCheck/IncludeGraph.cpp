#include "IncludeGraph.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace LayerCheck
{
namespace
{
bool IsSource(const fs::path& p_Path)
{
    const fs::path extension = p_Path.extension();
    return extension == ".h" || extension == ".cpp";
}

// The tree's own name, so "Source/" and "./Source" both give "Source".
std::string TreeName(const fs::path& p_Root)
{
    return fs::weakly_canonical(p_Root).filename().string();
}

// p_Path, which lies under p_Root, written like Include::file; empty when it lies outside.
std::string NameInTree(const fs::path& p_Root, const fs::path& p_Path)
{
    const fs::path relative = p_Path.lexically_normal().lexically_relative(p_Root.lexically_normal());
    if (relative.empty() || *relative.begin() == "..")
        return {};
    return (fs::path(TreeName(p_Root)) / relative).generic_string();
}

std::vector<fs::path> SourcePaths(const fs::path& p_Root)
{
    std::vector<fs::path> paths;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(p_Root))
        if (entry.is_regular_file() && IsSource(entry.path()))
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string Trim(std::string_view p_Text)
{
    const auto first = p_Text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = p_Text.find_last_not_of(" \t\r");
    return std::string(p_Text.substr(first, last - first + 1));
}

bool Holds(const std::string& p_Folder, const std::string& p_Path)
{
    return p_Path == p_Folder ||
           (p_Path.size() > p_Folder.size() && p_Path.compare(0, p_Folder.size(), p_Folder) == 0 &&
            p_Path[p_Folder.size()] == '/');
}
} // namespace

std::vector<std::string> SourceFiles(const fs::path& p_Root)
{
    std::vector<std::string> files;
    for (const fs::path& path : SourcePaths(p_Root))
        files.push_back(NameInTree(p_Root, path));
    return files;
}

std::vector<Include> ScanIncludes(const fs::path& p_Root)
{
    static const std::regex includeLine(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<Include> includes;
    for (const fs::path& path : SourcePaths(p_Root))
    {
        std::ifstream in(path);
        std::string line;
        int number = 0;
        while (std::getline(in, line))
        {
            ++number;
            std::smatch match;
            if (!std::regex_search(line, match, includeLine))
                continue;
            const std::string text = match[1];
            for (const fs::path& candidate : {p_Root / text, path.parent_path() / text})
            {
                if (!fs::is_regular_file(candidate))
                    continue;
                const std::string target = NameInTree(p_Root, candidate);
                if (!target.empty())
                    includes.push_back({NameInTree(p_Root, path), number, text, target});
                break;
            }
        }
    }
    return includes;
}

std::optional<std::vector<std::string>> ReadLayerOrder(std::string_view p_Markdown, std::string& p_Error)
{
    std::vector<std::string> layers;
    std::string fence; // of the fenced block we are in; empty outside one
    bool inLayers = false;
    int blocks = 0;
    size_t start = 0;
    while (start < p_Markdown.size())
    {
        size_t end = p_Markdown.find('\n', start);
        if (end == std::string_view::npos)
            end = p_Markdown.size();
        const std::string line = Trim(p_Markdown.substr(start, end - start));
        start = end + 1;
        const bool fenceLine = line.rfind("```", 0) == 0 || line.rfind("~~~", 0) == 0;
        if (fence.empty())
        {
            if (!fenceLine)
                continue;
            const size_t length = std::min(line.find_first_not_of(line[0]), line.size());
            fence = line.substr(0, length);
            inLayers = Trim(line.substr(length)) == "layers";
            blocks += inLayers ? 1 : 0;
            continue;
        }
        if (fenceLine && line.rfind(fence, 0) == 0 && line.find_first_not_of(fence[0]) == std::string::npos)
        {
            fence.clear();
            inLayers = false;
            continue;
        }
        if (!inLayers)
            continue;
        std::string folder = Trim(line.substr(0, line.find('#')));
        while (!folder.empty() && folder.back() == '/')
            folder.pop_back();
        if (folder.empty())
            continue;
        for (const std::string& earlier : layers)
        {
            if (earlier == folder)
            {
                p_Error = "\"" + folder + "\" is listed twice";
                return std::nullopt;
            }
            if (Holds(earlier, folder) || Holds(folder, earlier))
            {
                p_Error = "\"" + folder + "\" and \"" + earlier + "\" lie inside one another";
                return std::nullopt;
            }
        }
        layers.push_back(folder);
    }
    if (blocks == 0)
        p_Error = "no \"layers\" block";
    else if (blocks > 1)
        p_Error = "more than one \"layers\" block";
    else if (inLayers)
        p_Error = "the \"layers\" block is not closed";
    else if (layers.empty())
        p_Error = "the \"layers\" block lists no folder";
    else
        return layers;
    return std::nullopt;
}

std::vector<std::string> LibraryFolders(const fs::path& p_Root)
{
    std::vector<std::string> folders;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(p_Root))
    {
        if (!entry.is_directory() || !fs::is_regular_file(entry.path() / "CMakeLists.txt"))
            continue;
        // A folder that only gathers others builds no library of its own.
        const fs::directory_iterator files(entry.path());
        if (std::any_of(begin(files), end(files),
                        [](const fs::directory_entry& p_File) { return IsSource(p_File.path()); }))
            folders.push_back(NameInTree(p_Root, entry.path()));
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

int UnitOf(const std::vector<std::string>& p_Units, const std::string& p_Path)
{
    int best = -1;
    for (size_t i = 0; i < p_Units.size(); ++i)
        if (Holds(p_Units[i], p_Path) && (best < 0 || p_Units[i].size() > p_Units[best].size()))
            best = static_cast<int>(i);
    return best;
}

std::vector<Edge> FolderGraph(const std::vector<Include>& p_Includes, const std::vector<std::string>& p_Units)
{
    std::map<std::pair<int, int>, int> counts;
    for (const Include& include : p_Includes)
    {
        const int from = UnitOf(p_Units, include.file);
        const int to = UnitOf(p_Units, include.target);
        if (from >= 0 && to >= 0 && from != to)
            ++counts[{from, to}];
    }
    std::vector<Edge> edges;
    for (const auto& [pair, count] : counts)
        edges.push_back({p_Units[pair.first], p_Units[pair.second], count});
    return edges;
}

std::vector<std::vector<std::string>> CycleGroups(const std::vector<Edge>& p_Edges)
{
    // Tarjan's strongly connected components.
    std::map<std::string, std::vector<std::string>> next;
    for (const Edge& edge : p_Edges)
    {
        next[edge.from].push_back(edge.to);
        next[edge.to];
    }
    std::map<std::string, int> index, low;
    std::set<std::string> onStack;
    std::vector<std::string> stack;
    std::vector<std::vector<std::string>> groups;
    int counter = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& p_Node)
    {
        index[p_Node] = low[p_Node] = counter++;
        stack.push_back(p_Node);
        onStack.insert(p_Node);
        for (const std::string& to : next[p_Node])
        {
            if (!index.count(to))
            {
                visit(to);
                low[p_Node] = std::min(low[p_Node], low[to]);
            }
            else if (onStack.count(to))
                low[p_Node] = std::min(low[p_Node], index[to]);
        }
        if (low[p_Node] != index[p_Node])
            return;
        std::vector<std::string> group;
        std::string member;
        do
        {
            member = stack.back();
            stack.pop_back();
            onStack.erase(member);
            group.push_back(member);
        } while (member != p_Node);
        if (group.size() > 1)
        {
            std::sort(group.begin(), group.end());
            groups.push_back(group);
        }
    };
    for (const auto& [node, targets] : next)
        if (!index.count(node))
            visit(node);
    std::sort(groups.begin(), groups.end());
    return groups;
}

std::vector<Violation> CheckOrder(const std::vector<Include>& p_Includes,
                                  const std::vector<std::string>& p_Files,
                                  const std::vector<std::string>& p_Layers)
{
    std::vector<Violation> violations;
    for (const std::string& file : p_Files)
        if (UnitOf(p_Layers, file) < 0)
            violations.push_back({file, 0, "lies in no layer of the order"});
    for (const Include& include : p_Includes)
    {
        const int from = UnitOf(p_Layers, include.file);
        const int to = UnitOf(p_Layers, include.target);
        if (from < 0 || to < 0 || to <= from)
            continue;
        violations.push_back({include.file, include.line,
                              "includes \"" + include.text + "\": layer " + p_Layers[from] +
                                  " may not include layer " + p_Layers[to] + ", which lies above it"});
    }
    return violations;
}
} // namespace LayerCheck

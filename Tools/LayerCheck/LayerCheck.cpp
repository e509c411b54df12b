// Prints the folder include graph of a source tree and its cycles; with --check, also checks that
// every include between layers points down the order written in a Markdown file.
//   LayerCheck Source                                  the graph between the library folders
//   LayerCheck --unit Source/Lib --unit Source/Game Source   the graph between the folders named
//   LayerCheck --check ARCHITECTURE.md Source          the graph between layers, and the check
#include "IncludeGraph.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace
{
int Usage()
{
    std::cerr << "usage: LayerCheck [--check <markdown file>] [--unit <folder>]... <source folder>\n";
    return 2;
}
} // namespace

int main(int p_Argc, char** p_Argv)
{
    std::string orderFile;
    std::string root;
    std::vector<std::string> units;
    for (int i = 1; i < p_Argc; ++i)
    {
        const std::string argument = p_Argv[i];
        if ((argument == "--check" || argument == "--unit") && i + 1 < p_Argc)
            (argument == "--check" ? orderFile = p_Argv[++i] : units.emplace_back(p_Argv[++i]));
        else if (!argument.empty() && argument[0] != '-' && root.empty())
            root = argument;
        else
            return Usage();
    }
    if (root.empty() || (!orderFile.empty() && !units.empty()))
        return Usage();
    if (!std::filesystem::is_directory(root))
    {
        std::cerr << "LayerCheck: " << root << " is not a folder\n";
        return 2;
    }

    if (!orderFile.empty())
    {
        std::ifstream in(orderFile);
        if (!in)
        {
            std::cerr << "LayerCheck: cannot read " << orderFile << "\n";
            return 2;
        }
        std::ostringstream text;
        text << in.rdbuf();
        std::string error;
        const auto layers = LayerCheck::ReadLayerOrder(text.str(), error);
        if (!layers)
        {
            std::cerr << "LayerCheck: " << orderFile << ": " << error << "\n";
            return 2;
        }
        units = *layers;
    }
    else if (units.empty())
        units = LayerCheck::LibraryFolders(root);

    const std::vector<LayerCheck::Include> includes = LayerCheck::ScanIncludes(root);
    const std::vector<LayerCheck::Edge> edges = LayerCheck::FolderGraph(includes, units);
    const auto groups = LayerCheck::CycleGroups(edges);

    std::cout << "folders (" << units.size() << (orderFile.empty() ? "):\n" : ", lowest first):\n");
    for (const std::string& unit : units)
        std::cout << "  " << unit << "\n";
    int between = 0;
    std::cout << "edges (" << edges.size() << "):\n";
    for (const LayerCheck::Edge& edge : edges)
    {
        std::cout << "  " << edge.from << " -> " << edge.to << " (" << edge.includes << ")\n";
        between += edge.includes;
    }
    std::cout << "cycles (" << groups.size() << " strongly connected groups):\n";
    for (const auto& group : groups)
    {
        std::cout << " ";
        for (const std::string& member : group)
            std::cout << " " << member;
        std::cout << "\n";
        for (const LayerCheck::Edge& edge : edges)
            for (const LayerCheck::Edge& back : edges)
                if (edge.from == back.to && edge.to == back.from && edge.from < edge.to)
                    for (const std::string& member : group)
                        if (member == edge.from)
                            std::cout << "    " << edge.from << " <-> " << edge.to << "\n";
    }
    if (orderFile.empty())
        return 0;

    const auto violations = LayerCheck::CheckOrder(includes, LayerCheck::SourceFiles(root), units);
    for (const LayerCheck::Violation& violation : violations)
    {
        std::cout << violation.file;
        if (violation.line > 0)
            std::cout << ":" << violation.line;
        std::cout << ": " << violation.message << "\n";
    }
    if (!violations.empty())
    {
        std::cout << "layer check: " << violations.size() << " violations of the order in " << orderFile
                  << "\n";
        return 1;
    }
    std::cout << "layer check: " << between << " includes between " << units.size()
              << " layers, every one points down\n";
    return 0;
}

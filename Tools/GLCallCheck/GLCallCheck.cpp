// Fails when a GL call in a source tree is made bare, outside GL_CHECK, GL_CHECK_VALUE or
// GL_HANDLED, so that debug builds report the error of every call.
//   GLCallCheck [--allow <file relative to the folder>]... <source folder>
#include "GLCallScan.h"

#include <filesystem>
#include <iostream>

namespace
{
int Usage()
{
    std::cerr << "usage: GLCallCheck [--allow <file>]... <source folder>\n";
    return 2;
}
} // namespace

int main(int p_Argc, char** p_Argv)
{
    std::string root;
    std::vector<std::string> allowed;
    for (int i = 1; i < p_Argc; ++i)
    {
        const std::string argument = p_Argv[i];
        if (argument == "--allow" && i + 1 < p_Argc)
            allowed.emplace_back(p_Argv[++i]);
        else if (!argument.empty() && argument[0] != '-' && root.empty())
            root = argument;
        else
            return Usage();
    }
    if (root.empty() || !std::filesystem::is_directory(root))
        return Usage();
    const std::vector<GLCallCheck::Finding> findings = GLCallCheck::ScanFolder(root, allowed);
    for (const GLCallCheck::Finding& finding : findings)
        std::cout << root << "/" << finding.file << ":" << finding.call.line << ": " << finding.call.name
                  << " is called outside GL_CHECK, GL_CHECK_VALUE and GL_HANDLED\n";
    std::cout << findings.size() << " bare GL call" << (findings.size() == 1 ? "" : "s") << "\n";
    return findings.empty() ? 0 : 1;
}

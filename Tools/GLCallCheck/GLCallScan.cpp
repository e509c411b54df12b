#include "GLCallScan.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace GLCallCheck
{
namespace
{
bool IsIdentifierCharacter(char p_Character)
{
    return std::isalnum(static_cast<unsigned char>(p_Character)) || p_Character == '_';
}

// The text with every comment and the inside of every string and character literal turned into
// blanks; line breaks stay, so positions and line numbers are those of the original.
std::string WithoutCommentsAndLiterals(std::string_view p_Text)
{
    std::string text(p_Text);
    size_t i = 0;
    const auto blank = [&text](size_t p_From, size_t p_To)
    {
        for (size_t k = p_From; k < p_To && k < text.size(); ++k)
            if (text[k] != '\n')
                text[k] = ' ';
    };
    while (i < text.size())
    {
        if (text.compare(i, 2, "//") == 0)
        {
            const size_t end = std::min(text.find('\n', i), text.size());
            blank(i, end);
            i = end;
        }
        else if (text.compare(i, 2, "/*") == 0)
        {
            const size_t close = text.find("*/", i + 2);
            const size_t end = close == std::string::npos ? text.size() : close + 2;
            blank(i, end);
            i = end;
        }
        else if (text[i] == '"' || text[i] == '\'')
        {
            // A raw string ends at )delimiter"; anything else at the next unescaped quote.
            const bool raw = text[i] == '"' && i > 0 && text[i - 1] == 'R';
            size_t end = i + 1;
            if (raw)
            {
                const size_t open = text.find('(', i);
                // Built by appending: GCC 12 at -O3 warns about the overlap of a chain of operator+.
                std::string close = ")";
                close.append(text, i + 1, open - i - 1);
                close.push_back('"');
                const size_t at = open == std::string::npos ? std::string::npos : text.find(close, open);
                end = at == std::string::npos ? text.size() : at + close.size() - 1;
            }
            else
            {
                while (end < text.size() && text[end] != text[i] && text[end] != '\n')
                    end += text[end] == '\\' ? 2 : 1;
            }
            blank(i + 1, end);
            i = end + 1;
        }
        else
        {
            ++i;
        }
    }
    return text;
}

bool IsWrapper(std::string_view p_Name)
{
    return p_Name == "GL_CHECK" || p_Name == "GL_CHECK_VALUE" || p_Name == "GL_HANDLED";
}

bool IsGLCallName(std::string_view p_Name)
{
    return p_Name.size() > 2 && p_Name[0] == 'g' && p_Name[1] == 'l' &&
           std::isupper(static_cast<unsigned char>(p_Name[2])) && p_Name != "glGetError";
}
} // namespace

std::vector<BareCall> FindBareCalls(std::string_view p_Text)
{
    const std::string text = WithoutCommentsAndLiterals(p_Text);
    std::vector<BareCall> calls;
    // One entry per open parenthesis: whether a checking macro opened it.
    std::vector<bool> wrapped;
    uint32_t line = 1;
    std::string lastName; // the identifier directly before the next '(' if nothing else came between
    size_t i = 0;
    while (i < text.size())
    {
        const char character = text[i];
        if (IsIdentifierCharacter(character) && !std::isdigit(static_cast<unsigned char>(character)))
        {
            size_t end = i;
            while (end < text.size() && IsIdentifierCharacter(text[end]))
                ++end;
            lastName = text.substr(i, end - i);
            i = end;
            continue;
        }
        if (character == '(')
        {
            const bool inWrapper = std::find(wrapped.begin(), wrapped.end(), true) != wrapped.end();
            if (IsGLCallName(lastName) && !inWrapper)
                calls.push_back({lastName, line});
            wrapped.push_back(IsWrapper(lastName));
        }
        else if (character == ')' && !wrapped.empty())
        {
            wrapped.pop_back();
        }
        else if (character == '\n')
        {
            ++line;
        }
        if (!std::isspace(static_cast<unsigned char>(character)))
            lastName.clear();
        ++i;
    }
    return calls;
}

std::vector<Finding> ScanFolder(const std::string& p_Folder, const std::vector<std::string>& p_Allowed)
{
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(p_Folder))
    {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp"))
            files.push_back(fs::relative(entry.path(), p_Folder).generic_string());
    }
    std::sort(files.begin(), files.end());
    std::vector<Finding> findings;
    for (const std::string& file : files)
    {
        if (std::find(p_Allowed.begin(), p_Allowed.end(), file) != p_Allowed.end())
            continue;
        std::ifstream in(fs::path(p_Folder) / file);
        std::ostringstream text;
        text << in.rdbuf();
        for (const BareCall& call : FindBareCalls(text.str()))
            findings.push_back({file, call});
    }
    return findings;
}
} // namespace GLCallCheck

#include "Corvan/Renderer/ShaderSource.h"

namespace Vozad
{
namespace
{
constexpr std::string_view k_TypeKeyword = "#type";
constexpr std::string_view k_NameKeyword = "#shadername";
// "#shadername" and the blank behind it: the name starts this far into the line.
constexpr size_t k_NameOffset = 12;

enum class Stage
{
    None,
    Vertex,
    Fragment,
};

bool Contains(std::string_view p_Line, std::string_view p_Word)
{
    return p_Line.find(p_Word) != std::string_view::npos;
}
} // namespace

ShaderTextResult ParseShaderText(std::string_view p_Text, ShaderStages& p_Stages)
{
    p_Stages = ShaderStages();
    if (!Contains(p_Text, "\n"))
        return ShaderTextResult::NoLineFeed;

    Stage stage = Stage::None;
    size_t start = 0;
    while (start < p_Text.size())
    {
        const size_t end = p_Text.find('\n', start);
        const std::string_view line =
            p_Text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? p_Text.size() : end + 1;

        if (Contains(line, k_TypeKeyword))
        {
            if (Contains(line, "vertex"))
                stage = Stage::Vertex;
            else if (Contains(line, "fragment"))
                stage = Stage::Fragment;
            continue;
        }
        if (Contains(line, k_NameKeyword))
        {
            // A keyword line that ends before the name would otherwise give a nameless shader
            // that every other nameless text would be mistaken for.
            if (line.size() <= k_NameOffset)
            {
                p_Stages = ShaderStages();
                return ShaderTextResult::NameMissing;
            }
            p_Stages.name = std::string(line.substr(k_NameOffset));
            continue;
        }
        std::string* target = stage == Stage::Vertex     ? &p_Stages.vertex
                              : stage == Stage::Fragment ? &p_Stages.fragment
                                                         : nullptr;
        if (target)
        {
            target->append(line);
            target->push_back('\n');
        }
    }
    return ShaderTextResult::Parsed;
}

std::string ShaderNameInText(std::string_view p_Text)
{
    const size_t keyword = p_Text.find(k_NameKeyword);
    if (keyword == std::string_view::npos || keyword + k_NameOffset >= p_Text.size())
        return std::string();
    const std::string_view rest = p_Text.substr(keyword + k_NameOffset);
    return std::string(rest.substr(0, rest.find('\n')));
}

std::string ShaderVariantText(std::string_view p_Text, std::string_view p_NameSuffix,
                              std::string_view p_Define)
{
    std::string variant;
    variant.reserve(p_Text.size() + p_Define.size() + 32);
    size_t start = 0;
    while (start < p_Text.size())
    {
        const size_t end = p_Text.find('\n', start);
        std::string_view line =
            p_Text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? p_Text.size() : end + 1;
        // A carriage return stays at the end of its line, behind the suffix.
        const bool carriageReturn = !line.empty() && line.back() == '\r';
        if (carriageReturn)
            line.remove_suffix(1);
        variant.append(line);
        if (Contains(line, k_NameKeyword) && line.size() > k_NameOffset)
            variant.append(p_NameSuffix);
        if (carriageReturn)
            variant.push_back('\r');
        variant.push_back('\n');
        const size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line.substr(first).starts_with("#version"))
        {
            variant.append("#define ");
            variant.append(p_Define);
            variant.push_back('\n');
        }
    }
    return variant;
}

std::string_view FileNamePart(std::string_view p_Path)
{
    const size_t separator = p_Path.find_last_of("/\\");
    return separator == std::string_view::npos ? p_Path : p_Path.substr(separator + 1);
}

std::string LinkFailureText(std::string_view p_ProgramLog, std::string_view p_ShaderName)
{
    if (p_ProgramLog.find_first_not_of(" \t\r\n") != std::string_view::npos)
        return std::string(p_ProgramLog);
    // Built by appending: GCC 12 at -O3 warns about the overlap of a chain of string operator+.
    std::string text = "The vertex and fragment shaders of ";
    if (p_ShaderName.empty())
    {
        text += "an unnamed shader";
    }
    else
    {
        text += '"';
        text += p_ShaderName;
        text += '"';
    }
    text += " compiled but did not link into a program; the driver gave no reason.";
    return text;
}
} // namespace Vozad

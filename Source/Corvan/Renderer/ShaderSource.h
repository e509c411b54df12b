#pragma once
// The shader text format: one text holds both stages, split by "#type" lines and named by a
// "#shadername" line. Pure text work, so it is tested without a GL context.
#include <string>
#include <string_view>

namespace Vozad
{
enum class ShaderTextResult
{
    Parsed,
    NoLineFeed,  // the whole text is one line: nothing to split into stages
    NameMissing, // a "#shadername" line too short to carry a name
};

struct ShaderStages
{
    std::string vertex;   // every line of the vertex sections, each followed by a line feed
    std::string fragment; // likewise for the fragment sections
    std::string name;     // from the last "#shadername" line; empty when there is none
};

// Splits a shader text into its stages. Lines end at a line feed (a carriage return before it stays
// in the line). A line containing "#type" switches the stage: vertex when it also contains "vertex",
// else fragment when it contains "fragment", else the stage stays. Another line containing
// "#shadername" names the shader with everything from its thirteenth character on, so an indented
// keyword line keeps a leading blank in the name. Any other line goes to the current stage, or is
// dropped before the first stage starts. p_Stages is cleared first; on a result other than Parsed
// both stage texts are empty.
ShaderTextResult ParseShaderText(std::string_view p_Text, ShaderStages& p_Stages);

// The name the shader handler looks a text up by before compiling it: the text from 12 characters
// after the first "#shadername" up to the next line feed. Unlike the parser this counts from the
// keyword, so an indented keyword line gives the name without the leading blank. Empty when the
// text has no such keyword or nothing follows it.
std::string ShaderNameInText(std::string_view p_Text);

// A variant of a shader text: p_Define is defined in every stage, right after its "#version" line
// (GLSL allows nothing before it), and the name of the "#shadername" line gets p_NameSuffix, so
// the variant is loaded as a shader of its own. A text without "#version" lines gets no define.
std::string ShaderVariantText(std::string_view p_Text, std::string_view p_NameSuffix,
                              std::string_view p_Define);

// What the error line after a failed link says: the program's info log, or, when the driver left
// it empty, which shader's stages did not link, so the line never ends blank.
std::string LinkFailureText(std::string_view p_ProgramLog, std::string_view p_ShaderName);

// The part of a path after its last '/' or '\\'.
std::string_view FileNamePart(std::string_view p_Path);
} // namespace Vozad

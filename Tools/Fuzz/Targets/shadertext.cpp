// The shader text format on any bytes. Beyond not crashing: a parsed text's stages hold only
// lines of the input (each with its line feed back), and a failed parse leaves both stages empty.
#include "Corvan/Renderer/ShaderSource.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p_Data, size_t p_Size)
{
    const std::string_view input(reinterpret_cast<const char*>(p_Data), p_Size);
    Vozad::ShaderStages stages;
    const Vozad::ShaderTextResult result = Vozad::ParseShaderText(input, stages);
    if (result != Vozad::ShaderTextResult::Parsed && (!stages.vertex.empty() || !stages.fragment.empty()))
        std::abort();
    // At most one added line feed per line: the stages can never be longer than that.
    const size_t lines = static_cast<size_t>(std::count(input.begin(), input.end(), '\n')) + 1;
    if (stages.vertex.size() + stages.fragment.size() > input.size() + lines)
        std::abort();
    for (const std::string* stage : {&stages.vertex, &stages.fragment})
        if (!stage->empty() && stage->back() != '\n')
            std::abort();
    const std::string name = Vozad::ShaderNameInText(input);
    if (name.size() > input.size() || name.find('\n') != std::string::npos)
        std::abort();
    (void)Vozad::LinkFailureText(input, name);
    (void)Vozad::FileNamePart(input);
    return 0;
}

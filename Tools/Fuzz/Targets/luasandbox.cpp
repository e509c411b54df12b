// Any source text through the bot scripts' sandbox, with tight limits so that a loop or an
// allocation storm ends within a run: the script is loaded, and its "decide" function, when it
// has one, is called with a board like the one bots get. The sandbox must refuse or stop what
// breaks a limit and stay usable; the state never holds more than its memory cap.
#include "Corvan/Scripting/LuaSandbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
constexpr Telvar::SandboxLimits k_Limits{1024u * 1024u, 200'000};

Telvar::ScriptValue Board()
{
    using Telvar::ScriptValue;
    return ScriptValue::Table()
        .Set("width", ScriptValue::Number(20))
        .Set("height", ScriptValue::Number(12))
        .Set("headX", ScriptValue::Number(3))
        .Set("headY", ScriptValue::Number(4))
        .Set("direction", ScriptValue::Text("right"));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p_Data, size_t p_Size)
{
    const std::string source(reinterpret_cast<const char*>(p_Data), p_Size);
    Telvar::LuaSandbox sandbox(k_Limits);
    const bool loaded = sandbox.LoadText(source, "fuzz.lua");
    if (!loaded && sandbox.GetLastError().empty())
        std::abort();
    for (int call = 0; call < 2 && sandbox.HasFunction("decide"); ++call)
    {
        Telvar::ScriptValue result;
        if (!sandbox.Call("decide", Board(), result) && sandbox.GetLastError().empty())
            std::abort();
    }
    if (sandbox.GetMemoryInUse() > k_Limits.memoryBytes)
        std::abort();
    return 0;
}

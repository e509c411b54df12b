#pragma once
// A Lua state for scripts the engine did not write. Scripts see only the safe base functions and
// the string, table and math libraries: nothing that reaches files, processes, other modules or
// the interpreter's internals, and `load` takes text only. Memory is capped through the state's
// allocator and every call runs on an instruction budget, so a script that errors, loops for ever
// or allocates without end is stopped with one line naming its file and line, and the host goes
// on. The string library's pattern functions, which run inside one C call out of the count hook's
// reach, pay their worst case from the budget first (LuaPatternCost.h). One sandbox holds one
// script; its globals live on between calls.
//
//   Telvar::LuaSandbox sandbox;
//   if (!sandbox.LoadFile("Scripts/mybot.lua")) Log(sandbox.GetLastError());
//   Telvar::ScriptValue result;
//   if (sandbox.Call("decide", Telvar::ScriptValue::Table().Set("x", ScriptValue::Number(1)), result)) ...
#include "Corvan/Scripting/ScriptFailure.h"
#include "Corvan/Scripting/ScriptValue.h"

#include <cstdint>
#include <memory>
#include <string>

struct lua_State;

namespace Telvar
{
struct SandboxLimits
{
    size_t memoryBytes = 16u * 1024u * 1024u;
    // Every 64 bytes a call allocates count as one more instruction: a library call that builds a
    // large string costs what it does.
    uint64_t instructionsPerCall = 10'000'000;
};

class LuaSandbox
{
public:
    explicit LuaSandbox(SandboxLimits p_Limits = {});
    LuaSandbox(const LuaSandbox&) = delete;
    LuaSandbox& operator=(const LuaSandbox&) = delete;
    ~LuaSandbox();

    // Reads and runs a script file; p_Path is the name errors carry. False (with the reason in
    // GetLastError) when the file cannot be read, does not compile, is a binary chunk, or its top
    // level fails or breaks a limit.
    bool LoadFile(const std::string& p_Path);
    // The same for a script held in memory; p_Name stands for the file in errors.
    bool LoadText(const std::string& p_Source, const std::string& p_Name);

    // Calls the global function p_Function with p_Argument and takes its first result as a plain
    // value (tables come back as Type::Other). False, with the reason in GetLastError, when the
    // function is missing, raises an error or breaks a limit; the state stays usable.
    bool Call(const std::string& p_Function, const ScriptValue& p_Argument, ScriptValue& p_Result);

    bool HasFunction(const std::string& p_Function) const;

    // One line: "<file>:<line>: <reason>", or "<file>: <reason>" when no line applies.
    const std::string& GetLastError() const { return m_LastError; }
    ScriptFailure GetLastFailure() const { return m_LastFailure; }
    // Bytes the state holds now.
    size_t GetMemoryInUse() const;

    struct State; // the allocator's and the hook's bookkeeping, shared with the C callbacks

private:
    bool RunProtected(int p_Arguments, int p_Results);

    std::unique_ptr<State> m_State;
    lua_State* m_Lua = nullptr;
    std::string m_Name;
    std::string m_LastError;
    ScriptFailure m_LastFailure = ScriptFailure::None;
};
} // namespace Telvar

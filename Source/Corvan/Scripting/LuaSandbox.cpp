#include "Corvan/Scripting/LuaSandbox.h"

#include "Corvan/Scripting/LuaPatternCost.h"

#include <lua.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace Telvar
{
namespace
{
// The count hook fires every this many instructions; a script overruns its budget by less than that.
constexpr int k_HookInterval = 1000;
// Work done inside a library call (string.rep, table.concat) is one instruction for the hook but
// can take as long as millions: every this many bytes allocated count as one more instruction, so
// a loop that makes and drops large strings is stopped by the same budget.
constexpr size_t k_BytesPerInstruction = 64;
} // namespace

struct LuaSandbox::State
{
    SandboxLimits limits;
    lua_State* lua = nullptr; // set once the state exists; the allocator only locates after that
    size_t used = 0;
    uint64_t instructions = 0;
    bool budgetExceeded = false;
    bool memoryRefused = false;
    std::string where; // "<file>:<line>" of the refusal or the overrun
};

namespace
{
LuaSandbox::State& StateOf(lua_State* p_Lua)
{
    void* userData = nullptr;
    lua_getallocf(p_Lua, &userData);
    return *static_cast<LuaSandbox::State*>(userData);
}

// The innermost script line that runs: C functions (string.rep, error) have none, their caller has.
std::string Locate(lua_State* p_Lua)
{
    lua_Debug record;
    for (int level = 0; lua_getstack(p_Lua, level, &record) == 1; ++level)
    {
        if (lua_getinfo(p_Lua, "Sl", &record) != 0 && record.currentline > 0)
            return std::string(record.short_src) + ":" + std::to_string(record.currentline);
    }
    return {};
}

void* Allocate(void* p_UserData, void* p_Block, size_t p_OldSize, size_t p_NewSize)
{
    auto& state = *static_cast<LuaSandbox::State*>(p_UserData);
    // Without a block the old size names the kind of object, not a size.
    const size_t oldSize = p_Block != nullptr ? p_OldSize : 0;
    if (p_NewSize == 0)
    {
        std::free(p_Block);
        state.used -= oldSize;
        return nullptr;
    }
    if (p_NewSize > oldSize && state.lua != nullptr &&
        state.used - oldSize + p_NewSize > state.limits.memoryBytes)
    {
        if (!state.memoryRefused)
            state.where = Locate(state.lua);
        state.memoryRefused = true;
        return nullptr; // Lua raises its memory error, which no script handler sees
    }
    void* block = std::realloc(p_Block, p_NewSize);
    if (block != nullptr)
    {
        state.used = state.used - oldSize + p_NewSize;
        if (p_NewSize > oldSize)
            state.instructions += (p_NewSize - oldSize) / k_BytesPerInstruction;
    }
    return block;
}

void CountHook(lua_State* p_Lua, lua_Debug*)
{
    auto& state = StateOf(p_Lua);
    state.instructions += k_HookInterval;
    if (state.instructions <= state.limits.instructionsPerCall && !state.budgetExceeded)
        return;
    if (!state.budgetExceeded)
        state.where = Locate(p_Lua);
    state.budgetExceeded = true;
    // From now on every instruction fails, so a script's own pcall cannot swallow the stop.
    lua_sethook(p_Lua, CountHook, LUA_MASKCOUNT, 1);
    lua_pushliteral(p_Lua, "instruction budget exceeded");
    lua_error(p_Lua);
}

// Gives every error a position: Lua's own messages carry one, error("x", 0) and error({}) do not.
int MessageHandler(lua_State* p_Lua)
{
    const std::string where = Locate(p_Lua);
    std::string message;
    if (lua_type(p_Lua, 1) == LUA_TSTRING)
        message = lua_tostring(p_Lua, 1);
    else
        message = std::string("(error object is a ") + luaL_typename(p_Lua, 1) + " value)";
    if (!where.empty() && message.compare(0, where.size(), where) != 0)
        message = where + ": " + message;
    lua_pushlstring(p_Lua, message.data(), message.size());
    return 1;
}

// Every line names the script: Lua gives some errors no position at all ("C stack overflow"
// while compiling a deeply nested chunk, "error in error handling").
std::string NamedMessage(const std::string& p_Message, const std::string& p_Name)
{
    if (p_Message.compare(0, p_Name.size(), p_Name) == 0)
        return p_Message;
    return p_Name + ": " + p_Message;
}

// load() for text only: binary chunks bypass the compiler's checks.
int TextOnlyLoad(lua_State* p_Lua)
{
    lua_settop(p_Lua, 4);
    lua_pushliteral(p_Lua, "t");
    lua_replace(p_Lua, 3);
    lua_pushvalue(p_Lua, lua_upvalueindex(1));
    lua_insert(p_Lua, 1);
    lua_call(p_Lua, 4, LUA_MULTRET);
    return lua_gettop(p_Lua);
}

// collectgarbage() without the options that stop the collector or change its pacing.
int LimitedCollectGarbage(lua_State* p_Lua)
{
    static const char* const k_Allowed[] = {"collect", "count", "step", "isrunning", nullptr};
    const char* option = luaL_optstring(p_Lua, 1, "collect");
    bool allowed = false;
    for (const char* const* name = k_Allowed; *name != nullptr; ++name)
        allowed = allowed || std::strcmp(*name, option) == 0;
    if (!allowed)
        return luaL_error(p_Lua, "collectgarbage option '%s' is not allowed here", option);
    lua_pushvalue(p_Lua, lua_upvalueindex(1));
    lua_insert(p_Lua, 1);
    lua_call(p_Lua, lua_gettop(p_Lua) - 1, LUA_MULTRET);
    return lua_gettop(p_Lua);
}

// Scripts talk through their return values; print would write into the host's own output.
int SilentPrint(lua_State*)
{
    return 0;
}

double BudgetLeft(const LuaSandbox::State& p_State)
{
    const uint64_t limit = p_State.limits.instructionsPerCall;
    return p_State.instructions < limit ? static_cast<double>(limit - p_State.instructions) : 0.0;
}

// How many element steps a library call that loops inside C will take, from its arguments as
// Lua will read them; 0 where Lua itself refuses the arguments or the loop is short.
enum class LoopingCall
{
    Rep,    // string.rep(s, n [, sep]): n copies, even of an empty string with no separator
    Move,   // table.move(a, f, e, t): e - f + 1 elements, present or not
    Sort,   // table.sort(t): about n log n comparisons
    Concat, // table.concat(t, sep, i, j): j - i + 1 items
    Shift,  // table.insert(t, pos, v) and table.remove(t, pos): up to #t moves
};

double LoopSteps(lua_State* p_Lua, LoopingCall p_Call)
{
    int isNumber = 0;
    switch (p_Call)
    {
    case LoopingCall::Rep:
    {
        // A result with bytes in it is paid through the memory it takes, and the cap bounds its
        // copies; only copies of nothing are free of both.
        size_t length = 0;
        size_t separator = 0;
        if (lua_isstring(p_Lua, 1) != 0)
            lua_tolstring(p_Lua, 1, &length);
        if (lua_isstring(p_Lua, 3) != 0)
            lua_tolstring(p_Lua, 3, &separator);
        const lua_Integer count = lua_tointegerx(p_Lua, 2, &isNumber);
        return isNumber != 0 && count > 0 && length + separator == 0 ? static_cast<double>(count) : 0.0;
    }
    case LoopingCall::Move:
    {
        int isEnd = 0;
        const lua_Integer first = lua_tointegerx(p_Lua, 2, &isNumber);
        const lua_Integer last = lua_tointegerx(p_Lua, 3, &isEnd);
        return isNumber != 0 && isEnd != 0 && last >= first
                   ? static_cast<double>(last) - static_cast<double>(first) + 1.0
                   : 0.0;
    }
    case LoopingCall::Concat:
    {
        if (lua_type(p_Lua, 1) != LUA_TTABLE)
            return 0.0;
        const lua_Integer first = lua_isnoneornil(p_Lua, 3) ? 1 : lua_tointegerx(p_Lua, 3, &isNumber);
        int isEnd = 0;
        const lua_Integer last = lua_isnoneornil(p_Lua, 4) ? static_cast<lua_Integer>(lua_rawlen(p_Lua, 1))
                                                           : lua_tointegerx(p_Lua, 4, &isEnd);
        return last >= first ? static_cast<double>(last) - static_cast<double>(first) + 1.0 : 0.0;
    }
    case LoopingCall::Sort:
    case LoopingCall::Shift:
    {
        if (lua_type(p_Lua, 1) != LUA_TTABLE)
            return 0.0;
        const double length = static_cast<double>(lua_rawlen(p_Lua, 1));
        return p_Call == LoopingCall::Sort && length > 1.0 ? length * std::log2(length) : length;
    }
    }
    return 0.0;
}

// Library functions whose loop runs inside one C call, where the count hook never fires: the
// loop is paid from the budget first, so string.rep("", 1e15) or table.move({}, 1, 1e15, 2)
// fail at once instead of holding the host for days. Upvalues: the library's function, its name
// and the kind of loop.
int GuardedLoopingFunction(lua_State* p_Lua)
{
    const auto call = static_cast<LoopingCall>(lua_tointeger(p_Lua, lua_upvalueindex(3)));
    const double steps = LoopSteps(p_Lua, call);
    auto& state = StateOf(p_Lua);
    const double left = BudgetLeft(state);
    if (steps > left)
    {
        char reason[200];
        std::snprintf(reason, sizeof reason,
                      "%s: %.3g steps are more than the %.3g left of the instruction budget",
                      lua_tostring(p_Lua, lua_upvalueindex(2)), steps, left);
        return luaL_error(p_Lua, "%s", reason);
    }
    state.instructions += static_cast<uint64_t>(steps);
    lua_pushvalue(p_Lua, lua_upvalueindex(1));
    lua_insert(p_Lua, 1);
    lua_call(p_Lua, lua_gettop(p_Lua) - 1, LUA_MULTRET);
    return lua_gettop(p_Lua);
}

void GuardLoopingFunctions(lua_State* p_Lua)
{
    struct Guarded
    {
        const char* library;
        const char* name;
        LoopingCall call;
    };
    static const Guarded k_Guarded[] = {
        {LUA_STRLIBNAME, "rep", LoopingCall::Rep},      {LUA_TABLIBNAME, "move", LoopingCall::Move},
        {LUA_TABLIBNAME, "sort", LoopingCall::Sort},    {LUA_TABLIBNAME, "concat", LoopingCall::Concat},
        {LUA_TABLIBNAME, "insert", LoopingCall::Shift}, {LUA_TABLIBNAME, "remove", LoopingCall::Shift},
    };
    for (const Guarded& guarded : k_Guarded)
    {
        lua_getglobal(p_Lua, guarded.library);
        lua_getfield(p_Lua, -1, guarded.name);
        lua_pushfstring(p_Lua, "%s.%s", guarded.library, guarded.name);
        lua_pushinteger(p_Lua, static_cast<lua_Integer>(guarded.call));
        lua_pushcclosure(p_Lua, GuardedLoopingFunction, 3);
        lua_setfield(p_Lua, -2, guarded.name);
        lua_pop(p_Lua, 1);
    }
}

// The iterator gmatch returns. Between matches it goes on from where the last one ended, so its
// calls together try each start once, which the charge at gmatch paid for; but once it has found
// nothing it scans from the last match to the end again at every further call. Upvalues: Lua's
// iterator, and whether it has come to its end, after which it answers nothing at once.
int GuardedMatchIterator(lua_State* p_Lua)
{
    if (lua_toboolean(p_Lua, lua_upvalueindex(2)) != 0)
        return 0;
    lua_settop(p_Lua, 0);
    lua_pushvalue(p_Lua, lua_upvalueindex(1));
    lua_call(p_Lua, 0, LUA_MULTRET);
    if (lua_gettop(p_Lua) == 0 || lua_isnil(p_Lua, 1))
    {
        lua_pushboolean(p_Lua, 1);
        lua_replace(p_Lua, lua_upvalueindex(2));
    }
    return lua_gettop(p_Lua);
}

// string.find, match, gmatch and gsub: the matcher's worst case is paid from the instruction
// budget before it runs, and a pattern the budget cannot pay for is refused with an error. Upvalues:
// the library's own function, its name, and whether a leading ^ anchors (gmatch ignores it).
int GuardedPatternFunction(lua_State* p_Lua)
{
    const char* name = lua_tostring(p_Lua, lua_upvalueindex(2));
    const bool anchorHonoured = lua_toboolean(p_Lua, lua_upvalueindex(3)) != 0;
    // find's fourth argument asks for a plain search, which does not backtrack.
    const bool plain = std::strcmp(name, "find") == 0 && lua_toboolean(p_Lua, 4) != 0;
    if (!plain && lua_isstring(p_Lua, 1) != 0 && lua_isstring(p_Lua, 2) != 0)
    {
        size_t subjectLength = 0;
        size_t patternLength = 0;
        lua_tolstring(p_Lua, 1, &subjectLength);
        const char* pattern = lua_tolstring(p_Lua, 2, &patternLength);
        const double steps =
            PatternWorstCaseSteps(std::string_view(pattern, patternLength), subjectLength, anchorHonoured);
        const double left = BudgetLeft(StateOf(p_Lua));
        if (steps > left)
        {
            // Lua's own formatter knows no precision; the figures are rounded here.
            char reason[200];
            std::snprintf(
                reason, sizeof reason,
                "string.%s: pattern too complex for a subject of %zu bytes (up to %.3g matcher steps, "
                "%.3g left of the instruction budget)",
                name, subjectLength, steps, left);
            return luaL_error(p_Lua, "%s", reason);
        }
        StateOf(p_Lua).instructions += static_cast<uint64_t>(steps);
    }
    lua_pushvalue(p_Lua, lua_upvalueindex(1));
    lua_insert(p_Lua, 1);
    lua_call(p_Lua, lua_gettop(p_Lua) - 1, LUA_MULTRET);
    if (std::strcmp(name, "gmatch") == 0 && lua_gettop(p_Lua) == 1 && lua_isfunction(p_Lua, 1))
    {
        lua_pushboolean(p_Lua, 0);
        lua_pushcclosure(p_Lua, GuardedMatchIterator, 2);
    }
    return lua_gettop(p_Lua);
}

void GuardPatternFunctions(lua_State* p_Lua)
{
    lua_getglobal(p_Lua, LUA_STRLIBNAME);
    for (const char* name : {"find", "match", "gmatch", "gsub"})
    {
        lua_getfield(p_Lua, -1, name);
        lua_pushstring(p_Lua, name);
        lua_pushboolean(p_Lua, std::strcmp(name, "gmatch") != 0 ? 1 : 0);
        lua_pushcclosure(p_Lua, GuardedPatternFunction, 3);
        lua_setfield(p_Lua, -2, name);
    }
    lua_pop(p_Lua, 1);
}

void WrapGlobal(lua_State* p_Lua, const char* p_Name, lua_CFunction p_Wrapper)
{
    lua_getglobal(p_Lua, p_Name);
    lua_pushcclosure(p_Lua, p_Wrapper, 1);
    lua_setglobal(p_Lua, p_Name);
}

void OpenSafeLibraries(lua_State* p_Lua)
{
    luaL_requiref(p_Lua, LUA_GNAME, luaopen_base, 1);
    luaL_requiref(p_Lua, LUA_STRLIBNAME, luaopen_string, 1);
    luaL_requiref(p_Lua, LUA_TABLIBNAME, luaopen_table, 1);
    luaL_requiref(p_Lua, LUA_MATHLIBNAME, luaopen_math, 1);
    lua_pop(p_Lua, 4);
    for (const char* name : {"dofile", "loadfile", "require", "warn"})
    {
        lua_pushnil(p_Lua);
        lua_setglobal(p_Lua, name);
    }
    WrapGlobal(p_Lua, "load", TextOnlyLoad);
    WrapGlobal(p_Lua, "collectgarbage", LimitedCollectGarbage);
    lua_pushcfunction(p_Lua, SilentPrint);
    lua_setglobal(p_Lua, "print");
    // string.dump makes binary chunks; nothing here may load them, so nothing needs to make them.
    lua_getglobal(p_Lua, LUA_STRLIBNAME);
    lua_pushnil(p_Lua);
    lua_setfield(p_Lua, -2, "dump");
    lua_pop(p_Lua, 1);
    GuardPatternFunctions(p_Lua);
    GuardLoopingFunctions(p_Lua);
}

void PushValue(lua_State* p_Lua, const ScriptValue& p_Value)
{
    luaL_checkstack(p_Lua, 3, "table nested too deeply");
    switch (p_Value.type)
    {
    case ScriptValue::Type::Boolean:
        lua_pushboolean(p_Lua, p_Value.boolean ? 1 : 0);
        return;
    case ScriptValue::Type::Number:
    {
        // Whole numbers go in as Lua integers, so that cells print as 3 and not 3.0.
        lua_Integer whole = 0;
        if (lua_numbertointeger(p_Value.number, &whole) && static_cast<double>(whole) == p_Value.number)
            lua_pushinteger(p_Lua, whole);
        else
            lua_pushnumber(p_Lua, p_Value.number);
        return;
    }
    case ScriptValue::Type::Text:
        lua_pushlstring(p_Lua, p_Value.text.data(), p_Value.text.size());
        return;
    case ScriptValue::Type::Table:
        lua_createtable(p_Lua, static_cast<int>(p_Value.items.size()),
                        static_cast<int>(p_Value.fields.size()));
        for (size_t i = 0; i < p_Value.items.size(); ++i)
        {
            PushValue(p_Lua, p_Value.items[i]);
            lua_rawseti(p_Lua, -2, static_cast<lua_Integer>(i + 1));
        }
        for (const auto& [name, value] : p_Value.fields)
        {
            PushValue(p_Lua, value);
            lua_setfield(p_Lua, -2, name.c_str());
        }
        return;
    case ScriptValue::Type::Nil:
    case ScriptValue::Type::Other:
        lua_pushnil(p_Lua);
        return;
    }
}

ScriptValue ReadValue(lua_State* p_Lua, int p_Index)
{
    ScriptValue value;
    switch (lua_type(p_Lua, p_Index))
    {
    case LUA_TNIL:
        break;
    case LUA_TBOOLEAN:
        value.type = ScriptValue::Type::Boolean;
        value.boolean = lua_toboolean(p_Lua, p_Index) != 0;
        break;
    case LUA_TNUMBER:
        value = ScriptValue::Number(lua_tonumber(p_Lua, p_Index));
        break;
    case LUA_TSTRING:
    {
        size_t length = 0;
        const char* text = lua_tolstring(p_Lua, p_Index, &length);
        value = ScriptValue::Text(std::string(text, length));
        break;
    }
    default:
        value.type = ScriptValue::Type::Other;
        break;
    }
    return value;
}

struct CallRequest
{
    const std::string* function;
    const ScriptValue* argument;
};

// Runs inside the protected call, so that building the argument under the memory cap can fail
// like anything else the script does.
int CallTrampoline(lua_State* p_Lua)
{
    const auto* request = static_cast<const CallRequest*>(lua_touserdata(p_Lua, 1));
    lua_getglobal(p_Lua, request->function->c_str());
    PushValue(p_Lua, *request->argument);
    lua_call(p_Lua, 1, 1);
    return 1;
}
} // namespace

LuaSandbox::LuaSandbox(SandboxLimits p_Limits) : m_State(std::make_unique<State>())
{
    m_State->limits = p_Limits;
    m_Lua = lua_newstate(Allocate, m_State.get());
    if (m_Lua == nullptr)
        return;
    OpenSafeLibraries(m_Lua);
    lua_sethook(m_Lua, CountHook, LUA_MASKCOUNT, k_HookInterval);
    m_State->lua = m_Lua;
}

LuaSandbox::~LuaSandbox()
{
    m_State->lua = nullptr;
    if (m_Lua != nullptr)
        lua_close(m_Lua);
}

size_t LuaSandbox::GetMemoryInUse() const
{
    return m_State->used;
}

bool LuaSandbox::RunProtected(int p_Arguments, int p_Results)
{
    State& state = *m_State;
    state.instructions = 0;
    state.budgetExceeded = false;
    state.memoryRefused = false;
    state.where.clear();
    lua_sethook(m_Lua, CountHook, LUA_MASKCOUNT, k_HookInterval);

    const int handlerIndex = lua_gettop(m_Lua) - p_Arguments;
    lua_pushcfunction(m_Lua, MessageHandler);
    lua_insert(m_Lua, handlerIndex);
    const int status = lua_pcall(m_Lua, p_Arguments, p_Results, handlerIndex);
    lua_remove(m_Lua, handlerIndex);
    lua_sethook(m_Lua, CountHook, LUA_MASKCOUNT, k_HookInterval);
    if (status == LUA_OK)
    {
        m_LastFailure = ScriptFailure::None;
        return true;
    }

    const std::string where = state.where.empty() ? m_Name : state.where;
    if (state.budgetExceeded)
    {
        m_LastFailure = ScriptFailure::Instructions;
        m_LastError = where + ": stopped: instruction budget of " +
                      std::to_string(state.limits.instructionsPerCall) + " exceeded";
    }
    else if (status == LUA_ERRMEM || state.memoryRefused)
    {
        m_LastFailure = ScriptFailure::Memory;
        m_LastError = where + ": stopped: memory limit of " + std::to_string(state.limits.memoryBytes) +
                      " bytes exceeded";
    }
    else
    {
        m_LastFailure = ScriptFailure::Error;
        const char* message = lua_type(m_Lua, -1) == LUA_TSTRING ? lua_tostring(m_Lua, -1) : nullptr;
        m_LastError = NamedMessage(message != nullptr ? message : "error", m_Name);
    }
    lua_pop(m_Lua, 1);
    // Whatever the failed call built is garbage now; collecting it gives the next call its room back.
    lua_gc(m_Lua, LUA_GCCOLLECT);
    return false;
}

bool LuaSandbox::LoadText(const std::string& p_Source, const std::string& p_Name)
{
    m_Name = p_Name;
    if (m_Lua == nullptr)
    {
        m_LastFailure = ScriptFailure::Memory;
        m_LastError = p_Name + ": no memory for a script state";
        return false;
    }
    const std::string chunkName = "@" + p_Name;
    m_State->memoryRefused = false;
    if (luaL_loadbufferx(m_Lua, p_Source.data(), p_Source.size(), chunkName.c_str(), "t") != LUA_OK)
    {
        if (m_State->memoryRefused)
        {
            m_LastFailure = ScriptFailure::Memory;
            m_LastError = p_Name + ": stopped: memory limit of " +
                          std::to_string(m_State->limits.memoryBytes) + " bytes exceeded while compiling";
        }
        else
        {
            m_LastFailure = ScriptFailure::Error;
            m_LastError = NamedMessage(
                lua_type(m_Lua, -1) == LUA_TSTRING ? lua_tostring(m_Lua, -1) : "cannot load", p_Name);
        }
        lua_pop(m_Lua, 1);
        return false;
    }
    return RunProtected(0, 0);
}

bool LuaSandbox::LoadFile(const std::string& p_Path)
{
    std::ifstream file(p_Path, std::ios::binary);
    if (!file)
    {
        m_Name = p_Path;
        m_LastFailure = ScriptFailure::Error;
        m_LastError = p_Path + ": cannot be read";
        return false;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    if (size < 0 || static_cast<uint64_t>(size) > m_State->limits.memoryBytes)
    {
        m_Name = p_Path;
        m_LastFailure = ScriptFailure::Memory;
        m_LastError = p_Path + ": too large for the script memory limit";
        return false;
    }
    const std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return LoadText(source, p_Path);
}

bool LuaSandbox::HasFunction(const std::string& p_Function) const
{
    if (m_Lua == nullptr)
        return false;
    const bool found = lua_getglobal(m_Lua, p_Function.c_str()) == LUA_TFUNCTION;
    lua_pop(m_Lua, 1);
    return found;
}

bool LuaSandbox::Call(const std::string& p_Function, const ScriptValue& p_Argument, ScriptValue& p_Result)
{
    p_Result = ScriptValue{};
    if (!HasFunction(p_Function))
    {
        m_LastFailure = ScriptFailure::Error;
        m_LastError = m_Name + ": no function '" + p_Function + "'";
        return false;
    }
    CallRequest request{&p_Function, &p_Argument};
    lua_pushcfunction(m_Lua, CallTrampoline);
    lua_pushlightuserdata(m_Lua, &request);
    if (!RunProtected(1, 1))
        return false;
    p_Result = ReadValue(m_Lua, -1);
    lua_pop(m_Lua, 1);
    return true;
}
} // namespace Telvar

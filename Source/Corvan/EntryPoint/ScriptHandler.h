#pragma once
// The script host: one Lua state per process. It runs one start-up chunk; the engine loads no
// script files yet, so the record list stays empty.
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/String.h"

struct lua_State;

namespace Telvar
{
class IEngine;

// The chunk every engine start runs; its print reaches standard output through Lua's library.
inline constexpr const char* k_StartupChunk =
    "print( 'LUA output: Hi from LUA, state initialisation successful!' )";

struct ScriptRecord
{
    Lib::String name;
    Lib::String path;
};

class ScriptHandler
{
public:
    ScriptHandler(lua_State* p_State, IEngine* p_Engine);
    ScriptHandler(const ScriptHandler&) = delete;
    ScriptHandler& operator=(const ScriptHandler&) = delete;
    // Closes the state.
    ~ScriptHandler();

    lua_State* GetState() const { return m_State; }

private:
    Lib::LogTag m_Tag{"ScriptHandler"};
    lua_State* m_State;
    IEngine* m_Engine; // not owned
    Lib::String m_Name;
    Lib::String m_Path;
    Lib::DynamicArray<ScriptRecord> m_Scripts;
};

// Creates the process-wide script host when there is none: a new state with the standard
// libraries that runs p_Chunk. A chunk that fails to load or run is logged under
// "CreateScriptHandler" and the engine goes on without a script host.
void CreateScriptHandler(IEngine* p_Engine, const char* p_Chunk = k_StartupChunk);
ScriptHandler* GetScriptHandler();
void DestroyScriptHandler();
} // namespace Telvar

#include "Corvan/EntryPoint/ScriptHandler.h"

#include <lua.hpp>

#include <memory>

namespace Telvar
{
namespace
{
std::unique_ptr<ScriptHandler> g_ScriptHandler;
} // namespace

ScriptHandler::ScriptHandler(lua_State* p_State, IEngine* p_Engine) : m_State(p_State), m_Engine(p_Engine) {}

ScriptHandler::~ScriptHandler()
{
    lua_close(m_State);
    Lib::LogInfo(m_Tag, "Deleting the lua context.");
}

void CreateScriptHandler(IEngine* p_Engine, const char* p_Chunk)
{
    if (g_ScriptHandler)
        return;
    lua_State* state = luaL_newstate();
    luaL_openlibs(state);
    if (luaL_loadstring(state, p_Chunk) != LUA_OK || lua_pcall(state, 0, LUA_MULTRET, 0) != LUA_OK)
    {
        const Lib::LogTag tag("CreateScriptHandler");
        const char* message = lua_tostring(state, -1);
        Lib::LogError(tag, "Couldn't initialise lua, message: %s, code: %d", message ? message : "", 1);
        // Nothing else will use a state whose first chunk failed; closing it keeps it from leaking.
        lua_close(state);
        return;
    }
    g_ScriptHandler = std::make_unique<ScriptHandler>(state, p_Engine);
}

ScriptHandler* GetScriptHandler()
{
    return g_ScriptHandler.get();
}

void DestroyScriptHandler()
{
    g_ScriptHandler.reset();
}
} // namespace Telvar

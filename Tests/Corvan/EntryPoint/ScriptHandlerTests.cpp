#include "Corvan/EntryPoint/ScriptHandler.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <lua.hpp>

using TestSupport::CapturingForwarder;

namespace
{
class ScriptHandlerTest : public testing::Test
{
protected:
    void TearDown() override { Telvar::DestroyScriptHandler(); }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
};
} // namespace

TEST_F(ScriptHandlerTest, StartupChunkRunsAndTheStateLivesUntilDestroyed)
{
    CapturingForwarder log;
    testing::internal::CaptureStdout();
    Telvar::CreateScriptHandler(nullptr);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "LUA output: Hi from LUA, state initialisation successful!\n");
    ASSERT_NE(Telvar::GetScriptHandler(), nullptr);

    // The standard libraries are open in the state the engine keeps.
    lua_State* state = Telvar::GetScriptHandler()->GetState();
    ASSERT_EQ(luaL_dostring(state, "return string.format('%d', math.max(2, 7))"), LUA_OK);
    EXPECT_STREQ(lua_tostring(state, -1), "7");

    Telvar::DestroyScriptHandler();
    EXPECT_EQ(Telvar::GetScriptHandler(), nullptr);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"Deleting the lua context."});
}

TEST_F(ScriptHandlerTest, FailingChunkIsReportedAndTheEngineGoesOnWithout)
{
    const std::pair<const char*, const char*> cases[] = {
        {"this is not lua",
         "Couldn't initialise lua, message: [string \"this is not lua\"]:1: syntax error near 'is', code: 1"},
        {"error('boom')", "Couldn't initialise lua, message: [string \"error('boom')\"]:1: boom, code: 1"},
    };
    for (const auto& [chunk, message] : cases)
    {
        CapturingForwarder log;
        Telvar::CreateScriptHandler(nullptr, chunk);
        EXPECT_EQ(Telvar::GetScriptHandler(), nullptr);
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_NE(log.lines[0].find("] Error    |"), std::string::npos);
        EXPECT_NE(log.lines[0].find("CreateScriptHandler: "), std::string::npos);
        EXPECT_EQ(log.Messages()[0], message);
    }
}

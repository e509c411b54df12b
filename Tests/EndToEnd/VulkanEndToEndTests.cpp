// Starts the built program with the Vulkan renderer chosen in "gamedata.cfg", under the test run's
// X display and Mesa's Vulkan driver: the window probes the device, the renderer (OpenGL only)
// refuses to start, and the program ends in order with the entry's engine failure code.
#include "Support/DefaultConfigFile.h"
#include "Support/LogLines.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using TestSupport::Lines;
using TestSupport::MessageOf;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;

namespace
{
// The index of the first line at or after p_From with this tag and message; -1 when there is none.
long Find(const std::vector<std::string>& p_Log, const std::string& p_Tag, const std::string& p_Message,
          long p_From = 0)
{
    for (size_t i = static_cast<size_t>(p_From); i < p_Log.size(); ++i)
        if (MessageOf(p_Log[i], p_Tag) == p_Message)
            return static_cast<long>(i);
    return -1;
}

bool IsError(const std::string& p_Line)
{
    return p_Line.find("] Error    |") != std::string::npos;
}

std::string VulkanConfig()
{
    std::string config = TestSupport::k_DefaultConfigFile;
    const std::string openGL = "set r_renderer \"0\"";
    config.replace(config.find(openGL), openGL.size(), "set r_renderer \"1\"");
    return config;
}

// Runs the program in p_Folder with one environment variable set (or none) for the child only.
TestSupport::ProgramResult RunWith(const TempFolder& p_Folder, const char* p_Name = nullptr,
                                   const char* p_Value = nullptr)
{
    std::optional<std::string> previous;
    if (p_Name)
    {
        if (const char* value = std::getenv(p_Name))
            previous = value;
        setenv(p_Name, p_Value, 1);
    }
    const auto result = TestSupport::RunProgram(VORL_EXECUTABLE, {}, p_Folder.Path().string());
    if (p_Name)
    {
        if (previous)
            setenv(p_Name, previous->c_str(), 1);
        else
            unsetenv(p_Name);
    }
    return result;
}

void ExpectCleanSanitizers(const TempFolder& p_Folder)
{
    const std::string errors = ReadWholeFile(p_Folder.File("stderr.txt"));
    EXPECT_EQ(errors.find("AddressSanitizer"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("runtime error"), std::string::npos) << errors;
}
} // namespace

TEST(VulkanEndToEnd, TheDeviceIsProbedThenTheRendererFailsAndTheProgramEndsWith6000)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), VulkanConfig());
    const auto result = RunWith(folder);
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 6000 % 256);

    const std::vector<std::string> log = Lines(ReadWholeFile(folder.File("gamelog.txt")));
    const long window = Find(log, "CorvanEntry", "==== Initialise Window subsystem");
    const long start = Find(log, "EngineWindow", "==== Start of Vulkan renderer info ====", window);
    const long device = Find(log, "VulkanGPUInfo", " Graphics card info:", start);
    const long end = Find(log, "EngineWindow", "==== End of Vulkan renderer info ====", device);
    const long windowDone = Find(log, "CorvanEntry", "Window subsystem successfully initialised ====", end);
    const long gui = Find(log, "CorvanEntry", "GUI pipeline successfully initialised ====", windowDone);
    const long renderer =
        Find(log, "Renderer", "The renderer draws with OpenGL only, graphics API 1 cannot render.", gui);
    const long failed = Find(log, "CorvanEntry", "Failed to initialise renderer ====", renderer);
    const long engine = Find(log, "EngineWrapper", "Failed to initialise the engine.", failed);
    ASSERT_GE(window, 0);
    EXPECT_GT(start, window);
    EXPECT_GT(device, start);
    EXPECT_GT(end, device);
    EXPECT_GT(windowDone, end);
    EXPECT_GT(gui, windowDone);
    EXPECT_GT(renderer, gui);
    EXPECT_GT(failed, renderer);
    EXPECT_GT(engine, failed);
    ASSERT_GE(failed, 0);
    EXPECT_TRUE(IsError(log[static_cast<size_t>(failed)]));
    EXPECT_EQ(Find(log, "CorvanEntry", "Renderer successfully initialised ===="), -1);

    // The device block names lavapipe's CPU device, and nothing in the probe failed.
    bool lavapipe = false, cpu = false;
    for (long i = start; i >= 0 && i < end; ++i)
    {
        const std::string message = MessageOf(log[static_cast<size_t>(i)], "VulkanGPUInfo");
        lavapipe |= message.rfind("    Device name:               llvmpipe", 0) == 0;
        cpu |= message == "    Device type:               4 (CPU)";
        EXPECT_FALSE(IsError(log[static_cast<size_t>(i)])) << log[static_cast<size_t>(i)];
    }
    EXPECT_TRUE(lavapipe);
    EXPECT_TRUE(cpu);
    EXPECT_EQ(MessageOf(log.back(), "AppEntry"), "Exit code: 6000");

    // The configuration goes back to disk as it came, Vulkan choice included.
    EXPECT_EQ(ReadWholeFile(folder.File("gamedata.cfg")), VulkanConfig());
    ExpectCleanSanitizers(folder);
}

// Without a driver SDL refuses the window made for Vulkan before the probe can start.
TEST(VulkanEndToEnd, WithoutAVulkanDriverTheWindowIsNotCreated)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), VulkanConfig());
    const auto result = RunWith(folder, "VK_ICD_FILENAMES", "/nonexistent/vorl_no_driver.json");
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 6000 % 256);

    const std::vector<std::string> log = Lines(ReadWholeFile(folder.File("gamelog.txt")));
    const long created = Find(log, "EngineWindow", "Failed to create the main OpenGL window.");
    const long window = Find(log, "EngineWindow", "Unable to create the window.", created);
    const long failed = Find(log, "CorvanEntry", "Failed to initialise Window subsystem ====", window);
    ASSERT_GE(created, 0);
    EXPECT_GT(window, created);
    EXPECT_GT(failed, window);
    EXPECT_EQ(Find(log, "EngineWindow", "==== Start of Vulkan renderer info ===="), -1);
    EXPECT_EQ(Find(log, "CorvanEntry", "==== Initialise GUI pipeline"), -1);
    EXPECT_EQ(MessageOf(log.back(), "AppEntry"), "Exit code: 6000");
    EXPECT_EQ(ReadWholeFile(folder.File("gamedata.cfg")), VulkanConfig());
    ExpectCleanSanitizers(folder);
}

// The Vulkan device probe on the machine's real loader and driver (Mesa's lavapipe), run by a real
// engine window on the test run's Xvfb: the logged device block, the device it creates, its
// teardown, and a loader that finds no driver.
#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/Vulkan/VulkanGPUInfo.h"
#include "Corvan/Renderer/Vulkan/VulkanProbeRules.h"
#include "Corvan/Window/EngineData.h"
#include "Corvan/Window/EngineWindow.h"
#include "Support/CapturingForwarder.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_vulkan.h>
#include <vulkan/vulkan.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using TestSupport::LogRecord;

constexpr const char* k_Start = "==== Start of Vulkan renderer info ====";
constexpr const char* k_End = "==== End of Vulkan renderer info ====";

// What one physical device says about itself when asked directly, without the probe.
struct DeviceFacts
{
    VkPhysicalDeviceProperties properties{};
    VkPhysicalDeviceFeatures features{};
    VkPhysicalDeviceMemoryProperties memory{};
    std::vector<VkQueueFamilyProperties> families;
};

std::vector<DeviceFacts> AskTheDriver()
{
    VkInstanceCreateInfo create{};
    create.sType = VK_STRUCTURE_TYPE_INSTANCE_CREATE_INFO;
    VkInstance instance = VK_NULL_HANDLE;
    if (vkCreateInstance(&create, nullptr, &instance) != VK_SUCCESS)
        return {};
    uint32_t count = 0;
    vkEnumeratePhysicalDevices(instance, &count, nullptr);
    std::vector<VkPhysicalDevice> devices(count);
    vkEnumeratePhysicalDevices(instance, &count, devices.data());
    std::vector<DeviceFacts> facts(count);
    for (uint32_t i = 0; i < count; ++i)
    {
        vkGetPhysicalDeviceProperties(devices[i], &facts[i].properties);
        vkGetPhysicalDeviceFeatures(devices[i], &facts[i].features);
        vkGetPhysicalDeviceMemoryProperties(devices[i], &facts[i].memory);
        uint32_t families = 0;
        vkGetPhysicalDeviceQueueFamilyProperties(devices[i], &families, nullptr);
        facts[i].families.resize(families);
        vkGetPhysicalDeviceQueueFamilyProperties(devices[i], &families, facts[i].families.data());
    }
    vkDestroyInstance(instance, nullptr);
    return facts;
}

uint32_t InstanceLayerCount()
{
    uint32_t count = 0;
    return vkEnumerateInstanceLayerProperties(&count, nullptr) == VK_SUCCESS ? count : ~0u;
}

std::string Format(const char* p_Format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* p_Format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, p_Format);
    std::vsnprintf(text, sizeof(text), p_Format, arguments);
    va_end(arguments);
    return text;
}

const char* TrueFalse(bool p_Value)
{
    return p_Value ? "True" : "False";
}

// The probe's block, line for line, for the devices as the driver describes them.
std::vector<std::string> ExpectedBlock(const std::vector<DeviceFacts>& p_Devices)
{
    std::vector<std::string> lines{k_Start, " Graphics card info:"};
    for (uint32_t index = 0; index < p_Devices.size(); ++index)
    {
        const DeviceFacts& device = p_Devices[index];
        const VkPhysicalDeviceProperties& p = device.properties;
        const uint32_t type = static_cast<uint32_t>(p.deviceType);
        lines.push_back("    Max version support:       " + VulkanVersionText(p.apiVersion));
        lines.push_back(Format("    Device name:               %s", p.deviceName));
        lines.push_back(Format("    Driver version:            %u", p.driverVersion));
        lines.push_back(Format("    Vendor ID:                 %u", p.vendorID));
        lines.push_back(Format("    Device ID:                 %u", p.deviceID));
        lines.push_back(Format("    Device type:               %u (%s)", type, VulkanDeviceTypeName(type)));
        lines.push_back(Format("    Discrete queue priorities: %u", p.limits.discreteQueuePriorities));
        lines.push_back("");
        lines.push_back(" Available feature:");
        lines.push_back(Format("    GeometryShader: %s", TrueFalse(device.features.geometryShader)));
        lines.push_back("");
        lines.push_back(" Memory properties:");
        lines.push_back(Format("    Memory type count: %u", device.memory.memoryTypeCount));
        lines.push_back(Format("    Memory heap count: %u", device.memory.memoryHeapCount));
        lines.push_back("");
        lines.push_back(" Family properties:");
        lines.push_back(Format(" Family properties count: %zu", device.families.size()));
        for (uint32_t family = 0; family < device.families.size(); ++family)
        {
            const VkQueueFlags flags = device.families[family].queueFlags;
            lines.push_back(Format("    Queue family index:             %u", family));
            lines.push_back(
                Format("    VK_QUEUE_GRAPHICS_BIT:          %s", TrueFalse(flags & VK_QUEUE_GRAPHICS_BIT)));
            lines.push_back(
                Format("    VK_QUEUE_COMPUTE_BIT:           %s", TrueFalse(flags & VK_QUEUE_COMPUTE_BIT)));
            lines.push_back(
                Format("    VK_QUEUE_TRANSFER_BIT:          %s", TrueFalse(flags & VK_QUEUE_TRANSFER_BIT)));
            lines.push_back(Format("    VK_QUEUE_SPARSE_BINDING_BIT:    %s",
                                   TrueFalse(flags & VK_QUEUE_SPARSE_BINDING_BIT)));
            lines.push_back(
                Format("    Family property queue count:    %u", device.families[family].queueCount));
        }
        // The family at the device's position, or the first one.
        const VkQueueFamilyProperties& summary = device.families[index < device.families.size() ? index : 0];
        lines.push_back(Format("    Queue count:                    %u", summary.queueCount));
        lines.push_back(Format("    Timestamp valid bits:           %u", summary.timestampValidBits));
        lines.push_back(
            Format("    Min image granularity - width:  %u", summary.minImageTransferGranularity.width));
        lines.push_back(
            Format("    Min image granularity - height: %u", summary.minImageTransferGranularity.height));
        lines.push_back(
            Format("    Min image granularity - depth:  %u", summary.minImageTransferGranularity.depth));
    }
    lines.push_back(k_End);
    return lines;
}

std::optional<uint32_t> FirstGraphicsFamily(const DeviceFacts& p_Device)
{
    for (uint32_t family = 0; family < p_Device.families.size(); ++family)
        if (p_Device.families[family].queueFlags & VK_QUEUE_GRAPHICS_BIT)
            return family;
    return std::nullopt;
}

// Mesa's Vulkan driver stays loaded exactly as long as an instance exists.
bool DriverLoaded()
{
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("libvulkan_lvp") != std::string::npos)
            return true;
    return false;
}

// Lavapipe runs a thread for each logical device's queue until the device is destroyed; one that
// outlives the window was never destroyed.
size_t ThreadCount()
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

// Points the loader at a driver list for the lifetime of the object.
class DriverListOverride
{
public:
    explicit DriverListOverride(const char* p_Files)
    {
        if (const char* previous = std::getenv("VK_ICD_FILENAMES"))
            m_Previous = previous;
        setenv("VK_ICD_FILENAMES", p_Files, 1);
    }
    ~DriverListOverride()
    {
        if (m_Previous)
            setenv("VK_ICD_FILENAMES", m_Previous->c_str(), 1);
        else
            unsetenv("VK_ICD_FILENAMES");
    }

private:
    std::optional<std::string> m_Previous;
};

class VulkanDeviceGLTest : public testing::Test
{
protected:
    VulkanDeviceGLTest() { m_Data.rendererApi = k_GraphicsApiVulkan; }

    std::unique_ptr<EngineWindow> MakeWindow()
    {
        WindowSettings settings;
        settings.clientWidth = 640;
        settings.clientHeight = 480;
        settings.title = "Vulkan test";
        return std::make_unique<EngineWindow>(&m_Data, &m_Events, nullptr, settings);
    }

    // The records from the probe's start line to its end line (or to the last line).
    std::vector<LogRecord> Block() const
    {
        std::vector<LogRecord> block;
        bool inside = false;
        for (const LogRecord& record : m_Log.Records())
        {
            inside = inside || record.message == k_Start;
            if (inside)
                block.push_back(record);
            if (record.message == k_End)
                break;
        }
        return block;
    }

    static std::vector<std::string> MessagesOf(const std::vector<LogRecord>& p_Records)
    {
        std::vector<std::string> messages;
        for (const LogRecord& record : p_Records)
            messages.push_back(record.message);
        return messages;
    }

    // The errors of the window and the probe (the test display's monitors have their own).
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> errors;
        for (const LogRecord& record : m_Log.Records())
            if (record.level == "Error" && (record.tag == "EngineWindow" || record.tag == "VulkanGPUInfo"))
                errors.push_back(record.tag + ": " + record.message);
        return errors;
    }

    TestSupport::CapturingForwarder m_Log;
    EngineData m_Data;
    EventManager m_Events{nullptr};
};

TEST_F(VulkanDeviceGLTest, TheProbeDescribesTheRealDeviceCreatesItsDeviceAndTearsItDown)
{
    const std::vector<DeviceFacts> devices = AskTheDriver();
    ASSERT_FALSE(devices.empty()) << "the test machine has Mesa's lavapipe";
    EXPECT_NE(std::string(devices[0].properties.deviceName).find("llvmpipe"), std::string::npos)
        << devices[0].properties.deviceName;
    const std::optional<uint32_t> family = FirstGraphicsFamily(devices[0]);
    ASSERT_TRUE(family.has_value());
    EXPECT_FALSE(DriverLoaded());

    const size_t threads = ThreadCount();
    auto window = MakeWindow();
    ASSERT_TRUE(window->Create()) << testing::PrintToString(Errors());
    EXPECT_GT(ThreadCount(), threads);
    const std::vector<LogRecord> block = Block();
    EXPECT_EQ(MessagesOf(block), ExpectedBlock(devices));
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(block.front().tag, "EngineWindow");
    EXPECT_EQ(block.back().tag, "EngineWindow");
    for (size_t i = 1; i + 1 < block.size(); ++i)
    {
        EXPECT_EQ(block[i].tag, "VulkanGPUInfo") << block[i].message;
        EXPECT_EQ(block[i].level, "Info") << block[i].message;
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});

    const VulkanGPUInfo* probe = window->GetVulkanGpuInfo();
    ASSERT_NE(probe, nullptr);
    EXPECT_TRUE(probe->IsCreated());
    EXPECT_TRUE(probe->HasInstance());
    EXPECT_EQ(probe->GetPhysicalDeviceCount(), devices.size());
    EXPECT_EQ(probe->GetDeviceIndex(), 0);
    EXPECT_EQ(probe->GetQueueFamily(), static_cast<int32_t>(*family));
    EXPECT_EQ(probe->GetLayerCount(), InstanceLayerCount());
    EXPECT_TRUE(IsVulkanVersionAccepted(probe->GetQueriedApiVersion()));
    EXPECT_TRUE(DriverLoaded());

    // The instance was made with the surface extensions SDL names for this window.
    unsigned int count = 0;
    ASSERT_TRUE(SDL_Vulkan_GetInstanceExtensions(window->GetSdlWindow(), &count, nullptr));
    std::vector<const char*> names(count);
    ASSERT_TRUE(SDL_Vulkan_GetInstanceExtensions(window->GetSdlWindow(), &count, names.data()));
    const std::vector<std::string> expected(names.begin(), names.end());
    EXPECT_EQ(probe->GetEnabledInstanceExtensions(), expected);
    EXPECT_NE(std::find(expected.begin(), expected.end(), std::string("VK_KHR_xlib_surface")),
              expected.end());

    window->Destroy();
    EXPECT_FALSE(probe->IsCreated());
    EXPECT_FALSE(probe->HasInstance());
    EXPECT_EQ(probe->GetPhysicalDeviceCount(), 0u);
    EXPECT_FALSE(DriverLoaded()) << "the instance outlived the window";
    EXPECT_EQ(ThreadCount(), threads) << "the device outlived the window";
    EXPECT_EQ(Errors(), std::vector<std::string>{});

    // A window made again probes again.
    m_Log.lines.clear();
    ASSERT_TRUE(window->Create());
    EXPECT_EQ(MessagesOf(Block()), ExpectedBlock(devices));
    EXPECT_TRUE(probe->IsCreated());
}

TEST_F(VulkanDeviceGLTest, APreferredIndexWithoutADeviceFallsBackToTheFirst)
{
    const std::vector<DeviceFacts> devices = AskTheDriver();
    ASSERT_FALSE(devices.empty());
    for (const int32_t preferred : {static_cast<int32_t>(devices.size()), 7, -1})
    {
        m_Data.gpuSelection.preferredIndex = preferred;
        auto window = MakeWindow();
        ASSERT_TRUE(window->Create()) << "preferred " << preferred;
        EXPECT_EQ(window->GetVulkanGpuInfo()->GetDeviceIndex(), 0) << "preferred " << preferred;
        EXPECT_TRUE(window->GetVulkanGpuInfo()->IsCreated());
    }
    EXPECT_FALSE(DriverLoaded());
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// Without a driver SDL already refuses a window made for Vulkan (the loader offers no surface
// extension), so the probe never starts and the window is not created.
TEST_F(VulkanDeviceGLTest, WithoutADriverTheWindowIsNotCreated)
{
    DriverListOverride noDriver("/nonexistent/vorl_no_driver.json");
    auto window = MakeWindow();
    EXPECT_FALSE(window->Create());
    const std::vector<std::string> errors = Errors();
    ASSERT_EQ(errors.size(), 3u) << testing::PrintToString(errors);
    EXPECT_EQ(errors[0], "EngineWindow: Failed to create the main OpenGL window.");
    EXPECT_EQ(errors[1].rfind("EngineWindow: SDL_CreateWindow, message: ", 0), 0u) << errors[1];
    EXPECT_EQ(errors[2], "EngineWindow: Unable to create the window.");
    const std::vector<std::string> messages = m_Log.Messages();
    EXPECT_EQ(std::find(messages.begin(), messages.end(), k_Start), messages.end());
    EXPECT_FALSE(window->IsCreated());
    EXPECT_EQ(window->GetSdlWindow(), nullptr);
    EXPECT_FALSE(window->GetVulkanGpuInfo()->HasInstance());
}

// The loader itself answers the version and layer queries; without a driver the instance cannot be
// made.
TEST_F(VulkanDeviceGLTest, WithoutADriverTheProbeStopsAtTheInstance)
{
    DriverListOverride noDriver("/nonexistent/vorl_no_driver.json");
    VulkanGPUInfo probe(GpuSelection{});
    EXPECT_TRUE(probe.CheckApiVersion());
    EXPECT_TRUE(probe.EnumerateLayers());
    EXPECT_FALSE(probe.CreateInstance({"VK_KHR_surface", "VK_KHR_xlib_surface"}));
    EXPECT_FALSE(probe.HasInstance());
    EXPECT_FALSE(probe.DescribeDevices());
    EXPECT_FALSE(probe.CreateDevice());
    EXPECT_EQ(Errors(),
              (std::vector<std::string>{
                  "VulkanGPUInfo: Failed to create vulkan instance, result: VK_ERROR_INCOMPATIBLE_DRIVER",
                  "VulkanGPUInfo: Failed to query the physical device, there is no instance.",
                  "VulkanGPUInfo: Failed to create the device, no physical device was described.",
              }));
}
} // namespace

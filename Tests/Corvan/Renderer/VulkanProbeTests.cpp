// The Vulkan device probe's decisions that need no device: result names, version arithmetic and
// acceptance, device type names, and which device and queue family are chosen.
#include "Corvan/Renderer/Vulkan/VulkanGPUInfo.h"
#include "Corvan/Renderer/Vulkan/VulkanProbeRules.h"
#include "Support/CapturingForwarder.h"

#include <vulkan/vulkan_core.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

using namespace Vozad;

namespace
{
TEST(VulkanProbeRulesTest, EveryNamedResultHasItsVulkanName)
{
    struct Case
    {
        VkResult result;
        std::string name;
    };
    const std::vector<Case> cases = {
        {VK_SUCCESS, "VK_SUCCESS"},
        {VK_NOT_READY, "VK_NOT_READY"},
        {VK_TIMEOUT, "VK_TIMEOUT"},
        {VK_EVENT_SET, "VK_EVENT_SET"},
        {VK_EVENT_RESET, "VK_EVENT_RESET"},
        {VK_INCOMPLETE, "VK_INCOMPLETE"},
        {VK_SUBOPTIMAL_KHR, "VK_SUBOPTIMAL_KHR"},
        {VK_THREAD_IDLE_KHR, "VK_THREAD_IDLE_KHR"},
        {VK_THREAD_DONE_KHR, "VK_THREAD_DONE_KHR"},
        {VK_OPERATION_DEFERRED_KHR, "VK_OPERATION_DEFERRED_KHR"},
        {VK_OPERATION_NOT_DEFERRED_KHR, "VK_OPERATION_NOT_DEFERRED_KHR"},
        {VK_PIPELINE_COMPILE_REQUIRED_EXT, "VK_PIPELINE_COMPILE_REQUIRED_EXT"},
        {VK_ERROR_OUT_OF_HOST_MEMORY, "VK_ERROR_OUT_OF_HOST_MEMORY"},
        {VK_ERROR_OUT_OF_DEVICE_MEMORY, "VK_ERROR_OUT_OF_DEVICE_MEMORY"},
        {VK_ERROR_INITIALIZATION_FAILED, "VK_ERROR_INITIALIZATION_FAILED"},
        {VK_ERROR_DEVICE_LOST, "VK_ERROR_DEVICE_LOST"},
        {VK_ERROR_MEMORY_MAP_FAILED, "VK_ERROR_MEMORY_MAP_FAILED"},
        {VK_ERROR_LAYER_NOT_PRESENT, "VK_ERROR_LAYER_NOT_PRESENT"},
        {VK_ERROR_EXTENSION_NOT_PRESENT, "VK_ERROR_EXTENSION_NOT_PRESENT"},
        {VK_ERROR_FEATURE_NOT_PRESENT, "VK_ERROR_FEATURE_NOT_PRESENT"},
        {VK_ERROR_INCOMPATIBLE_DRIVER, "VK_ERROR_INCOMPATIBLE_DRIVER"},
        {VK_ERROR_TOO_MANY_OBJECTS, "VK_ERROR_TOO_MANY_OBJECTS"},
        {VK_ERROR_FORMAT_NOT_SUPPORTED, "VK_ERROR_FORMAT_NOT_SUPPORTED"},
        {VK_ERROR_FRAGMENTED_POOL, "VK_ERROR_FRAGMENTED_POOL"},
        {VK_ERROR_UNKNOWN, "VK_ERROR_UNKNOWN"},
        {VK_ERROR_OUT_OF_POOL_MEMORY, "VK_ERROR_OUT_OF_POOL_MEMORY"},
        {VK_ERROR_INVALID_EXTERNAL_HANDLE, "VK_ERROR_INVALID_EXTERNAL_HANDLE"},
        {VK_ERROR_FRAGMENTATION, "VK_ERROR_FRAGMENTATION"},
        {VK_ERROR_INVALID_OPAQUE_CAPTURE_ADDRESS, "VK_ERROR_INVALID_OPAQUE_CAPTURE_ADDRESS"},
        {VK_ERROR_SURFACE_LOST_KHR, "VK_ERROR_SURFACE_LOST_KHR"},
        {VK_ERROR_NATIVE_WINDOW_IN_USE_KHR, "VK_ERROR_NATIVE_WINDOW_IN_USE_KHR"},
        {VK_ERROR_OUT_OF_DATE_KHR, "VK_ERROR_OUT_OF_DATE_KHR"},
        {VK_ERROR_INCOMPATIBLE_DISPLAY_KHR, "VK_ERROR_INCOMPATIBLE_DISPLAY_KHR"},
        {VK_ERROR_VALIDATION_FAILED_EXT, "VK_ERROR_VALIDATION_FAILED_EXT"},
        {VK_ERROR_INVALID_SHADER_NV, "VK_ERROR_INVALID_SHADER_NV"},
        {VK_ERROR_INVALID_DRM_FORMAT_MODIFIER_PLANE_LAYOUT_EXT,
         "VK_ERROR_INVALID_DRM_FORMAT_MODIFIER_PLANE_LAYOUT_EXT"},
        {VK_ERROR_NOT_PERMITTED_EXT, "VK_ERROR_NOT_PERMITTED_EXT"},
        {VK_ERROR_FULL_SCREEN_EXCLUSIVE_MODE_LOST_EXT, "VK_ERROR_FULL_SCREEN_EXCLUSIVE_MODE_LOST_EXT"},
    };
    ASSERT_EQ(cases.size(), 38u);
    for (const Case& c : cases)
        EXPECT_EQ(VulkanResultName(c.result), c.name) << "result " << c.result;
}

TEST(VulkanProbeRulesTest, ResultsWithoutANameAreUnknown)
{
    for (const int32_t result : {6, -14, 42, INT32_MIN, INT32_MAX, static_cast<int32_t>(VK_RESULT_MAX_ENUM),
                                 static_cast<int32_t>(VK_ERROR_COMPRESSION_EXHAUSTED_EXT),
                                 static_cast<int32_t>(VK_ERROR_IMAGE_USAGE_NOT_SUPPORTED_KHR)})
        EXPECT_STREQ(VulkanResultName(result), "UNKNOWN_RESULT") << "result " << result;
}

TEST(VulkanProbeRulesTest, PackedVersionsSplitIntoMajorMinorPatch)
{
    EXPECT_EQ(k_VulkanDesiredApiVersion, MakeVulkanVersion(1, 2, 141));
    EXPECT_EQ(VulkanVersionText(k_VulkanDesiredApiVersion), "1.2.141");
    EXPECT_EQ(VulkanVersionText(VK_MAKE_API_VERSION(0, 1, 3, 239)), "1.3.239");
    EXPECT_EQ(VulkanVersionText(MakeVulkanVersion(1, 1023, 4095)), "1.1023.4095");
    EXPECT_EQ(VulkanVersionText(0), "0.0.0");
    // The engine version the instance is made with.
    EXPECT_EQ(MakeVulkanVersion(1, 0, 0), 4194304u);
    const uint32_t version = MakeVulkanVersion(3, 17, 2049);
    EXPECT_EQ(VulkanVersionMajor(version), 3u);
    EXPECT_EQ(VulkanVersionMinor(version), 17u);
    EXPECT_EQ(VulkanVersionPatch(version), 2049u);
}

TEST(VulkanProbeRulesTest, LoadersFrom1Point2OnAreAccepted)
{
    struct Case
    {
        uint32_t major, minor, patch;
        bool accepted;
    };
    const Case cases[] = {
        {0, 0, 0, false},    {0, 9, 0, false},   {1, 0, 0, false},  {1, 1, 0, false},
        {1, 1, 4095, false}, {1, 2, 0, true},    {1, 2, 140, true}, {1, 2, 141, true},
        {1, 3, 239, true},   {1, 1023, 0, true}, {2, 0, 0, true},   {2, 1, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsVulkanVersionAccepted(MakeVulkanVersion(c.major, c.minor, c.patch)), c.accepted)
            << c.major << "." << c.minor << "." << c.patch;
}

TEST(VulkanProbeRulesTest, DeviceTypesHaveTheirNames)
{
    const std::vector<std::string> names = {"other", "integrated GPU", "dedicated GPU", "virtual GPU", "CPU"};
    for (uint32_t type = 0; type < names.size(); ++type)
        EXPECT_EQ(VulkanDeviceTypeName(type), names[type]) << "type " << type;
    EXPECT_EQ(VulkanDeviceTypeName(VK_PHYSICAL_DEVICE_TYPE_CPU), std::string("CPU"));
    for (const uint32_t type : {5u, 6u, 1000u, 0x7FFFFFFFu, UINT32_MAX})
        EXPECT_STREQ(VulkanDeviceTypeName(type), "Unknown device tye") << "type " << type;
}

TEST(VulkanProbeRulesTest, ThePreferredDeviceIsUsedWhenItExistsElseTheFirst)
{
    struct Case
    {
        int32_t preferred;
        uint32_t count;
        uint32_t chosen;
    };
    const Case cases[] = {
        {0, 1, 0}, {1, 2, 1},  {2, 3, 2},         {2, 2, 0},
        {1, 1, 0}, {-1, 3, 0}, {INT32_MIN, 2, 0}, {INT32_MAX, 4, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseVulkanDevice(c.preferred, c.count), c.chosen)
            << "preferred " << c.preferred << " of " << c.count;
}

TEST(VulkanProbeRulesTest, TheSummaryDescribesTheFamilyAtTheDevicesPositionOrTheFirst)
{
    EXPECT_EQ(VulkanSummaryFamily(0, 3), 0u);
    EXPECT_EQ(VulkanSummaryFamily(2, 3), 2u);
    EXPECT_EQ(VulkanSummaryFamily(3, 3), 0u);
    EXPECT_EQ(VulkanSummaryFamily(1, 1), 0u);
}

TEST(VulkanGPUInfoTest, A1Point1LoaderIsRefusedWithBothVersionsLogged)
{
    TestSupport::CapturingForwarder log;
    VulkanGPUInfo probe(GpuSelection{});
    EXPECT_FALSE(probe.AcceptApiVersion(MakeVulkanVersion(1, 1, 130)));
    const std::vector<TestSupport::LogRecord> records = log.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].level, "Error");
    EXPECT_EQ(records[0].tag, "VulkanGPUInfo");
    EXPECT_EQ(records[0].message, "Minimal desired Vulkan API Version is not available.");
    EXPECT_EQ(records[1].level, "Error");
    EXPECT_EQ(records[1].message, "Desired version: 1.2.141, Queried version: 1.1.130");
    EXPECT_EQ(probe.GetQueriedApiVersionText(), "1.1.130");
    EXPECT_FALSE(probe.HasInstance());
    EXPECT_FALSE(probe.IsCreated());
}

TEST(VulkanGPUInfoTest, Loaders1Point2And1Point3AreAcceptedSilently)
{
    TestSupport::CapturingForwarder log;
    VulkanGPUInfo probe(GpuSelection{});
    EXPECT_TRUE(probe.AcceptApiVersion(MakeVulkanVersion(1, 2, 0)));
    EXPECT_EQ(probe.GetQueriedApiVersionText(), "1.2.0");
    EXPECT_TRUE(probe.AcceptApiVersion(MakeVulkanVersion(1, 3, 239)));
    EXPECT_EQ(probe.GetQueriedApiVersion(), MakeVulkanVersion(1, 3, 239));
    EXPECT_EQ(probe.GetDesiredApiVersionText(), "1.2.141");
    EXPECT_TRUE(log.lines.empty());
}

// Steps run out of order fail with their message instead of touching a null handle.
TEST(VulkanGPUInfoTest, DevicesNeedAnInstanceFirst)
{
    TestSupport::CapturingForwarder log;
    VulkanGPUInfo probe(GpuSelection{});
    EXPECT_FALSE(probe.DescribeDevices());
    EXPECT_FALSE(probe.CreateDevice());
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "Failed to query the physical device, there is no instance.",
                                  "Failed to create the device, no physical device was described.",
                              }));
    probe.Teardown();
    EXPECT_FALSE(probe.IsCreated());
}
} // namespace

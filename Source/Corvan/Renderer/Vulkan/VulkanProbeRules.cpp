#include "Corvan/Renderer/Vulkan/VulkanProbeRules.h"

#include <vulkan/vulkan_core.h>

#include <cstdio>
#include <iterator>

namespace Vozad
{
namespace
{
struct ResultName
{
    VkResult result;
    const char* name;
};

// The results the engine names; the aliases of promoted extensions keep the names the engine has
// always logged.
constexpr ResultName k_ResultNames[] = {
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
static_assert(std::size(k_ResultNames) == 38, "every named result has one row");

// Indexed by VkPhysicalDeviceType.
constexpr const char* k_DeviceTypeNames[] = {"other", "integrated GPU", "dedicated GPU", "virtual GPU",
                                             "CPU"};
static_assert(std::size(k_DeviceTypeNames) == VK_PHYSICAL_DEVICE_TYPE_CPU + 1,
              "one name per device type up to the CPU type");
static_assert(k_VulkanDesiredApiVersion == VK_MAKE_API_VERSION(0, 1, 2, 141));
} // namespace

const char* VulkanResultName(int32_t p_Result)
{
    for (const ResultName& row : k_ResultNames)
        if (row.result == p_Result)
            return row.name;
    return "UNKNOWN_RESULT";
}

uint32_t VulkanVersionMajor(uint32_t p_Version)
{
    return p_Version >> 22;
}

uint32_t VulkanVersionMinor(uint32_t p_Version)
{
    return (p_Version >> 12) & 0x3FFu;
}

uint32_t VulkanVersionPatch(uint32_t p_Version)
{
    return p_Version & 0xFFFu;
}

uint32_t MakeVulkanVersion(uint32_t p_Major, uint32_t p_Minor, uint32_t p_Patch)
{
    return (p_Major << 22) | ((p_Minor & 0x3FFu) << 12) | (p_Patch & 0xFFFu);
}

std::string VulkanVersionText(uint32_t p_Version)
{
    char text[40];
    std::snprintf(text, sizeof(text), "%u.%u.%u", VulkanVersionMajor(p_Version),
                  VulkanVersionMinor(p_Version), VulkanVersionPatch(p_Version));
    return text;
}

bool IsVulkanVersionAccepted(uint32_t p_Version)
{
    const uint32_t major = VulkanVersionMajor(p_Version);
    return major > 1 || (major == 1 && VulkanVersionMinor(p_Version) >= 2);
}

const char* VulkanDeviceTypeName(uint32_t p_Type)
{
    return p_Type < std::size(k_DeviceTypeNames) ? k_DeviceTypeNames[p_Type] : "Unknown device tye";
}

uint32_t ChooseVulkanDevice(int32_t p_PreferredIndex, uint32_t p_DeviceCount)
{
    if (p_PreferredIndex >= 0 && static_cast<uint32_t>(p_PreferredIndex) < p_DeviceCount)
        return static_cast<uint32_t>(p_PreferredIndex);
    return 0;
}

uint32_t VulkanSummaryFamily(uint32_t p_DeviceIndex, uint32_t p_FamilyCount)
{
    return p_DeviceIndex < p_FamilyCount ? p_DeviceIndex : 0;
}
} // namespace Vozad

#pragma once
// The device probe's decisions that need no Vulkan driver: result names, the packed version
// arithmetic, device type names and which device and queue family are chosen. Vulkan's own types
// stay out: results are plain int32 values, versions and device types plain uint32 values.
#include <cstdint>
#include <string>

namespace Vozad
{
// Vulkan 1.2.141: the oldest loader the probe works with (only major and minor are compared).
inline constexpr uint32_t k_VulkanDesiredApiVersion = 4202637;

// The Vulkan name of a result ("VK_SUCCESS", "VK_ERROR_DEVICE_LOST", ...), "UNKNOWN_RESULT" for
// any value the engine does not name.
const char* VulkanResultName(int32_t p_Result);

// The parts of a packed version: major in the bits from 22 up, minor in bits 12 to 21, patch in
// bits 0 to 11.
uint32_t VulkanVersionMajor(uint32_t p_Version);
uint32_t VulkanVersionMinor(uint32_t p_Version);
uint32_t VulkanVersionPatch(uint32_t p_Version);
uint32_t MakeVulkanVersion(uint32_t p_Major, uint32_t p_Minor, uint32_t p_Patch);
// "major.minor.patch".
std::string VulkanVersionText(uint32_t p_Version);
// True from 1.2 on; the patch number does not count.
bool IsVulkanVersionAccepted(uint32_t p_Version);

// "other", "integrated GPU", "dedicated GPU", "virtual GPU", "CPU"; "Unknown device tye" for any
// other type value, spelled as the engine has always logged it.
const char* VulkanDeviceTypeName(uint32_t p_Type);

// The physical device the logical device is made on: the preferred index when there is such a
// device, otherwise the first. p_DeviceCount must not be 0.
uint32_t ChooseVulkanDevice(int32_t p_PreferredIndex, uint32_t p_DeviceCount);

// The queue family the summary block after a device's family list describes: the family whose
// index is the device's position in the device list, or the first family for a device with fewer
// families. p_FamilyCount must not be 0.
uint32_t VulkanSummaryFamily(uint32_t p_DeviceIndex, uint32_t p_FamilyCount);
} // namespace Vozad

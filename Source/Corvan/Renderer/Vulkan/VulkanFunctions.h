#pragma once
// The Vulkan entry points the device probe calls, looked up in the system's Vulkan loader at run
// time. The engine links no Vulkan library: it starts where there is none (a Windows machine
// without a Vulkan driver, a Linux system without libvulkan) and the probe reports the missing
// loader as it reports a missing driver. Only the probe's implementation includes this header.
#ifndef VK_NO_PROTOTYPES
#define VK_NO_PROTOTYPES
#endif
#include <vulkan/vulkan.h>

#include <string>

namespace Vozad
{
struct VulkanFunctions
{
    // Answered by the loader without an instance.
    PFN_vkEnumerateInstanceVersion enumerateInstanceVersion = nullptr;
    PFN_vkEnumerateInstanceLayerProperties enumerateInstanceLayerProperties = nullptr;
    PFN_vkEnumerateInstanceExtensionProperties enumerateInstanceExtensionProperties = nullptr;
    PFN_vkCreateInstance createInstance = nullptr;
    // Looked up for an instance (LoadInstanceFunctions).
    PFN_vkDestroyInstance destroyInstance = nullptr;
    PFN_vkEnumeratePhysicalDevices enumeratePhysicalDevices = nullptr;
    PFN_vkGetPhysicalDeviceProperties getPhysicalDeviceProperties = nullptr;
    PFN_vkGetPhysicalDeviceFeatures getPhysicalDeviceFeatures = nullptr;
    PFN_vkGetPhysicalDeviceMemoryProperties getPhysicalDeviceMemoryProperties = nullptr;
    PFN_vkGetPhysicalDeviceQueueFamilyProperties getPhysicalDeviceQueueFamilyProperties = nullptr;
    PFN_vkCreateDevice createDevice = nullptr;
    PFN_vkDestroyDevice destroyDevice = nullptr;
    PFN_vkDeviceWaitIdle deviceWaitIdle = nullptr;

    // Opens the loader (once per process; it stays loaded) and looks up the global entry points.
    // False, with the reason in p_Error, when there is no loader or it lacks one of them.
    bool LoadGlobalFunctions(std::string& p_Error);
    // The instance-level entry points of p_Instance; false when one is missing.
    bool LoadInstanceFunctions(VkInstance p_Instance);

    bool HasGlobalFunctions() const { return m_GetInstanceProcAddr != nullptr; }

private:
    PFN_vkGetInstanceProcAddr m_GetInstanceProcAddr = nullptr;
};
} // namespace Vozad

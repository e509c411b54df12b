#include "Corvan/Renderer/Vulkan/VulkanFunctions.h"

#include <SDL2/SDL_loadso.h>

namespace Vozad
{
namespace
{
#ifdef _WIN32
constexpr const char* k_LoaderLibrary = "vulkan-1.dll";
#else
constexpr const char* k_LoaderLibrary = "libvulkan.so.1";
#endif

// Looked up once: the loader is process-wide state, and unloading it while a probe in another
// window still holds its functions would leave those dangling.
PFN_vkGetInstanceProcAddr LoaderEntryPoint(std::string& p_Error)
{
    static std::string error;
    static const PFN_vkGetInstanceProcAddr entry = []() -> PFN_vkGetInstanceProcAddr
    {
        void* library = SDL_LoadObject(k_LoaderLibrary);
        if (!library)
        {
            error = std::string("the Vulkan loader ") + k_LoaderLibrary + " could not be loaded";
            return nullptr;
        }
        void* function = SDL_LoadFunction(library, "vkGetInstanceProcAddr");
        if (!function)
        {
            error = std::string("the Vulkan loader ") + k_LoaderLibrary + " has no vkGetInstanceProcAddr";
            return nullptr;
        }
        return reinterpret_cast<PFN_vkGetInstanceProcAddr>(function);
    }();
    p_Error = error;
    return entry;
}

template <typename Function>
bool Look(PFN_vkGetInstanceProcAddr p_Lookup, VkInstance p_Instance, const char* p_Name, Function& p_Function)
{
    p_Function = reinterpret_cast<Function>(p_Lookup(p_Instance, p_Name));
    return p_Function != nullptr;
}
} // namespace

bool VulkanFunctions::LoadGlobalFunctions(std::string& p_Error)
{
    const PFN_vkGetInstanceProcAddr lookup = LoaderEntryPoint(p_Error);
    if (!lookup)
        return false;
    const bool found = Look(lookup, VK_NULL_HANDLE, "vkEnumerateInstanceVersion", enumerateInstanceVersion) &&
                       Look(lookup, VK_NULL_HANDLE, "vkEnumerateInstanceLayerProperties",
                            enumerateInstanceLayerProperties) &&
                       Look(lookup, VK_NULL_HANDLE, "vkEnumerateInstanceExtensionProperties",
                            enumerateInstanceExtensionProperties) &&
                       Look(lookup, VK_NULL_HANDLE, "vkCreateInstance", createInstance);
    if (!found)
    {
        // A loader older than 1.1 has no vkEnumerateInstanceVersion; the probe wants 1.2 anyway.
        p_Error = std::string("the Vulkan loader ") + k_LoaderLibrary + " lacks a global entry point";
        return false;
    }
    m_GetInstanceProcAddr = lookup;
    return true;
}

bool VulkanFunctions::LoadInstanceFunctions(VkInstance p_Instance)
{
    const PFN_vkGetInstanceProcAddr lookup = m_GetInstanceProcAddr;
    return lookup && Look(lookup, p_Instance, "vkDestroyInstance", destroyInstance) &&
           Look(lookup, p_Instance, "vkEnumeratePhysicalDevices", enumeratePhysicalDevices) &&
           Look(lookup, p_Instance, "vkGetPhysicalDeviceProperties", getPhysicalDeviceProperties) &&
           Look(lookup, p_Instance, "vkGetPhysicalDeviceFeatures", getPhysicalDeviceFeatures) &&
           Look(lookup, p_Instance, "vkGetPhysicalDeviceMemoryProperties",
                getPhysicalDeviceMemoryProperties) &&
           Look(lookup, p_Instance, "vkGetPhysicalDeviceQueueFamilyProperties",
                getPhysicalDeviceQueueFamilyProperties) &&
           Look(lookup, p_Instance, "vkCreateDevice", createDevice) &&
           Look(lookup, p_Instance, "vkDestroyDevice", destroyDevice) &&
           Look(lookup, p_Instance, "vkDeviceWaitIdle", deviceWaitIdle);
}
} // namespace Vozad

#include "Corvan/Renderer/Vulkan/VulkanGPUInfo.h"

#include "Corvan/Renderer/Vulkan/VulkanFunctions.h"
#include "Corvan/Renderer/Vulkan/VulkanProbeRules.h"

#include <utility>

namespace Vozad
{
namespace
{
constexpr const char* k_ApplicationName = "Vulkan Test Rendering";
constexpr const char* k_EngineName = "CorvanEngine - Vulkan Renderer";
constexpr uint32_t k_EngineVersion = VK_MAKE_API_VERSION(0, 1, 0, 0);
constexpr const char* k_SwapchainExtension = "VK_KHR_swapchain";

const char* TrueFalse(bool p_Value)
{
    return p_Value ? "True" : "False";
}

// Asks a Vulkan list query until the list did not grow between the count and the fill.
template <typename Item, typename Query> VkResult QueryList(std::vector<Item>& p_Items, Query p_Query)
{
    VkResult result = VK_INCOMPLETE;
    while (result == VK_INCOMPLETE)
    {
        uint32_t count = 0;
        result = p_Query(&count, nullptr);
        if (result != VK_SUCCESS)
            return result;
        p_Items.assign(count, Item{});
        result = p_Query(&count, p_Items.data());
        p_Items.resize(count);
    }
    return result;
}
} // namespace

// Everything the probe holds of the driver.
struct VulkanGPUInfo::VulkanState
{
    struct LayerRecord
    {
        VkLayerProperties layer;
        std::vector<VkExtensionProperties> extensions; // the layer's instance extensions
    };

    VkInstance instance = VK_NULL_HANDLE;
    std::vector<LayerRecord> layers;
    std::vector<VkPhysicalDevice> physicalDevices;
    std::vector<VkQueueFamilyProperties> queueFamilies; // of the device described last
    // Per physical device, in device order: its families with the graphics bit. Kept per device so
    // the queue is made on a family of the device it is created on.
    std::vector<std::vector<uint32_t>> graphicsFamilies;
    VkDevice device = VK_NULL_HANDLE;
    VulkanFunctions vk; // the loader's entry points; the global ones looked up by CheckApiVersion
};

VulkanGPUInfo::VulkanGPUInfo(const GpuSelection& p_Selection)
    : m_Selection(p_Selection), m_State(std::make_unique<VulkanState>())
{
}

VulkanGPUInfo::~VulkanGPUInfo()
{
    Teardown();
}

bool VulkanGPUInfo::HasInstance() const
{
    return m_State->instance != VK_NULL_HANDLE;
}

uint32_t VulkanGPUInfo::GetPhysicalDeviceCount() const
{
    return static_cast<uint32_t>(m_State->physicalDevices.size());
}

uint32_t VulkanGPUInfo::GetLayerCount() const
{
    return static_cast<uint32_t>(m_State->layers.size());
}

bool VulkanGPUInfo::CheckApiVersion()
{
    std::string error;
    if (!m_State->vk.HasGlobalFunctions() && !m_State->vk.LoadGlobalFunctions(error))
    {
        Lib::LogError(m_Tag, "Unable to get the Vulkan API Version, %s", error.c_str());
        return false;
    }
    uint32_t version = 0;
    const VkResult result = m_State->vk.enumerateInstanceVersion(&version);
    if (result != VK_SUCCESS)
    {
        Lib::LogError(m_Tag, "Unable to get the Vulkan API Version, result: %s", VulkanResultName(result));
        return false;
    }
    return AcceptApiVersion(version);
}

bool VulkanGPUInfo::AcceptApiVersion(uint32_t p_QueriedVersion)
{
    m_QueriedApiVersion = p_QueriedVersion;
    m_QueriedApiVersionText = VulkanVersionText(p_QueriedVersion);
    m_DesiredApiVersionText = VulkanVersionText(k_VulkanDesiredApiVersion);
    if (IsVulkanVersionAccepted(p_QueriedVersion))
        return true;
    Lib::LogError(m_Tag, "Minimal desired Vulkan API Version is not available.");
    Lib::LogError(m_Tag, "Desired version: %s, Queried version: %s", m_DesiredApiVersionText.c_str(),
                  m_QueriedApiVersionText.c_str());
    return false;
}

bool VulkanGPUInfo::EnumerateLayers()
{
    m_State->layers.clear();
    std::vector<VkLayerProperties> layers;
    VkResult result = QueryList(layers, [this](uint32_t* p_Count, VkLayerProperties* p_Items)
                                { return m_State->vk.enumerateInstanceLayerProperties(p_Count, p_Items); });
    if (result != VK_SUCCESS)
    {
        Lib::LogError(m_Tag, "Error during enumeration of instance layers, error: %s",
                      VulkanResultName(result));
        return false;
    }
    for (const VkLayerProperties& layer : layers)
    {
        VulkanState::LayerRecord record{layer, {}};
        result = QueryList(
            record.extensions, [this, &layer](uint32_t* p_Count, VkExtensionProperties* p_Items)
            { return m_State->vk.enumerateInstanceExtensionProperties(layer.layerName, p_Count, p_Items); });
        if (result != VK_SUCCESS)
        {
            Lib::LogError(m_Tag, "Error during enumeration of extension properties, error: %s",
                          VulkanResultName(result));
            return false;
        }
        m_State->layers.push_back(std::move(record));
    }
    return true;
}

bool VulkanGPUInfo::CreateInstance(const std::vector<std::string>& p_SurfaceExtensions)
{
    ReleaseHandles();
    m_EnabledExtensions = p_SurfaceExtensions;
    m_DeviceExtensions = {k_SwapchainExtension};
    m_EnabledLayers.clear();

    std::vector<const char*> extensions;
    for (const std::string& name : m_EnabledExtensions)
        extensions.push_back(name.c_str());

    VkApplicationInfo application{};
    application.sType = VK_STRUCTURE_TYPE_APPLICATION_INFO;
    application.pApplicationName = k_ApplicationName;
    application.applicationVersion = 0;
    application.pEngineName = k_EngineName;
    application.engineVersion = k_EngineVersion;
    application.apiVersion = 0;

    VkInstanceCreateInfo create{};
    create.sType = VK_STRUCTURE_TYPE_INSTANCE_CREATE_INFO;
    create.pApplicationInfo = &application;
    create.enabledLayerCount = 0;
    create.enabledExtensionCount = static_cast<uint32_t>(extensions.size());
    create.ppEnabledExtensionNames = extensions.empty() ? nullptr : extensions.data();

    std::string error;
    if (!m_State->vk.HasGlobalFunctions() && !m_State->vk.LoadGlobalFunctions(error))
    {
        Lib::LogError(m_Tag, "Failed to create vulkan instance, %s", error.c_str());
        return false;
    }
    const VkResult result = m_State->vk.createInstance(&create, nullptr, &m_State->instance);
    if (result != VK_SUCCESS)
    {
        m_State->instance = VK_NULL_HANDLE;
        Lib::LogError(m_Tag, "Failed to create vulkan instance, result: %s", VulkanResultName(result));
        return false;
    }
    if (!m_State->vk.LoadInstanceFunctions(m_State->instance))
    {
        // Without vkDestroyInstance the instance cannot even be given back; it is left to the exit.
        m_State->instance = VK_NULL_HANDLE;
        Lib::LogError(m_Tag, "Failed to create vulkan instance, the loader lacks an instance entry point");
        return false;
    }
    return true;
}

bool VulkanGPUInfo::DescribeDevices()
{
    VulkanState& state = *m_State;
    state.physicalDevices.clear();
    state.graphicsFamilies.clear();
    if (!state.instance)
    {
        Lib::LogError(m_Tag, "Failed to query the physical device, there is no instance.");
        return false;
    }
    uint32_t count = 0;
    VkResult result = m_State->vk.enumeratePhysicalDevices(state.instance, &count, nullptr);
    if (result != VK_SUCCESS)
    {
        Lib::LogError(m_Tag, "Failed to query the physical device, result: %s", VulkanResultName(result));
        return false;
    }
    if (count == 0)
    {
        Lib::LogError(m_Tag, "Failed to query the physical device count, count: %u", count);
        return false;
    }
    state.physicalDevices.assign(count, VK_NULL_HANDLE);
    result = m_State->vk.enumeratePhysicalDevices(state.instance, &count, state.physicalDevices.data());
    // VK_INCOMPLETE still hands out the devices it counted.
    if (result != VK_SUCCESS && result != VK_INCOMPLETE)
    {
        state.physicalDevices.clear();
        Lib::LogError(m_Tag, "Failed to query the physical device, result: %s", VulkanResultName(result));
        return false;
    }
    state.physicalDevices.resize(count);
    state.graphicsFamilies.assign(count, {});

    Lib::LogInfo(m_Tag, " Graphics card info:");
    bool graphicsFound = false;
    for (uint32_t index = 0; index < count; ++index)
    {
        if (!DescribeDevice(index))
            return false;
        graphicsFound = graphicsFound || !state.graphicsFamilies[index].empty();
    }
    if (!graphicsFound)
        Lib::LogError(m_Tag, "No queue family with graphics support was found.");
    return graphicsFound;
}

bool VulkanGPUInfo::DescribeDevice(uint32_t p_Index)
{
    const VkPhysicalDevice device = m_State->physicalDevices[p_Index];
    VkPhysicalDeviceProperties properties{};
    m_State->vk.getPhysicalDeviceProperties(device, &properties);
    m_DeviceApiVersion = properties.apiVersion;
    m_DeviceApiVersionText = VulkanVersionText(properties.apiVersion);
    const uint32_t type = static_cast<uint32_t>(properties.deviceType);

    Lib::LogInfo(m_Tag, "    Max version support:       %s", m_DeviceApiVersionText.c_str());
    Lib::LogInfo(m_Tag, "    Device name:               %s", properties.deviceName);
    Lib::LogInfo(m_Tag, "    Driver version:            %u", properties.driverVersion);
    Lib::LogInfo(m_Tag, "    Vendor ID:                 %u", properties.vendorID);
    Lib::LogInfo(m_Tag, "    Device ID:                 %u", properties.deviceID);
    Lib::LogInfo(m_Tag, "    Device type:               %u (%s)", type, VulkanDeviceTypeName(type));
    Lib::LogInfo(m_Tag, "    Discrete queue priorities: %u", properties.limits.discreteQueuePriorities);

    VkPhysicalDeviceFeatures features{};
    m_State->vk.getPhysicalDeviceFeatures(device, &features);
    Lib::LogInfo(m_Tag, "%s", "");
    Lib::LogInfo(m_Tag, " Available feature:");
    Lib::LogInfo(m_Tag, "    GeometryShader: %s", TrueFalse(features.geometryShader == VK_TRUE));

    VkPhysicalDeviceMemoryProperties memory{};
    m_State->vk.getPhysicalDeviceMemoryProperties(device, &memory);
    Lib::LogInfo(m_Tag, "%s", "");
    Lib::LogInfo(m_Tag, " Memory properties:");
    Lib::LogInfo(m_Tag, "    Memory type count: %u", memory.memoryTypeCount);
    Lib::LogInfo(m_Tag, "    Memory heap count: %u", memory.memoryHeapCount);
    return DescribeQueueFamilies(p_Index);
}

bool VulkanGPUInfo::DescribeQueueFamilies(uint32_t p_Index)
{
    const VkPhysicalDevice device = m_State->physicalDevices[p_Index];
    std::vector<VkQueueFamilyProperties>& families = m_State->queueFamilies;
    uint32_t count = 0;
    m_State->vk.getPhysicalDeviceQueueFamilyProperties(device, &count, nullptr);
    if (count == 0)
    {
        families.clear();
        Lib::LogError(m_Tag, "Failed to query the queue family properties count, count: %u", count);
        return false;
    }
    families.assign(count, VkQueueFamilyProperties{});
    m_State->vk.getPhysicalDeviceQueueFamilyProperties(device, &count, families.data());
    families.resize(count);

    Lib::LogInfo(m_Tag, "%s", "");
    Lib::LogInfo(m_Tag, " Family properties:");
    Lib::LogInfo(m_Tag, " Family properties count: %u", count);
    for (uint32_t family = 0; family < count; ++family)
    {
        const VkQueueFlags flags = families[family].queueFlags;
        Lib::LogInfo(m_Tag, "    Queue family index:             %u", family);
        Lib::LogInfo(m_Tag, "    VK_QUEUE_GRAPHICS_BIT:          %s",
                     TrueFalse((flags & VK_QUEUE_GRAPHICS_BIT) != 0));
        Lib::LogInfo(m_Tag, "    VK_QUEUE_COMPUTE_BIT:           %s",
                     TrueFalse((flags & VK_QUEUE_COMPUTE_BIT) != 0));
        Lib::LogInfo(m_Tag, "    VK_QUEUE_TRANSFER_BIT:          %s",
                     TrueFalse((flags & VK_QUEUE_TRANSFER_BIT) != 0));
        Lib::LogInfo(m_Tag, "    VK_QUEUE_SPARSE_BINDING_BIT:    %s",
                     TrueFalse((flags & VK_QUEUE_SPARSE_BINDING_BIT) != 0));
        Lib::LogInfo(m_Tag, "    Family property queue count:    %u", families[family].queueCount);
        if (flags & VK_QUEUE_GRAPHICS_BIT)
            m_State->graphicsFamilies[p_Index].push_back(family);
    }

    const VkQueueFamilyProperties& summary = families[VulkanSummaryFamily(p_Index, count)];
    Lib::LogInfo(m_Tag, "    Queue count:                    %u", summary.queueCount);
    Lib::LogInfo(m_Tag, "    Timestamp valid bits:           %u", summary.timestampValidBits);
    Lib::LogInfo(m_Tag, "    Min image granularity - width:  %u", summary.minImageTransferGranularity.width);
    Lib::LogInfo(m_Tag, "    Min image granularity - height: %u", summary.minImageTransferGranularity.height);
    Lib::LogInfo(m_Tag, "    Min image granularity - depth:  %u", summary.minImageTransferGranularity.depth);
    return true;
}

bool VulkanGPUInfo::CreateDevice()
{
    VulkanState& state = *m_State;
    if (state.device)
        return true;
    if (state.physicalDevices.empty())
    {
        Lib::LogError(m_Tag, "Failed to create the device, no physical device was described.");
        return false;
    }
    const uint32_t index =
        ChooseVulkanDevice(m_Selection.preferredIndex, static_cast<uint32_t>(state.physicalDevices.size()));
    const std::vector<uint32_t>& families = state.graphicsFamilies[index];
    if (families.empty())
    {
        Lib::LogError(m_Tag, "Failed to create the device, device %u has no graphics queue family.", index);
        return false;
    }

    const float priority = 0.0f;
    VkDeviceQueueCreateInfo queue{};
    queue.sType = VK_STRUCTURE_TYPE_DEVICE_QUEUE_CREATE_INFO;
    queue.queueFamilyIndex = families.front();
    queue.queueCount = 1;
    queue.pQueuePriorities = &priority;

    const VkPhysicalDeviceFeatures features{}; // all off
    VkDeviceCreateInfo create{};
    create.sType = VK_STRUCTURE_TYPE_DEVICE_CREATE_INFO;
    create.queueCreateInfoCount = 1;
    create.pQueueCreateInfos = &queue;
    create.enabledLayerCount = 0;
    create.enabledExtensionCount = 0;
    create.pEnabledFeatures = &features;

    const VkResult result =
        m_State->vk.createDevice(state.physicalDevices[index], &create, nullptr, &state.device);
    if (result != VK_SUCCESS)
    {
        state.device = VK_NULL_HANDLE;
        Lib::LogError(m_Tag, "Failed to create the device, result: %s", VulkanResultName(result));
        return false;
    }
    m_Created = true;
    m_DeviceIndex = static_cast<int32_t>(index);
    m_QueueFamily = static_cast<int32_t>(families.front());
    return true;
}

void VulkanGPUInfo::ReleaseHandles()
{
    VulkanState& state = *m_State;
    if (state.device)
    {
        const VkResult result = m_State->vk.deviceWaitIdle(state.device);
        if (result != VK_SUCCESS)
            Lib::LogError(m_Tag, "Failed to wait for the device to be idle: %u",
                          static_cast<uint32_t>(result));
        // The probe never submits work, so even a device that could not be waited for has none in
        // flight; keeping it would only leak it and the instance with it.
        m_State->vk.destroyDevice(state.device, nullptr);
        state.device = VK_NULL_HANDLE;
    }
    // An instance also goes when the device was never made, e.g. after a failed device creation.
    if (state.instance)
    {
        m_State->vk.destroyInstance(state.instance, nullptr);
        state.instance = VK_NULL_HANDLE;
    }
    state.physicalDevices.clear();
    state.queueFamilies.clear();
    state.graphicsFamilies.clear();
    m_Created = false;
    m_DeviceIndex = -1;
    m_QueueFamily = -1;
}

void VulkanGPUInfo::Teardown()
{
    ReleaseHandles();
    m_State->layers.clear();
    m_EnabledLayers.clear();
    m_EnabledExtensions.clear();
    m_DeviceExtensions.clear();
}
} // namespace Vozad

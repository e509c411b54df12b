#pragma once
// The Vulkan device probe the engine window runs when the Vulkan renderer is chosen: it checks the
// loader's version, lists the instance layers, creates an instance, describes every physical
// device in the log and creates a logical device with one graphics queue. Nothing renders with
// it. Vulkan's headers stay in the implementation; the handles are only named here.
#include "Corvan/Renderer/Vulkan/GpuSelection.h"
#include "Lib/Log.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vozad
{
class VulkanGPUInfo
{
public:
    // Keeps a copy of the selection: its preferred index names the device to create.
    explicit VulkanGPUInfo(const GpuSelection& p_Selection);
    // Tears down what is left.
    ~VulkanGPUInfo();
    VulkanGPUInfo(const VulkanGPUInfo&) = delete;
    VulkanGPUInfo& operator=(const VulkanGPUInfo&) = delete;

    // The probe's steps, in this order; each logs its failure once at Error level and returns false.
    // The loader's instance version must be at least 1.2.
    bool CheckApiVersion();
    // The version decision of CheckApiVersion for the version a loader reported.
    bool AcceptApiVersion(uint32_t p_QueriedVersion);
    // Every instance layer with its instance extensions.
    bool EnumerateLayers();
    // An instance with the surface extensions the window system needs (as SDL reports them for the
    // window); no layers. An instance left from an earlier probe is torn down first.
    bool CreateInstance(const std::vector<std::string>& p_SurfaceExtensions);
    // Logs every physical device with its queue families; true when a graphics family was found.
    bool DescribeDevices();
    // A logical device with one graphics queue on the preferred device, or on the first device
    // when there is no device at the preferred index.
    bool CreateDevice();
    // Waits for the device, destroys it and the instance, and forgets everything the probe found.
    void Teardown();

    bool IsCreated() const { return m_Created; }
    bool HasInstance() const;
    uint32_t GetQueriedApiVersion() const { return m_QueriedApiVersion; }
    const std::string& GetQueriedApiVersionText() const { return m_QueriedApiVersionText; }
    const std::string& GetDesiredApiVersionText() const { return m_DesiredApiVersionText; }
    uint32_t GetPhysicalDeviceCount() const;
    uint32_t GetLayerCount() const;
    const std::vector<std::string>& GetEnabledInstanceExtensions() const { return m_EnabledExtensions; }
    // The device list position and queue family the logical device was made with; -1 before.
    int32_t GetDeviceIndex() const { return m_DeviceIndex; }
    int32_t GetQueueFamily() const { return m_QueueFamily; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    struct VulkanState;

    bool DescribeDevice(uint32_t p_Index);
    bool DescribeQueueFamilies(uint32_t p_Index);
    void ReleaseHandles();

    Lib::LogTag m_Tag{"VulkanGPUInfo"};
    bool m_Created = false; // the logical device exists
    uint32_t m_QueriedApiVersion = 0;
    std::string m_QueriedApiVersionText;
    std::string m_DesiredApiVersionText;
    uint32_t m_DeviceApiVersion = 0; // of the device described last
    std::string m_DeviceApiVersionText;
    std::vector<std::string> m_EnabledLayers; // none: the probe runs on the plain driver
    std::vector<std::string> m_EnabledExtensions;
    std::vector<std::string> m_DeviceExtensions; // named for a swap chain, not enabled on the device
    GpuSelection m_Selection;
    int32_t m_DeviceIndex = -1;
    int32_t m_QueueFamily = -1;
    std::unique_ptr<VulkanState> m_State; // the handles and the driver's answers
};
} // namespace Vozad

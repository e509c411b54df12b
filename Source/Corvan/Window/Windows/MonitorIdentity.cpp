// Monitor names and EDID texts on Windows: each display's device name, place and primary flag
// from the display monitors, its monitor device from the display devices, and that device's EDID
// from the registry key SetupAPI opens for it.
#include "Corvan/Window/MonitorIdentity.h"

#include <windows.h>
// initguid.h makes DEFINE_GUID below define the GUID, not only declare it.
#include <initguid.h>
#include <setupapi.h>

#include <algorithm>
#include <cwctype>

namespace Vozad
{
namespace
{
// The monitor device interface class; spelled out, since its header (ntddvdeo.h) is not part of
// every SDK the engine builds with.
DEFINE_GUID(k_MonitorInterface, 0xE6F07B5F, 0xEE97, 0x4A90, 0xB0, 0x76, 0x33, 0xF5, 0x7B, 0xF4, 0xEA, 0xA7);
constexpr DWORD k_EdidMaximumBytes = 1024;

std::string Utf8(const std::wstring& p_Wide)
{
    if (p_Wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, p_Wide.data(), static_cast<int>(p_Wide.size()), nullptr,
                                         0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, p_Wide.data(), static_cast<int>(p_Wide.size()), narrow.data(), size,
                        nullptr, nullptr);
    return narrow;
}

std::wstring Upper(std::wstring p_Text)
{
    std::transform(p_Text.begin(), p_Text.end(), p_Text.begin(), [](wchar_t c) { return std::towupper(c); });
    return p_Text;
}

// How a monitor device is found among the device interfaces: its interface path where the system
// gives it ("\\?\DISPLAY#GSM5B09#5&...#{e6f07b5f-...}"), else its hardware id ("GSM5B09"), the
// part between the first and second backslash of its device id.
struct MonitorDeviceKey
{
    std::wstring interfacePath;
    std::wstring hardwareId;
};

MonitorDeviceKey FindMonitorDevice(const wchar_t* p_DisplayName)
{
    MonitorDeviceKey key;
    DISPLAY_DEVICEW device{};
    device.cb = sizeof device;
    if (EnumDisplayDevicesW(p_DisplayName, 0, &device, EDD_GET_DEVICE_INTERFACE_NAME) &&
        std::wstring_view(device.DeviceID).rfind(L"\\\\?\\", 0) == 0)
        key.interfacePath = Upper(device.DeviceID);
    device = DISPLAY_DEVICEW{};
    device.cb = sizeof device;
    if (EnumDisplayDevicesW(p_DisplayName, 0, &device, 0))
    {
        const std::wstring id = device.DeviceID;
        const size_t first = id.find(L'\\');
        const size_t second = first == std::wstring::npos ? first : id.find(L'\\', first + 1);
        if (second != std::wstring::npos)
            key.hardwareId = Upper(id.substr(first + 1, second - first - 1));
    }
    return key;
}

bool ReadEdid(HDEVINFO p_Devices, SP_DEVINFO_DATA& p_Device, EdidTexts& p_Texts)
{
    HKEY key = SetupDiOpenDevRegKey(p_Devices, &p_Device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return false;
    BYTE edid[k_EdidMaximumBytes] = {};
    DWORD size = sizeof edid;
    DWORD type = 0;
    const bool read = RegQueryValueExW(key, L"EDID", nullptr, &type, edid, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read && DecodeEdid(edid, size, p_Texts);
}

// The EDID texts of the monitor device with this key: the interface whose path is the monitor's,
// else the first whose instance id holds its hardware id. Empty when none has an EDID.
EdidTexts ReadEdidTexts(const MonitorDeviceKey& p_Key)
{
    EdidTexts found;
    if (p_Key.interfacePath.empty() && p_Key.hardwareId.empty())
        return found;
    HDEVINFO devices =
        SetupDiGetClassDevsW(&k_MonitorInterface, nullptr, nullptr, DIGCF_DEVICEINTERFACE | DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return found;
    bool foundByPath = false;
    bool foundById = false;
    SP_DEVICE_INTERFACE_DATA monitorInterface{};
    monitorInterface.cbSize = sizeof monitorInterface;
    for (DWORD index = 0; !foundByPath && SetupDiEnumDeviceInterfaces(devices, nullptr, &k_MonitorInterface,
                                                                      index, &monitorInterface);
         ++index)
    {
        DWORD detailBytes = 0;
        SetupDiGetDeviceInterfaceDetailW(devices, &monitorInterface, nullptr, 0, &detailBytes, nullptr);
        if (detailBytes < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
            continue;
        std::vector<char> detailStorage(detailBytes);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(detailStorage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!SetupDiGetDeviceInterfaceDetailW(devices, &monitorInterface, detail, detailBytes, nullptr,
                                              &device))
            continue;
        wchar_t instance[512] = {};
        if (!SetupDiGetDeviceInstanceIdW(devices, &device, instance, 512, nullptr))
            continue;
        const bool byPath = !p_Key.interfacePath.empty() && Upper(detail->DevicePath) == p_Key.interfacePath;
        const bool byId = !foundById && !p_Key.hardwareId.empty() &&
                          Upper(instance).find(p_Key.hardwareId) != std::wstring::npos;
        EdidTexts texts;
        if ((byPath || byId) && ReadEdid(devices, device, texts))
        {
            found = texts;
            foundByPath = byPath;
            foundById = true;
        }
    }
    SetupDiDestroyDeviceInfoList(devices);
    return found;
}

BOOL CALLBACK AddMonitor(HMONITOR p_Monitor, HDC, LPRECT, LPARAM p_Identities)
{
    MONITORINFOEXW information{};
    information.cbSize = sizeof information;
    if (!GetMonitorInfoW(p_Monitor, &information))
        return TRUE;
    MonitorIdentity identity;
    identity.deviceName = Utf8(information.szDevice);
    const RECT& area = information.rcMonitor;
    identity.x = area.left;
    identity.y = area.top;
    identity.width = static_cast<uint32_t>(std::max<LONG>(area.right - area.left, 0));
    identity.height = static_cast<uint32_t>(std::max<LONG>(area.bottom - area.top, 0));
    identity.primary = (information.dwFlags & MONITORINFOF_PRIMARY) != 0;
    identity.texts = ReadEdidTexts(FindMonitorDevice(information.szDevice));
    reinterpret_cast<std::vector<MonitorIdentity>*>(p_Identities)->push_back(std::move(identity));
    return TRUE;
}
} // namespace

std::vector<MonitorIdentity> ReadMonitorIdentities()
{
    std::vector<MonitorIdentity> identities;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&identities));
    return identities;
}
} // namespace Vozad

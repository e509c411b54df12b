#include "Corvan/Renderer/OpenGL/AdapterMemory.h"

#include <windows.h>

#include <dxgi.h>

#include <algorithm>

namespace Vozad
{
namespace
{
// Releases a COM object at the end of its scope.
template <typename T> struct Released
{
    Released() = default;
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
    ~Released()
    {
        if (object != nullptr)
            object->Release();
    }
    T* object = nullptr;
};

using CreateFactory = HRESULT(WINAPI*)(REFIID, void**);

// The adapter that drives a monitor (one with an output) is the one the window's context most
// likely runs on; a software adapter has none.
uint32_t FirstDisplayAdapterKiB(CreateFactory p_Create)
{
    Released<IDXGIFactory1> factory;
    if (FAILED(p_Create(__uuidof(IDXGIFactory1), reinterpret_cast<void**>(&factory.object))))
        return 0;
    for (UINT index = 0;; ++index)
    {
        Released<IDXGIAdapter1> adapter;
        const HRESULT found = factory.object->EnumAdapters1(index, &adapter.object);
        if (found == DXGI_ERROR_NOT_FOUND || FAILED(found))
            return 0;
        Released<IDXGIOutput> output;
        DXGI_ADAPTER_DESC1 description{};
        if (SUCCEEDED(adapter.object->EnumOutputs(0, &output.object)) &&
            SUCCEEDED(adapter.object->GetDesc1(&description)))
            return static_cast<uint32_t>(
                std::min<unsigned long long>(description.DedicatedVideoMemory >> 10, UINT32_MAX));
    }
}
} // namespace

// DXGI is loaded at run time, so that the program starts where it is missing, and is let go
// once asked: the question comes once, at start-up.
uint32_t AdapterMemoryKiB()
{
    HMODULE dxgi = LoadLibraryW(L"dxgi.dll");
    if (dxgi == nullptr)
        return 0;
    const auto create =
        reinterpret_cast<CreateFactory>(reinterpret_cast<void*>(GetProcAddress(dxgi, "CreateDXGIFactory1")));
    const uint32_t kibibytes = create != nullptr ? FirstDisplayAdapterKiB(create) : 0;
    FreeLibrary(dxgi);
    return kibibytes;
}
} // namespace Vozad

#pragma once
// The engine object: owns every engine subsystem, initialises them in a fixed order, runs the
// frame loop and shuts them down again.
#include "Corvan/EntryPoint/IEngine.h"
#include "Lib/Log.h"

#include <cstdint>

namespace Vozad
{
struct WindowSettings;
}

namespace Telvar
{
struct EngineSettings;

// The engine's return codes.
enum EngineReturnCode : int32_t
{
    k_ReturnNormal = 0,
    k_ReturnEngineDataFailed = 6001,
    k_ReturnPlatformFailed = 6002,
    k_ReturnWindowFailed = 6003,
    k_ReturnRendererFailed = 6004,
    k_ReturnEventManagerFailed = 6005,
    k_ReturnException = 6010,
};

class CorvanEntry : public IEngine
{
public:
    CorvanEntry() = default;
    CorvanEntry(const CorvanEntry&) = delete;
    CorvanEntry& operator=(const CorvanEntry&) = delete;
    ~CorvanEntry() override;

    bool Initialise(const EngineSettings& p_EngineSettings, const Vozad::WindowSettings& p_WindowSettings);
    int32_t Run();
    bool IsInitialised() const { return m_Initialised; }
    int32_t ReturnCode() const { return m_ReturnCode; }

    void* GetUserData() const override { return m_UserData; }
    void SetUserData(void* p_UserData) override { m_UserData = p_UserData; }
    void ClearUserData() override { m_UserData = nullptr; }

private:
    bool Fail(int32_t p_ReturnCode);

    Lib::LogTag m_Tag{"CorvanEntry"};
    void* m_UserData = nullptr; // not owned
    bool m_Initialised = false;
    int32_t m_ReturnCode = k_ReturnNormal;
};
} // namespace Telvar

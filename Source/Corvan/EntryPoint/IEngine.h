#pragma once

namespace Telvar
{
// What the game may ask of the engine. The operations arrive with the subsystems that serve them.
class IEngine
{
public:
    virtual ~IEngine() = default;

    // An opaque pointer the game stores with the engine (the configuration store); not owned.
    virtual void* GetUserData() const = 0;
    virtual void SetUserData(void* p_UserData) = 0;
    virtual void ClearUserData() = 0;
};
} // namespace Telvar

#pragma once
// The one game controller the engine listens to: the first one connected. It is opened when it
// appears and let go when it is unplugged (the next one connected then takes over); its buttons
// and stick become keys through the GamepadMapper.
#include "Corvan/Window/GamepadMapper.h"
#include "Lib/Log.h"

#include <cstdint>
#include <functional>
#include <vector>

union SDL_Event;
struct _SDL_GameController;

namespace Vozad
{
class Gamepad
{
public:
    // Receives every key the controller presses or lets go.
    using KeySink = std::function<void(int32_t p_KeyCode, bool p_Down)>;

    explicit Gamepad(KeySink p_Sink);
    ~Gamepad();
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;

    // Starts SDL's controller support and takes a controller that is already there. A machine
    // where the support cannot start has no gamepad; nothing else changes.
    void Start();
    void Stop();
    // True when the event was a controller's (and so handled here).
    bool HandleEvent(const SDL_Event& p_Event);
    bool IsConnected() const { return m_Controller != nullptr; }

private:
    void OpenFirstAvailable();
    bool Open(int32_t p_DeviceIndex);
    void Close();
    void Deliver(const std::vector<GamepadKey>& p_Keys);

    Lib::LogTag m_Tag{"Gamepad"};
    KeySink m_Sink;
    GamepadMapper m_Mapper;
    _SDL_GameController* m_Controller = nullptr; // the one in use; null while none
    int32_t m_Instance = -1;                     // its joystick instance id
    bool m_Started = false;                      // this object started the subsystem
    int32_t m_StickX = 0;
    int32_t m_StickY = 0;
};
} // namespace Vozad

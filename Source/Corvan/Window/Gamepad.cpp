#include "Corvan/Window/Gamepad.h"

#include <SDL.h>

#include <utility>

namespace Vozad
{
namespace
{
GamepadButton ButtonOf(uint8_t p_Button)
{
    switch (p_Button)
    {
    case SDL_CONTROLLER_BUTTON_A:
        return GamepadButton::A;
    case SDL_CONTROLLER_BUTTON_B:
        return GamepadButton::B;
    case SDL_CONTROLLER_BUTTON_START:
        return GamepadButton::Start;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return GamepadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return GamepadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return GamepadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return GamepadButton::DpadRight;
    default:
        return GamepadButton::Other;
    }
}
} // namespace

Gamepad::Gamepad(KeySink p_Sink) : m_Sink(std::move(p_Sink)) {}

Gamepad::~Gamepad()
{
    Stop();
}

void Gamepad::Start()
{
    if (m_Started)
        return;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    {
        Lib::LogWarning(m_Tag, "No game controller support: %s", SDL_GetError());
        return;
    }
    m_Started = true;
    OpenFirstAvailable();
}

void Gamepad::Stop()
{
    Close();
    if (m_Started)
    {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        m_Started = false;
    }
}

void Gamepad::OpenFirstAvailable()
{
    for (int32_t i = 0; i < SDL_NumJoysticks() && !m_Controller; ++i)
        if (SDL_IsGameController(i))
            Open(i);
}

bool Gamepad::Open(int32_t p_DeviceIndex)
{
    SDL_GameController* controller = SDL_GameControllerOpen(p_DeviceIndex);
    if (!controller)
    {
        Lib::LogWarning(m_Tag, "The game controller %d cannot be opened: %s", p_DeviceIndex, SDL_GetError());
        return false;
    }
    m_Controller = controller;
    m_Instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    const char* name = SDL_GameControllerName(controller);
    Lib::LogInfo(m_Tag, "Game controller connected: %s", name ? name : "(no name)");
    return true;
}

void Gamepad::Close()
{
    if (!m_Controller)
        return;
    // Whatever the controller held down must not stay held once it is gone.
    Deliver(m_Mapper.ReleaseAll());
    const char* name = SDL_GameControllerName(m_Controller);
    Lib::LogInfo(m_Tag, "Game controller disconnected: %s", name ? name : "(no name)");
    SDL_GameControllerClose(m_Controller);
    m_Controller = nullptr;
    m_Instance = -1;
    m_StickX = 0;
    m_StickY = 0;
}

void Gamepad::Deliver(const std::vector<GamepadKey>& p_Keys)
{
    if (!m_Sink)
        return;
    for (const GamepadKey& key : p_Keys)
        m_Sink(key.keyCode, key.down);
}

bool Gamepad::HandleEvent(const SDL_Event& p_Event)
{
    switch (p_Event.type)
    {
    case SDL_CONTROLLERDEVICEADDED:
        if (!m_Controller && m_Started)
            Open(p_Event.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (m_Controller && p_Event.cdevice.which == m_Instance)
        {
            Close();
            OpenFirstAvailable();
        }
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (m_Controller && p_Event.cbutton.which == m_Instance)
            Deliver(m_Mapper.OnButton(ButtonOf(p_Event.cbutton.button),
                                      p_Event.type == SDL_CONTROLLERBUTTONDOWN));
        return true;
    case SDL_CONTROLLERAXISMOTION:
        if (m_Controller && p_Event.caxis.which == m_Instance)
        {
            if (p_Event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                m_StickX = p_Event.caxis.value;
            else if (p_Event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                m_StickY = p_Event.caxis.value;
            else
                return true;
            Deliver(m_Mapper.OnStick(m_StickX, m_StickY));
        }
        return true;
    default:
        return false;
    }
}
} // namespace Vozad

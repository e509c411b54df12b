#pragma once

union SDL_Event;

namespace Vozad
{
// Sees every native event the window handles, before the window translates it; the GUI back end
// uses it to keep the immediate-mode UI library's input state current.
class INativeEventObserver
{
public:
    virtual ~INativeEventObserver() = default;
    virtual void OnNativeEvent(const SDL_Event& p_Event) = 0;
};
} // namespace Vozad

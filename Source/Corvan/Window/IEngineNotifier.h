#pragma once

namespace Vozad
{
// How the window talks back to the engine.
class IEngineNotifier
{
public:
    virtual ~IEngineNotifier() = default;
    // The client size changed: the renderer follows the window's size.
    virtual void NotifyResize() = 0;
    // Run one frame from inside the window's own event handling (a live resize, for example).
    virtual void NotifyRunFrame() = 0;
    // The window was closed: the main loop ends after this frame.
    virtual void NotifyQuit() = 0;
};
} // namespace Vozad

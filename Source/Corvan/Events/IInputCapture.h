#pragma once

namespace Vozad
{
// Whether the immediate-mode UI back end currently takes the keyboard or the mouse; while it
// does, key or button and wheel events are not delivered into the layout tree.
class IInputCapture
{
public:
    virtual ~IInputCapture() = default;
    virtual bool WantsKeyboard() const = 0;
    virtual bool WantsMouse() const = 0;
};
} // namespace Vozad

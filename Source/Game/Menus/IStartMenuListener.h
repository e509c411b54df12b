#pragma once

namespace Snake
{
// Told by the start menu which of its four buttons was pressed (click, Space or Enter on the
// focused button, or the button's letter key).
class IStartMenuListener
{
public:
    virtual ~IStartMenuListener() = default;

    virtual void OnStartPressed() = 0;
    virtual void OnOptionsPressed() = 0;
    virtual void OnAboutPressed() = 0;
    virtual void OnQuitPressed() = 0;
};
} // namespace Snake

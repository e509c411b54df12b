#pragma once
#include "Game/Menus/PanelState.h"

namespace Snake
{
class IAboutMenuListener
{
public:
    virtual ~IAboutMenuListener() = default;

    // The about menu was left; p_ReturnState is the panel state it was opened from.
    virtual void OnAboutClosed(PanelState p_ReturnState) = 0;
};
} // namespace Snake

#pragma once
#include <cstdint>

namespace Snake
{
class IAboutMenuListener
{
public:
    virtual ~IAboutMenuListener() = default;

    // The about menu was left; p_ReturnState is the panel state it was opened from.
    virtual void OnAboutClosed(int32_t p_ReturnState) = 0;
};
} // namespace Snake

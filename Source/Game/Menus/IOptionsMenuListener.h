#pragma once

namespace Snake
{
class IOptionsMenuListener
{
public:
    virtual ~IOptionsMenuListener() = default;

    // The options menu was left with Back or ESCAPE; nothing unapplied was kept.
    virtual void OnOptionsClosed() = 0;
};
} // namespace Snake

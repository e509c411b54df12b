#pragma once
// Where the board draws its random cells from; tests hand in a fixed sequence.
#include <cstdint>

namespace Snake
{
class IRandomSource
{
public:
    virtual ~IRandomSource() = default;
    virtual uint32_t Next() = 0;
};

// The process's generator, which the engine seeds with the time at start-up.
class ProcessRandom : public IRandomSource
{
public:
    uint32_t Next() override;
};
} // namespace Snake

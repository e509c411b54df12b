#pragma once
// How the menus start, halt and continue a round.
namespace Snake
{
class IGameStateNotifier
{
public:
    virtual ~IGameStateNotifier() = default;

    // Continues the round as it stands.
    virtual void Resume() = 0;
    // A new round: one segment at column 1, row 1, one point, the item placed anew.
    virtual void RestartGame() = 0;
    virtual void Pause() = 0;
};
} // namespace Snake

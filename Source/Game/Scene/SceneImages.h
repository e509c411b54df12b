#pragma once
// The compiled-in images the board is drawn with, named once: the scene loads them by these names
// and the game has the engine decode them before the first picture.

namespace Snake
{
inline constexpr const char* k_SnakeHeadImage = "snake_head"; // also the window icon
inline constexpr const char* k_SnakeBodyImage = "snake_body";
inline constexpr const char* k_FoodImage = "food";
} // namespace Snake

#pragma once

#include "Canvas.h"

// One function per compiled-in image; each returns the finished canvas at the image's size.
namespace ImageGen
{

// Game images, 512 x 512.
Canvas DrawSnakeHead();
Canvas DrawSnakeBody();
Canvas DrawFood();
Canvas DrawChecker(); // written without alpha

// Fallback and GUI images.
Canvas DrawTextureNotFound(); // 64 x 64
Canvas DrawCheckMark();       // 16 x 16
Canvas DrawCrossMark();       // 16 x 16
Canvas DrawDropDown();        // 16 x 16
Canvas DrawIncrementButton(); // 16 x 11
Canvas DrawDecrementButton(); // 16 x 11
Canvas DrawSliderLeft();      // 16 x 16
Canvas DrawSliderRight();     // 16 x 16

} // namespace ImageGen

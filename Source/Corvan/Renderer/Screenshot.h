#pragma once
// Turning rendered pixels into PNG data: the screenshot file the "screenshot" key binding saves,
// and the region capture the renderer hands out as bytes. The naming, row-order and encoding
// steps need no GL; SaveScreenshot, ClearForCapture and ReadRegionPng need the current context.
#include "Lib/Blob.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"
#include "Lib/WindowRect.h"

#include <cstdint>
#include <vector>

namespace Vozad
{
inline constexpr const char* k_ScreenshotFolderName = "Screenshots";
inline constexpr const char* k_ScreenshotTimeFormat = "%Y-%m-%d_%H-%M-%S";

// The folder a screenshot goes into: "Screenshots", or "<prefix>/Screenshots".
Lib::String ScreenshotFolder(const Lib::String& p_FolderPrefix);
// The folder, "/", the name prefix and "_" when there is one, the time text and ".png".
Lib::String ScreenshotPath(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix,
                           const Lib::String& p_TimeText);
// The local time as screenshot names carry it, "YYYY-MM-DD_HH-MM-SS".
Lib::String ScreenshotTimeText();

// GL reads rows bottom-up; files and textures want them the other way round. Returns the
// p_RowCount rows of p_RowBytes each in reverse order.
std::vector<uint8_t> FlipRows(const uint8_t* p_Rows, uint32_t p_RowBytes, uint32_t p_RowCount);

// PNG bytes of tightly packed 8-bit rows (first row = top row of the image) with 1 to 4
// components; empty when the image is empty or too large to encode.
std::vector<uint8_t> EncodePng(const uint8_t* p_Pixels, uint32_t p_Width, uint32_t p_Height,
                               uint32_t p_Components);
// Encodes first and only then creates the file, so a failed encoding leaves no file behind.
// False when encoding, opening, writing or closing fails.
bool WritePngFile(const Lib::String& p_Path, const uint8_t* p_Pixels, uint32_t p_Width, uint32_t p_Height,
                  uint32_t p_Components);
// The PNG in a new Blob; none when encoding fails.
Lib::Ref<Lib::Blob> EncodePngToBlob(const uint8_t* p_Pixels, uint32_t p_Width, uint32_t p_Height,
                                    uint32_t p_Components);

// Saves the back buffer of the default frame buffer, p_Width x p_Height (the window's client
// size), as "<folder>/<name prefix>_<local time>.png" (see ScreenshotPath), or with "_2", "_3" ...
// before the extension when that name is taken. Reports success (Info) and failure (folder:
// Error; reading, encoding or writing: Warning, with the reason) under p_Tag; a failed write
// leaves no file.
void SaveScreenshot(const Lib::LogTag& p_Tag, const Lib::String& p_FolderPrefix,
                    const Lib::String& p_NamePrefix, uint32_t p_Width, uint32_t p_Height);

// The first step of a region capture: clears colour and depth of the bound frame buffer with
// p_Colour (0xAABBGGRR). The renderer then draws its scene, whose own clear replaces this colour
// wherever nothing is drawn, and reads the region back with ReadRegionPng.
void ClearForCapture(uint32_t p_Colour);

// Reads p_Rect (window pixels, origin top-left) of frame buffer 0 in a window p_WindowHeight
// pixels high as RGBA and returns it as a PNG whose first row is the rectangle's bottom row, the
// order a texture loaded with OpenGL's vertical flip wants. None for a rectangle without area
// (logged under p_Tag) or when the pixel buffer cannot be allocated.
Lib::Ref<Lib::Blob> ReadRegionPng(const Lib::LogTag& p_Tag, const Lib::WindowRect& p_Rect,
                                  uint32_t p_WindowHeight);
} // namespace Vozad

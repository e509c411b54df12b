#pragma once
// Turns encoded images (PNG and whatever else the decoder reads) into RGBA8 pixels ready for
// upload, with colours premultiplied by alpha.
#include <cstdint>
#include <string>
#include <vector>

namespace Vozad
{
struct DecodedImage
{
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 0;         // as stored in the file; the pixels always have 4
    std::vector<uint8_t> pixels;  // width * height * 4 bytes, rows in the order the decoder made them
    bool hasTransparency = false; // four channels in the file and some alpha below 255
};

// With p_FlipVertically the first row is the bottom of the image, as GL expects texture rows.
// The flip applies to this call only. An empty path, a missing or undecodable file and a width or
// height below 1 fail and leave p_Image empty.
bool DecodeImageFile(const std::string& p_Path, bool p_FlipVertically, DecodedImage& p_Image);
// As above from encoded bytes in memory; no bytes, or a first byte of 0, fail.
bool DecodeImageMemory(const uint8_t* p_Bytes, uint64_t p_Count, bool p_FlipVertically,
                       DecodedImage& p_Image);
} // namespace Vozad

#pragma once
// Turns encoded images (PNG and whatever else the decoder reads) into RGBA8 pixels ready for
// upload, with colours premultiplied by alpha for the scene or kept straight for the GUI.
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

// How the colours of a decoded image relate to its alpha. The scene blends premultiplied colours;
// the GUI back end blends with source alpha and so wants them straight, as the file has them.
enum class AlphaForm
{
    Premultiplied,
    Straight,
};

// With p_FlipVertically the first row is the bottom of the image, as GL expects texture rows.
// The flip applies to this call only. An empty path, a missing or undecodable file and a width or
// height below 1 fail and leave p_Image empty.
bool DecodeImageFile(const std::string& p_Path, bool p_FlipVertically, DecodedImage& p_Image,
                     AlphaForm p_Alpha = AlphaForm::Premultiplied);
// As above from encoded bytes in memory; no bytes, or a first byte of 0, fail.
bool DecodeImageMemory(const uint8_t* p_Bytes, uint64_t p_Count, bool p_FlipVertically, DecodedImage& p_Image,
                       AlphaForm p_Alpha = AlphaForm::Premultiplied);
} // namespace Vozad

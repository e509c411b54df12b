// Decoding of encoded images into premultiplied RGBA8, and the images compiled into the program.
#include "Corvan/Renderer/ImageDecoder.h"
#include "Corvan/Renderer/ImageResources.h"

#include "Support/TempFolder.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdint>
#include <string>
#include <vector>

using Vozad::DecodedImage;
using Vozad::DecodeImageFile;
using Vozad::DecodeImageMemory;

namespace
{
void AppendBytes(void* p_Context, void* p_Data, int p_Size)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(p_Context);
    const auto* data = static_cast<const uint8_t*>(p_Data);
    bytes->insert(bytes->end(), data, data + p_Size);
}

// A PNG of p_Channels channels per texel, rows top to bottom as given.
std::vector<uint8_t> EncodePng(int p_Width, int p_Height, int p_Channels,
                               const std::vector<uint8_t>& p_Texels)
{
    std::vector<uint8_t> png;
    EXPECT_NE(stbi_write_png_to_func(AppendBytes, &png, p_Width, p_Height, p_Channels, p_Texels.data(),
                                     p_Width * p_Channels),
              0);
    return png;
}

DecodedImage Decode(const std::vector<uint8_t>& p_Png, bool p_Flip = false)
{
    DecodedImage image;
    EXPECT_TRUE(DecodeImageMemory(p_Png.data(), p_Png.size(), p_Flip, image));
    return image;
}

// 2 x 2 RGBA, every texel opaque.
const std::vector<uint8_t> k_Opaque = {10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255, 200, 100, 50, 255};

TEST(ImageDecoderTest, OpaqueRgbaImageIsNotTransparentAndKeepsItsColours)
{
    const DecodedImage image = Decode(EncodePng(2, 2, 4, k_Opaque));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.channels, 4);
    EXPECT_FALSE(image.hasTransparency);
    EXPECT_EQ(image.pixels, k_Opaque);
}

TEST(ImageDecoderTest, OneTexelBelowFullAlphaMakesTheImageTransparentAndPremultiplied)
{
    std::vector<uint8_t> texels = k_Opaque;
    texels[15] = 254; // (200, 100, 50) at alpha 254 -> 199.2, 99.6, 49.8, each truncated
    texels[7] = 0;    // a fully clear texel turns black
    const DecodedImage image = Decode(EncodePng(2, 2, 4, texels));
    EXPECT_TRUE(image.hasTransparency);
    EXPECT_EQ(image.pixels,
              (std::vector<uint8_t>{10, 20, 30, 255, 0, 0, 0, 0, 70, 80, 90, 255, 199, 99, 49, 254}));

    // Straight, for the GUI: just as transparent, every colour as the file has it.
    DecodedImage straight;
    const std::vector<uint8_t> png = EncodePng(2, 2, 4, texels);
    ASSERT_TRUE(DecodeImageMemory(png.data(), png.size(), false, straight, Vozad::AlphaForm::Straight));
    EXPECT_TRUE(straight.hasTransparency);
    EXPECT_EQ(straight.pixels, texels);
}

TEST(ImageDecoderTest, RgbImageGetsOpaqueAlphaAndIsNeverTransparent)
{
    const std::vector<uint8_t> rgb = {10, 20, 30, 200, 100, 50};
    const DecodedImage image = Decode(EncodePng(2, 1, 3, rgb));
    EXPECT_EQ(image.channels, 3);
    EXPECT_FALSE(image.hasTransparency);
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{10, 20, 30, 255, 200, 100, 50, 255}));
}

TEST(ImageDecoderTest, FlipPutsTheBottomRowFirstForThatCallOnly)
{
    // One column, top row red, bottom row blue.
    const std::vector<uint8_t> png = EncodePng(1, 2, 4, {255, 0, 0, 255, 0, 0, 255, 255});
    const std::vector<uint8_t> topFirst = {255, 0, 0, 255, 0, 0, 255, 255};
    const std::vector<uint8_t> bottomFirst = {0, 0, 255, 255, 255, 0, 0, 255};

    EXPECT_EQ(Decode(png, false).pixels, topFirst);
    EXPECT_EQ(Decode(png, true).pixels, bottomFirst);
    // The flip of the call before must not carry over.
    EXPECT_EQ(Decode(png, false).pixels, topFirst);

    TestSupport::TempFolder folder;
    const std::string path = folder.File("column.png");
    TestSupport::WriteWholeFile(path, std::string(png.begin(), png.end()));
    DecodedImage image;
    ASSERT_TRUE(DecodeImageFile(path, true, image));
    EXPECT_EQ(image.pixels, bottomFirst);
    ASSERT_TRUE(DecodeImageFile(path, false, image));
    EXPECT_EQ(image.pixels, topFirst);
}

TEST(ImageDecoderTest, FileDecodesLikeMemory)
{
    std::vector<uint8_t> texels = k_Opaque;
    texels[3] = 128;
    const std::vector<uint8_t> png = EncodePng(2, 2, 4, texels);
    TestSupport::TempFolder folder;
    const std::string path = folder.File("image.png");
    TestSupport::WriteWholeFile(path, std::string(png.begin(), png.end()));

    DecodedImage fromFile;
    ASSERT_TRUE(DecodeImageFile(path, false, fromFile));
    const DecodedImage fromMemory = Decode(png);
    EXPECT_EQ(fromFile.pixels, fromMemory.pixels);
    EXPECT_EQ(fromFile.channels, 4);
    EXPECT_TRUE(fromFile.hasTransparency);
    EXPECT_EQ(fromFile.pixels[0], 10 * 128 / 255);
}

TEST(ImageDecoderTest, FailuresReturnFalseAndAnEmptyImage)
{
    const std::vector<uint8_t> png = EncodePng(2, 2, 4, k_Opaque);
    std::vector<uint8_t> zeroFirst = png;
    zeroFirst[0] = 0;
    const std::vector<uint8_t> truncated(png.begin(),
                                         png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
    const std::vector<uint8_t> garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};

    struct Case
    {
        const char* what;
        const uint8_t* bytes;
        uint64_t count;
    };
    const Case cases[] = {
        {"null bytes", nullptr, 8},
        {"zero count", png.data(), 0},
        {"first byte 0", zeroFirst.data(), zeroFirst.size()},
        {"truncated", truncated.data(), truncated.size()},
        {"not an image", garbage.data(), garbage.size()},
        // Rejected before the decoder, whose byte count is an int, would read it.
        {"count beyond int", png.data(), 1ull << 32},
    };
    for (const Case& c : cases)
    {
        DecodedImage image;
        image.width = 7;
        EXPECT_FALSE(DecodeImageMemory(c.bytes, c.count, false, image)) << c.what;
        EXPECT_EQ(image.width, 0) << c.what;
        EXPECT_TRUE(image.pixels.empty()) << c.what;
    }

    TestSupport::TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("broken.png"), std::string(truncated.begin(), truncated.end()));
    for (const std::string& path : {std::string(), folder.File("missing.png"), folder.File("broken.png")})
    {
        DecodedImage image;
        EXPECT_FALSE(DecodeImageFile(path, false, image)) << "'" << path << "'";
        EXPECT_TRUE(image.pixels.empty());
    }
}

TEST(ImageResourcesTest, EveryCompiledInImageDecodesAtTheSizeOfItsRecord)
{
    struct Expected
    {
        const char* name;
        uint32_t width;
        uint32_t height;
        int32_t channels;
    };
    const Expected table[] = {
        {"TextureNotFound", 64, 64, 4}, {"food", 512, 512, 4},     {"snake_head", 512, 512, 4},
        {"snake_body", 512, 512, 4},    {"Checker", 512, 512, 3},  {"CheckMark", 16, 16, 4},
        {"CrossMark", 16, 16, 4},       {"DropDown", 16, 16, 4},   {"IncrementButton", 16, 11, 4},
        {"DecrementButton", 16, 11, 4}, {"SliderLeft", 16, 16, 4}, {"SliderRight", 16, 16, 4},
    };
    static_assert(std::size(table) == Vozad::k_ImageResourceCount);
    const Vozad::ImageResource* resources = Vozad::GetImageResources();
    for (uint32_t i = 0; i < Vozad::k_ImageResourceCount; ++i)
    {
        const Expected& expected = table[i];
        const Vozad::ImageResource& resource = resources[i];
        ASSERT_NE(resource.name, nullptr);
        EXPECT_STREQ(resource.name, expected.name);
        EXPECT_EQ(Vozad::FindImageResource(expected.name), &resource) << expected.name;
        EXPECT_EQ(resource.width, expected.width) << expected.name;
        EXPECT_EQ(resource.height, expected.height) << expected.name;
        DecodedImage image;
        ASSERT_TRUE(DecodeImageMemory(resource.bytes, resource.size, false, image)) << expected.name;
        EXPECT_EQ(image.width, static_cast<int32_t>(expected.width)) << expected.name;
        EXPECT_EQ(image.height, static_cast<int32_t>(expected.height)) << expected.name;
        EXPECT_EQ(image.channels, expected.channels) << expected.name;
    }
}

TEST(ImageResourcesTest, UnknownNamesAreNotFound)
{
    EXPECT_EQ(Vozad::FindImageResource("textureNotFound"), nullptr);
    EXPECT_EQ(Vozad::FindImageResource(""), nullptr);
    EXPECT_EQ(Vozad::FindImageResource("food.png"), nullptr);
}
} // namespace

// Compiled-in images decoded on a worker thread ahead of the texture handler's asking.
#include "Corvan/Renderer/ImageDecodeAhead.h"
#include "Corvan/Renderer/ImageResources.h"

#include <gtest/gtest.h>

#include <cstdint>

using Vozad::DecodedImage;
using Vozad::ImageDecodeAhead;
using Vozad::ImageResource;

namespace
{
DecodedImage DecodeHere(const ImageResource& p_Resource, bool p_Flip)
{
    DecodedImage image;
    EXPECT_TRUE(Vozad::DecodeImageMemory(p_Resource.bytes, p_Resource.size, p_Flip, image));
    return image;
}

void ExpectSameImage(const DecodedImage& p_Got, const DecodedImage& p_Expected)
{
    EXPECT_EQ(p_Got.width, p_Expected.width);
    EXPECT_EQ(p_Got.height, p_Expected.height);
    EXPECT_EQ(p_Got.channels, p_Expected.channels);
    EXPECT_EQ(p_Got.hasTransparency, p_Expected.hasTransparency);
    EXPECT_TRUE(p_Got.pixels == p_Expected.pixels) << "the pixels differ";
}
} // namespace

TEST(ImageDecodeAheadTest, QueuedImagesAreTakenOnceAsTheDecoderMakesThem)
{
    const ImageResource& food = *Vozad::FindImageResource("food");
    const ImageResource& body = *Vozad::FindImageResource("snake_body");
    const ImageResource& head = *Vozad::FindImageResource("snake_head");
    ImageDecodeAhead ahead;
    ahead.Start({&food, nullptr, &body}, true);

    DecodedImage image;
    ASSERT_TRUE(ahead.Take(body, true, image));
    ExpectSameImage(image, DecodeHere(body, true));
    ASSERT_TRUE(ahead.Take(food, true, image));
    ExpectSameImage(image, DecodeHere(food, true));

    image.width = 7;
    EXPECT_FALSE(ahead.Take(food, true, image)) << "taken already";
    EXPECT_FALSE(ahead.Take(head, true, image)) << "never queued";
    EXPECT_EQ(image.width, 7) << "a refusal leaves the image alone";
}

TEST(ImageDecodeAheadTest, TheOtherRowOrderAFailedDecodeAndANewBatchAreRefused)
{
    const ImageResource& food = *Vozad::FindImageResource("food");
    const ImageResource& body = *Vozad::FindImageResource("snake_body");
    const uint8_t garbage[] = {'n', 'o', 'p', 'e'};
    const ImageResource broken = {garbage, "broken", sizeof(garbage), 16, 16};
    ImageDecodeAhead ahead;
    DecodedImage image;
    EXPECT_FALSE(ahead.Take(food, true, image)) << "nothing started";

    ahead.Start({&food, &broken}, true);
    EXPECT_FALSE(ahead.Take(food, false, image)) << "decoded with GL's row order, asked without";
    EXPECT_FALSE(ahead.Take(broken, true, image));
    EXPECT_TRUE(image.pixels.empty());

    // A second batch replaces the first; its row order is its own.
    ahead.Start({&body}, false);
    EXPECT_FALSE(ahead.Take(food, true, image));
    ASSERT_TRUE(ahead.Take(body, false, image));
    ExpectSameImage(image, DecodeHere(body, false));

    // Destroyed while the worker is busy: it is waited for.
    ImageDecodeAhead abandoned;
    abandoned.Start({&food, &body}, true);
}

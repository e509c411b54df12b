#include "Corvan/Window/Edid.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace
{
using namespace Vozad;
using Block = std::array<uint8_t, k_EdidBlockSize>;

// A base block with the fixed header and four detailed-timing descriptors (non-zero clock).
Block MakeBlock()
{
    Block block{};
    const uint8_t header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::memcpy(block.data(), header, sizeof(header));
    for (size_t d = 0; d < 4; ++d)
    {
        block[54 + d * 18] = 0x3A; // pixel clock 0x023A: a timing, not a display descriptor
        block[55 + d * 18] = 0x02;
    }
    return block;
}

// Turns descriptor p_Index into a display descriptor with p_Tag and the 13 text bytes given.
void SetDescriptor(Block& p_Block, size_t p_Index, uint8_t p_Tag, const std::string& p_Text13)
{
    uint8_t* descriptor = p_Block.data() + 54 + p_Index * 18;
    std::memset(descriptor, 0, 18);
    descriptor[3] = p_Tag;
    std::memcpy(descriptor + 5, p_Text13.data(), 13);
}

std::string Narrow(const Lib::String& p_Text)
{
    return p_Text.ToNarrow().Bytes();
}

TEST(Edid, MonitorNameEndsAtLineFeed)
{
    Block block = MakeBlock();
    SetDescriptor(block, 3, 0xFC, std::string("DELL U2415") + "\n  ");
    EdidTexts texts;
    ASSERT_TRUE(DecodeEdid(block.data(), block.size(), texts));
    EXPECT_EQ(Narrow(texts.productName), "DELL U2415");
    EXPECT_EQ(Narrow(texts.productText), "");
}

TEST(Edid, ThirteenCharactersWithoutLineFeedAreAllKept)
{
    Block block = MakeBlock();
    SetDescriptor(block, 1, 0xFC, "ABCDEFGHIJKLM");
    EdidTexts texts;
    ASSERT_TRUE(DecodeEdid(block.data(), block.size(), texts));
    EXPECT_EQ(Narrow(texts.productName), "ABCDEFGHIJKLM");
}

TEST(Edid, ZeroByteCountsAsSpace)
{
    Block block = MakeBlock();
    SetDescriptor(block, 2, 0xFC, std::string("AB\0CD\n       ", 13));
    EdidTexts texts;
    ASSERT_TRUE(DecodeEdid(block.data(), block.size(), texts));
    EXPECT_EQ(Narrow(texts.productName), "AB CD");
}

TEST(Edid, UnspecifiedTextGoesToProductTextAndSerialIsIgnored)
{
    Block block = MakeBlock();
    SetDescriptor(block, 0, 0xFF, "SN123456789\n ");
    SetDescriptor(block, 1, 0xFE, "LG Display\n  ");
    SetDescriptor(block, 2, 0xFC, "Panel 14\n    ");
    EdidTexts texts;
    ASSERT_TRUE(DecodeEdid(block.data(), block.size(), texts));
    EXPECT_EQ(Narrow(texts.productText), "LG Display");
    EXPECT_EQ(Narrow(texts.productName), "Panel 14");
}

TEST(Edid, TimingDescriptorsAreNotReadAsText)
{
    Block block = MakeBlock();
    // A timing whose byte 3 happens to be 0xFC must not be taken for a name.
    block[54 + 3] = 0xFC;
    std::memcpy(block.data() + 54 + 5, "NOTANAME\n    ", 13);
    EdidTexts texts;
    ASSERT_TRUE(DecodeEdid(block.data(), block.size(), texts));
    EXPECT_TRUE(texts.productName.IsEmpty());
    EXPECT_TRUE(texts.productText.IsEmpty());
}

TEST(Edid, BadHeaderOrShortBlockGivesNoTexts)
{
    Block block = MakeBlock();
    SetDescriptor(block, 3, 0xFC, "DELL U2415\n  ");
    EdidTexts texts;
    texts.productName = "stale";

    Block badHeader = block;
    badHeader[7] = 0xFF;
    EXPECT_FALSE(DecodeEdid(badHeader.data(), badHeader.size(), texts));
    EXPECT_TRUE(texts.productName.IsEmpty());

    // Cut off inside the last descriptor: nothing may be read past the end.
    EXPECT_FALSE(DecodeEdid(block.data(), 120, texts));
    EXPECT_TRUE(texts.productName.IsEmpty());
    EXPECT_FALSE(DecodeEdid(nullptr, 128, texts));
}
} // namespace

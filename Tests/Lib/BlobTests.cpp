#include "Lib/Blob.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(BlobTest, CopiesTheBytes)
{
    unsigned char bytes[] = {0x89, 'P', 'N', 'G'};
    Lib::Blob blob(bytes, sizeof(bytes));
    bytes[0] = 0;
    ASSERT_EQ(blob.Size(), 4u);
    EXPECT_EQ(blob.Data()[0], 0x89);
    EXPECT_EQ(memcmp(blob.Data() + 1, "PNG", 3), 0);
    EXPECT_EQ(blob.Position(), 0u);
}

TEST(BlobTest, EmptyBlobHoldsNoBuffer)
{
    Lib::Blob blob(nullptr, 0);
    EXPECT_EQ(blob.Size(), 0u);
    EXPECT_EQ(blob.Data(), nullptr);
}

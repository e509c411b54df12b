#include "Game/OutputForwarder.h"

#include "Game/IOutputReceiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class RecordingReceiver : public Snake::IOutputReceiver
{
public:
    void ReceiveLine(const Lib::String& p_Line) override { lines.push_back(p_Line.ToNarrow().Bytes()); }
    std::vector<std::string> lines;
};

Lib::String Numbered(int p_Index)
{
    return Lib::String::Format("line %d\n", p_Index);
}
} // namespace

TEST(OutputForwarderTest, HoldsTheFirstThousandLinesUntilTheNextLineAfterTheReceiverIsSet)
{
    Snake::OutputForwarder forwarder;
    for (int i = 0; i < 1500; ++i)
        forwarder.ForwardOutput(Numbered(i));
    EXPECT_EQ(forwarder.PendingCount(), 1000u);

    RecordingReceiver receiver;
    forwarder.SetReceiver(&receiver);
    EXPECT_TRUE(receiver.lines.empty()) << "pending lines wait for the next line";

    forwarder.ForwardOutput(Lib::String("after\n"));
    ASSERT_EQ(receiver.lines.size(), 1001u);
    EXPECT_EQ(receiver.lines.front(), "line 0\n");
    EXPECT_EQ(receiver.lines[999], "line 999\n");
    EXPECT_EQ(receiver.lines.back(), "after\n");
    EXPECT_EQ(forwarder.PendingCount(), 0u);

    forwarder.ForwardOutput(Lib::String("next\n"));
    EXPECT_EQ(receiver.lines.size(), 1002u);
}

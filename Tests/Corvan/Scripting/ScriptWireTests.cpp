#include "Corvan/Scripting/ScriptWire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
using namespace Telvar;

std::string_view Payload(const std::string& p_Frame)
{
    return std::string_view(p_Frame).substr(Wire::k_LengthBytes);
}

bool SameValue(const ScriptValue& p_A, const ScriptValue& p_B)
{
    if (p_A.type != p_B.type || p_A.boolean != p_B.boolean || p_A.text != p_B.text ||
        p_A.items.size() != p_B.items.size() || p_A.fields.size() != p_B.fields.size())
        return false;
    if (p_A.type == ScriptValue::Type::Number &&
        !(p_A.number == p_B.number || (std::isnan(p_A.number) && std::isnan(p_B.number))))
        return false;
    for (size_t i = 0; i < p_A.items.size(); ++i)
        if (!SameValue(p_A.items[i], p_B.items[i]))
            return false;
    for (size_t i = 0; i < p_A.fields.size(); ++i)
        if (p_A.fields[i].first != p_B.fields[i].first ||
            !SameValue(p_A.fields[i].second, p_B.fields[i].second))
            return false;
    return true;
}

ScriptValue Board()
{
    ScriptValue snake = ScriptValue::Table();
    snake.items.push_back(
        ScriptValue::Table().Set("x", ScriptValue::Number(3)).Set("y", ScriptValue::Number(-0.5)));
    ScriptValue flag;
    flag.type = ScriptValue::Type::Boolean;
    flag.boolean = true;
    return ScriptValue::Table()
        .Set("snake", snake)
        .Set("direction", ScriptValue::Text(std::string("up\0down", 7)))
        .Set("huge", ScriptValue::Number(std::numeric_limits<double>::infinity()))
        .Set("nan", ScriptValue::Number(std::nan("")))
        .Set("flag", flag)
        .Set("", ScriptValue{});
}

TEST(ScriptWireTest, RequestsAndAnswersComeOutAsTheyWentIn)
{
    Wire::Request request;
    const std::string load = Wire::EncodeLoad({1234, 56789}, "Scripts/a.lua", std::string("x = 1\0", 6));
    uint32_t length = 0;
    char prefix[Wire::k_LengthBytes];
    std::copy_n(load.data(), Wire::k_LengthBytes, prefix);
    ASSERT_TRUE(Wire::DecodeLength(prefix, length));
    EXPECT_EQ(length, load.size() - Wire::k_LengthBytes);
    ASSERT_TRUE(Wire::DecodeRequest(Payload(load), request));
    EXPECT_EQ(request.kind, Wire::Kind::Load);
    EXPECT_EQ(request.limits.memoryBytes, 1234u);
    EXPECT_EQ(request.limits.instructionsPerCall, 56789u);
    EXPECT_EQ(request.name, "Scripts/a.lua");
    EXPECT_EQ(request.source, std::string("x = 1\0", 6));

    ASSERT_TRUE(Wire::DecodeRequest(Payload(Wire::EncodeCall("decide", Board())), request));
    EXPECT_EQ(request.kind, Wire::Kind::Call);
    EXPECT_EQ(request.function, "decide");
    EXPECT_TRUE(SameValue(request.argument, Board()));

    ASSERT_TRUE(Wire::DecodeRequest(Payload(Wire::EncodeHas("decide")), request));
    EXPECT_EQ(request.kind, Wire::Kind::Has);

    const Wire::Answer answers[] = {
        {ScriptFailure::None, "", ScriptValue::Text("left")},
        {ScriptFailure::Instructions, "Scripts/a.lua:3: stopped: instruction budget of 2 exceeded",
         ScriptValue{}},
    };
    for (const Wire::Answer& sent : answers)
    {
        Wire::Answer answer;
        ASSERT_TRUE(Wire::DecodeAnswer(Payload(Wire::EncodeAnswer(sent)), answer));
        EXPECT_EQ(answer.failure, sent.failure);
        EXPECT_EQ(answer.error, sent.error);
        EXPECT_TRUE(SameValue(answer.result, sent.result));
    }
}

TEST(ScriptWireTest, EveryCutOrExtendedFrameIsRefused)
{
    const std::string call = Wire::EncodeCall("decide", Board());
    const std::string answer =
        Wire::EncodeAnswer({ScriptFailure::Error, "x.lua:1: no", ScriptValue::Text("up")});
    Wire::Request request;
    Wire::Answer decoded;
    for (size_t size = 0; size < call.size() - Wire::k_LengthBytes; ++size)
        EXPECT_FALSE(Wire::DecodeRequest(Payload(call).substr(0, size), request)) << size;
    for (size_t size = 0; size < answer.size() - Wire::k_LengthBytes; ++size)
        EXPECT_FALSE(Wire::DecodeAnswer(Payload(answer).substr(0, size), decoded)) << size;
    EXPECT_FALSE(Wire::DecodeRequest(std::string(Payload(call)) + '\0', request));
    EXPECT_FALSE(Wire::DecodeAnswer(std::string(Payload(answer)) + '\0', decoded));
    // Each side takes only its own kinds.
    EXPECT_FALSE(Wire::DecodeAnswer(Payload(call), decoded));
    EXPECT_FALSE(Wire::DecodeRequest(Payload(answer), request));
}

TEST(ScriptWireTest, HostileFramesAreRefusedWithoutTakingTheirWordForSizes)
{
    struct Case
    {
        const char* name;
        std::string payload;
    } cases[] = {
        // A table that claims four billion items in a few bytes.
        {"LyingItemCount", std::string("C\x06\0\0\0decide\x04\xff\xff\xff\xff", 15)},
        {"LyingTextLength", std::string("C\xff\xff\xff\x7f", 5)},
        {"UnknownValueType", std::string("C\x01\0\0\0f\x09", 7)},
        {"BooleanThatIsNeither", std::string("C\x01\0\0\0f\x01\x02", 8)},
        {"UnknownKind", "Z"},
        {"Empty", ""},
    };
    Wire::Request request;
    for (const Case& c : cases)
        EXPECT_FALSE(Wire::DecodeRequest(c.payload, request)) << c.name;

    // Nesting beyond the limit: a table in a table in a table ...
    std::string nested = std::string("C\x01\0\0\0f", 6);
    for (int depth = 0; depth <= Wire::k_MaximumDepth; ++depth)
        nested += std::string("\x04\x01\0\0\0", 5);
    nested += '\0';
    for (int depth = 0; depth <= Wire::k_MaximumDepth; ++depth)
        nested += std::string("\0\0\0\0", 4);
    EXPECT_FALSE(Wire::DecodeRequest(nested, request));

    // A result is a plain value; a table from the host is not one.
    Wire::Answer answer;
    EXPECT_FALSE(Wire::DecodeAnswer(Payload(Wire::EncodeAnswer({ScriptFailure::None, "", Board()})), answer));

    const char tooLong[Wire::k_LengthBytes] = {'\x01', '\0', '\0', '\x04'}; // 64 MiB + 1
    uint32_t length = 0;
    EXPECT_FALSE(Wire::DecodeLength(tooLong, length));
}
} // namespace

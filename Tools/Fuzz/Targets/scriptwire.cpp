// The script host's messages on any bytes, read as the host reads a request and as the engine
// reads an answer. Beyond not crashing or allocating out of proportion to the input, whatever
// decodes must encode to a frame that decodes to the same encoding again.
#include "Corvan/Scripting/ScriptWire.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace
{
std::string_view Payload(const std::string& p_Frame)
{
    return std::string_view(p_Frame).substr(Telvar::Wire::k_LengthBytes);
}

std::string Encode(const Telvar::Wire::Request& p_Request)
{
    switch (p_Request.kind)
    {
    case Telvar::Wire::Kind::Load:
        return Telvar::Wire::EncodeLoad(p_Request.limits, p_Request.name, p_Request.source);
    case Telvar::Wire::Kind::Has:
        return Telvar::Wire::EncodeHas(p_Request.function);
    default:
        return Telvar::Wire::EncodeCall(p_Request.function, p_Request.argument);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p_Data, size_t p_Size)
{
    const std::string_view input(reinterpret_cast<const char*>(p_Data), p_Size);
    Telvar::Wire::Request request;
    if (Telvar::Wire::DecodeRequest(input, request))
    {
        const std::string frame = Encode(request);
        Telvar::Wire::Request again;
        if (!Telvar::Wire::DecodeRequest(Payload(frame), again) || Encode(again) != frame)
            std::abort();
    }
    Telvar::Wire::Answer answer;
    if (Telvar::Wire::DecodeAnswer(input, answer))
    {
        const std::string frame = Telvar::Wire::EncodeAnswer(answer);
        Telvar::Wire::Answer again;
        if (!Telvar::Wire::DecodeAnswer(Payload(frame), again) || Telvar::Wire::EncodeAnswer(again) != frame)
            std::abort();
    }
    if (p_Size >= Telvar::Wire::k_LengthBytes)
    {
        char prefix[Telvar::Wire::k_LengthBytes];
        std::copy_n(input.data(), Telvar::Wire::k_LengthBytes, prefix);
        uint32_t length = 0;
        (void)Telvar::Wire::DecodeLength(prefix, length);
    }
    return 0;
}

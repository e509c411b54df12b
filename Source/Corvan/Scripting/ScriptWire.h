#pragma once
// The messages between the engine and the process that hosts a script (ScriptProcess.h). Each
// message is a frame: four bytes of payload length (little-endian), then the payload, whose first
// byte names the kind. Both sides decode what they receive as untrusted bytes: a frame that does
// not decode whole and exactly is refused, never half used.
//
//   engine -> host   Load   limits, the script's name and its text (one per host)
//                    Call   a function name and its argument
//                    Has    a function name: is there a global function of that name
//   host -> engine   Answer how the request ended, the error line, the result
#include "Corvan/Scripting/LuaSandbox.h"
#include "Corvan/Scripting/ScriptFailure.h"
#include "Corvan/Scripting/ScriptValue.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Telvar::Wire
{
// Large enough for a script as big as the largest memory cap and a board of any size; a length
// above it is a broken or hostile frame.
inline constexpr uint32_t k_MaximumPayload = 64u * 1024u * 1024u;
inline constexpr size_t k_LengthBytes = 4;
// Tables nest no deeper than this in a message; the board is three levels deep.
inline constexpr int k_MaximumDepth = 32;

enum class Kind : uint8_t
{
    Load = 'L',
    Call = 'C',
    Has = 'H',
    Answer = 'A',
};

struct Request
{
    Kind kind = Kind::Call;
    // Load
    SandboxLimits limits;
    std::string name;
    std::string source;
    // Call and Has
    std::string function;
    ScriptValue argument;
};

struct Answer
{
    ScriptFailure failure = ScriptFailure::None;
    std::string error;  // one line, when failure is not None
    ScriptValue result; // a plain value (tables arrive as Other), when failure is None
};

// Whole frames, length prefix included.
std::string EncodeLoad(const SandboxLimits& p_Limits, std::string_view p_Name, std::string_view p_Source);
std::string EncodeCall(std::string_view p_Function, const ScriptValue& p_Argument);
std::string EncodeHas(std::string_view p_Function);
std::string EncodeAnswer(const Answer& p_Answer);

// The payload length a frame's first four bytes announce; false when it is above the maximum.
bool DecodeLength(const char (&p_Bytes)[k_LengthBytes], uint32_t& p_Length);

// A payload (without the length prefix). False when it is not exactly one well-formed message of
// that side.
bool DecodeRequest(std::string_view p_Payload, Request& p_Request);
bool DecodeAnswer(std::string_view p_Payload, Answer& p_Answer);
} // namespace Telvar::Wire

// vorl-scripthost: runs one script for the engine, in a process of its own that the engine can
// always stop. It confines itself before it reads anything (ProcessConfinement.h), then answers
// the engine's requests (ScriptWire.h) from its standard input on its standard output, one at a
// time, until the input ends. It never closes the script's state: its end is _exit, so no
// finalizer of the script runs after the last answer. ScriptProcess.h starts it:
//
//   vorl-scripthost <parent process id> <address space bytes> <processor seconds per request>
#include "Corvan/Scripting/LuaSandbox.h"
#include "Corvan/Scripting/ScriptWire.h"
#include "Lib/Platform/ProcessConfinement.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>
#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

namespace
{
// Exit statuses the engine reports when the host ends on its own.
constexpr int k_ExitUsage = 2;
constexpr int k_ExitConfinement = 3;
constexpr int k_ExitProtocol = 4;

bool ReadAll(char* p_Buffer, size_t p_Size)
{
    size_t got = 0;
    while (got < p_Size)
    {
        const ssize_t count = read(STDIN_FILENO, p_Buffer + got, p_Size - got);
        if (count > 0)
            got += static_cast<size_t>(count);
        else if (count == 0 || errno != EINTR)
            return false;
    }
    return true;
}

bool WriteAll(std::string_view p_Bytes)
{
    while (!p_Bytes.empty())
    {
        const ssize_t count = write(STDOUT_FILENO, p_Bytes.data(), p_Bytes.size());
        if (count > 0)
            p_Bytes.remove_prefix(static_cast<size_t>(count));
        else if (count == 0 || errno != EINTR)
            return false;
    }
    return true;
}

bool ReadNumber(const char* p_Text, uint64_t& p_Value)
{
    const std::string_view text(p_Text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), p_Value);
    return error == std::errc() && end == text.data() + text.size();
}

Telvar::Wire::Answer AnswerOf(const Telvar::LuaSandbox& p_Sandbox, bool p_Succeeded)
{
    Telvar::Wire::Answer answer;
    if (!p_Succeeded)
    {
        answer.failure = p_Sandbox.GetLastFailure();
        answer.error = p_Sandbox.GetLastError();
    }
    return answer;
}
} // namespace

int main(int argc, char** argv)
{
    uint64_t parent = 0;
    uint64_t addressSpace = 0;
    uint64_t seconds = 0;
    if (argc != 4 || !ReadNumber(argv[1], parent) || !ReadNumber(argv[2], addressSpace) ||
        !ReadNumber(argv[3], seconds) || seconds == 0 || seconds > 3600)
        _exit(k_ExitUsage);
#ifdef _WIN32
    // The frames are bytes; text mode would turn a 0x0A of a length into two bytes, and a 0x1A
    // into the end of the input.
    if (_setmode(_fileno(stdin), _O_BINARY) == -1 || _setmode(_fileno(stdout), _O_BINARY) == -1)
        _exit(k_ExitConfinement);
#endif
    std::string error;
    if (!Lib::ConfineThisProcess({static_cast<int>(parent), addressSpace}, error))
        _exit(k_ExitConfinement);

    std::unique_ptr<Telvar::LuaSandbox> sandbox;
    for (;;)
    {
        char prefix[Telvar::Wire::k_LengthBytes];
        uint32_t length = 0;
        if (!ReadAll(prefix, sizeof prefix))
            _exit(0); // the engine closed the pipe: nothing more to do
        std::string payload;
        if (!Telvar::Wire::DecodeLength(prefix, length))
            _exit(k_ExitProtocol);
        payload.resize(length);
        Telvar::Wire::Request request;
        if (!ReadAll(payload.data(), payload.size()) || !Telvar::Wire::DecodeRequest(payload, request))
            _exit(k_ExitProtocol);
        payload = std::string();

        // Every request gets the processor time of its own, counted from now: a script that slips
        // past the budget and a parent that stopped watching still end here.
        if (!Lib::AllowProcessorTime(static_cast<uint32_t>(seconds)))
            _exit(k_ExitConfinement);
        Telvar::Wire::Answer answer;
        if (request.kind == Telvar::Wire::Kind::Load)
        {
            if (sandbox)
                _exit(k_ExitProtocol); // one script per host
            sandbox = std::make_unique<Telvar::LuaSandbox>(request.limits);
            const bool loaded = sandbox->LoadText(request.source, request.name);
            request.source = std::string();
            answer = AnswerOf(*sandbox, loaded);
        }
        else if (!sandbox)
            _exit(k_ExitProtocol);
        else if (request.kind == Telvar::Wire::Kind::Has)
        {
            answer.result.type = Telvar::ScriptValue::Type::Boolean;
            answer.result.boolean = sandbox->HasFunction(request.function);
        }
        else
        {
            Telvar::ScriptValue result;
            const bool called = sandbox->Call(request.function, request.argument, result);
            answer = AnswerOf(*sandbox, called);
            answer.result = std::move(result);
        }
        if (!WriteAll(Telvar::Wire::EncodeAnswer(answer)))
            _exit(0);
    }
}

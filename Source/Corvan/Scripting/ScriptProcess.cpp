#include "Corvan/Scripting/ScriptProcess.h"

#include "Corvan/Scripting/RunningProgram.h"
#include "Corvan/Scripting/ScriptWire.h"
#include "Lib/Platform/Process.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace Telvar
{
namespace
{
constexpr const char* k_HostProgramName = "vorl-scripthost";
constexpr const char* k_HostProgramVariable = "VORL_SCRIPT_HOST";
// The host's own code, the C and C++ libraries and the interpreter take about 10 MB of address
// space; this leaves room for them, the allocator's slack and the frames, above the script's cap.
constexpr uint64_t k_AddressSpaceOverhead = 96ull * 1024 * 1024;

std::string Milliseconds(std::chrono::milliseconds p_Time)
{
    return std::to_string(p_Time.count()) + " ms";
}

// Whole seconds of processor time a request may use in the host: more than the wait, so that
// the engine's clock, not the host's limit, normally decides.
uint64_t ProcessorSeconds(const ScriptProcessLimits& p_Limits)
{
    const auto longest = std::max(p_Limits.answerTime, p_Limits.loadTime);
    return static_cast<uint64_t>(longest.count() / 1000) + 2;
}
} // namespace

ScriptProcess::ScriptProcess(ScriptProcessLimits p_Limits) : m_Limits(p_Limits) {}

std::string ScriptProcess::FindHostProgram()
{
    if (const char* configured = std::getenv(k_HostProgramVariable);
        configured != nullptr && *configured != '\0')
        return configured;
    const std::filesystem::path self = RunningProgramPath();
    if (self.empty())
        return {};
    const std::filesystem::path folder = self.parent_path();
    const std::string file = ProgramFileName(k_HostProgramName);
    for (const std::filesystem::path& candidate : {folder / file, folder / ".." / "libexec" / "vorl" / file})
    {
        if (IsRunnableProgram(candidate))
        {
            // UTF-8 on every system; a Windows path's narrow form would be in the code page.
            const std::u8string text = candidate.lexically_normal().u8string();
            return std::string(text.begin(), text.end());
        }
    }
    return {};
}

bool ScriptProcess::Fail(ScriptFailure p_Failure, const std::string& p_Reason)
{
    m_LastFailure = p_Failure;
    m_LastError = p_Reason;
    if (p_Failure == ScriptFailure::Time || p_Failure == ScriptFailure::HostEnded)
    {
        m_Host.Kill();
        m_Broken = true;
    }
    return false;
}

bool ScriptProcess::FailBrokenAnswer()
{
    return Fail(ScriptFailure::HostEnded, m_Name + ": stopped: the script host sent a broken answer");
}

bool ScriptProcess::LoadText(const std::string& p_Source, const std::string& p_Name)
{
    m_Name = p_Name;
    if (m_Host.IsRunning() || m_Broken)
        return Fail(ScriptFailure::Error, p_Name + ": a script host holds one script");
    const std::string program = FindHostProgram();
    if (program.empty())
        return Fail(ScriptFailure::HostEnded, p_Name + ": the script host \"" +
                                                  ProgramFileName(k_HostProgramName) +
                                                  "\" was not found beside the program");
    if (p_Source.size() > Wire::k_MaximumPayload / 2)
        return Fail(ScriptFailure::Memory, p_Name + ": too large for the script memory limit");
    const uint64_t addressSpace = m_Limits.sandbox.memoryBytes + k_AddressSpaceOverhead;
    // Where the system can hold the host from outside (a job object on Windows), it holds it to the
    // same figures the host sets for itself on Linux.
    m_Host.SetLimits({addressSpace, static_cast<uint32_t>(ProcessorSeconds(m_Limits))});
    std::string error;
    if (!m_Host.Start(program,
                      {std::to_string(Lib::GetCurrentProcessId()), std::to_string(addressSpace),
                       std::to_string(ProcessorSeconds(m_Limits))},
                      error))
        return Fail(ScriptFailure::HostEnded, p_Name + ": " + error);
    ScriptValue ignored;
    return Exchange(Wire::EncodeLoad(m_Limits.sandbox, p_Name, p_Source), m_Limits.loadTime, ignored);
}

bool ScriptProcess::Call(const std::string& p_Function, const ScriptValue& p_Argument, ScriptValue& p_Result)
{
    p_Result = ScriptValue{};
    if (m_Broken)
        return false; // the reason of the failure that ended the host stays the last error
    if (!m_Host.IsRunning())
        return Fail(ScriptFailure::Error, m_Name + ": no script is loaded");
    return Exchange(Wire::EncodeCall(p_Function, p_Argument), m_Limits.answerTime, p_Result);
}

bool ScriptProcess::HasFunction(const std::string& p_Function, bool& p_Found)
{
    p_Found = false;
    ScriptValue answer;
    if (m_Broken)
        return false;
    if (!m_Host.IsRunning())
        return Fail(ScriptFailure::Error, m_Name + ": no script is loaded");
    if (!Exchange(Wire::EncodeHas(p_Function), m_Limits.answerTime, answer))
        return false;
    p_Found = answer.type == ScriptValue::Type::Boolean && answer.boolean;
    return true;
}

bool ScriptProcess::Exchange(const std::string& p_Request, std::chrono::milliseconds p_Time,
                             ScriptValue& p_Result)
{
    const Lib::Deadline deadline = Lib::DeadlineIn(p_Time);
    Lib::PipeResult result = m_Host.Write(p_Request, deadline);
    char prefix[Wire::k_LengthBytes] = {};
    if (result == Lib::PipeResult::Done)
        result = m_Host.ReadExactly(prefix, sizeof prefix, deadline);
    uint32_t length = 0;
    std::string payload;
    if (result == Lib::PipeResult::Done)
    {
        if (!Wire::DecodeLength(prefix, length))
            return FailBrokenAnswer();
        payload.resize(length);
        result = m_Host.ReadExactly(payload.data(), payload.size(), deadline);
    }
    switch (result)
    {
    case Lib::PipeResult::Done:
        break;
    case Lib::PipeResult::TimedOut:
        return Fail(ScriptFailure::Time, m_Name + ": stopped: no answer within " + Milliseconds(p_Time));
    case Lib::PipeResult::Interrupted:
        return Fail(ScriptFailure::HostEnded, m_Name + ": stopped: the program is ending");
    case Lib::PipeResult::Closed:
    {
        m_Host.Kill(); // reaps it, and tells how it ended
        return Fail(ScriptFailure::HostEnded,
                    m_Name + ": stopped: the script host ended (" + m_Host.EndDescription() + ")");
    }
    }
    Wire::Answer answer;
    if (!Wire::DecodeAnswer(payload, answer))
        return FailBrokenAnswer();
    if (answer.failure != ScriptFailure::None)
    {
        // The host's sandbox caught it and goes on; its line already names the script.
        m_LastFailure = answer.failure;
        m_LastError = answer.error;
        return false;
    }
    m_LastFailure = ScriptFailure::None;
    p_Result = std::move(answer.result);
    return true;
}
} // namespace Telvar

#pragma once
// A script run in a process of its own, the script host (ScriptHostMain.cpp), so that nothing the
// script does can hold or grow the engine: the engine waits for each answer at most a fixed time
// and then ends the host with SIGKILL. The host runs the script in the same sandbox as before
// (LuaSandbox.h: instruction budget, memory cap, their messages), and in addition under an
// address-space limit, a processor-time limit per request and a system call filter; it dies with
// the engine. One ScriptProcess holds one script in one host; its destructor ends the host at
// once, without waiting for anything the script might still be doing.
//
//   Telvar::ScriptProcess script({});
//   if (!script.LoadText(source, "Scripts/mybot.lua")) Log(script.GetLastError());
//   if (!script.Call("decide", board, answer)) ... script.GetLastFailure() says why
#include "Corvan/Scripting/LuaSandbox.h"
#include "Corvan/Scripting/ScriptFailure.h"
#include "Corvan/Scripting/ScriptValue.h"
#include "Lib/Platform/ChildProcess.h"

#include <chrono>
#include <string>

namespace Telvar
{
struct ScriptProcessLimits
{
    SandboxLimits sandbox;
    // How long a call may take before the host is ended: well under one step of the fastest game.
    std::chrono::milliseconds answerTime{50};
    // How long loading (compiling and running the top level) may take.
    std::chrono::milliseconds loadTime{1000};
};

class ScriptProcess
{
public:
    explicit ScriptProcess(ScriptProcessLimits p_Limits);
    ScriptProcess(const ScriptProcess&) = delete;
    ScriptProcess& operator=(const ScriptProcess&) = delete;
    ~ScriptProcess() = default; // the child process ends with its owner

    // Starts the host and loads the script into it; p_Name stands for the file in every error.
    // False, with the reason, when the host cannot be started or the script does not load.
    bool LoadText(const std::string& p_Source, const std::string& p_Name);

    // Calls the global function p_Function with p_Argument; its first result comes back as a
    // plain value (tables as Type::Other). False, with the reason, when the script fails or breaks
    // a limit (the host goes on serving), or when the answer does not come in time or the host
    // ends (the host is gone; every later call fails the same way).
    bool Call(const std::string& p_Function, const ScriptValue& p_Argument, ScriptValue& p_Result);

    // Whether the script defines a global function p_Function; false when the host is gone.
    bool HasFunction(const std::string& p_Function, bool& p_Found);

    // One line that names the script: "<file>:<line>: <reason>", or "<file>: <reason>".
    const std::string& GetLastError() const { return m_LastError; }
    ScriptFailure GetLastFailure() const { return m_LastFailure; }
    // The host's process id while it runs, else 0.
    int HostProcessId() const { return m_Host.ProcessId(); }

    // Where the host program is: $VORL_SCRIPT_HOST when set, else "vorl-scripthost" beside the
    // running program, else "../libexec/vorl/vorl-scripthost" from its folder (the installed
    // layout). Empty when none of them exists.
    static std::string FindHostProgram();

private:
    bool Exchange(const std::string& p_Request, std::chrono::milliseconds p_Time, ScriptValue& p_Result);
    bool Fail(ScriptFailure p_Failure, const std::string& p_Reason);
    // A frame that does not decode: the host is ended, as for any host that breaks the protocol.
    bool FailBrokenAnswer();

    ScriptProcessLimits m_Limits;
    Lib::ChildProcess m_Host;
    std::string m_Name;
    std::string m_LastError;
    ScriptFailure m_LastFailure = ScriptFailure::None;
    bool m_Broken = false;
};
} // namespace Telvar

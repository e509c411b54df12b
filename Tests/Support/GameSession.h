#pragma once
// One run of the built game under the test's X display, driven as a player would drive it:
// real key presses and mouse clicks through xdotool (XTEST), and the window's content read back
// through ImageMagick's import. Every wait is bounded; a game still running when the session ends
// is killed so that a failing test leaves nothing behind.
#include "Support/RgbImage.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <signal.h>
#include <sys/wait.h>

namespace TestSupport
{
class GameSession
{
public:
    GameSession(const TempFolder& p_Folder, std::string p_Executable,
                const std::vector<std::string>& p_Arguments = {})
        : m_Folder(p_Folder), m_Pid(StartProgram(p_Executable, p_Arguments, p_Folder.Path().string()))
    {
    }

    ~GameSession()
    {
        if (m_Pid > 0 && !m_Ended)
        {
            kill(m_Pid, SIGKILL);
            waitpid(m_Pid, nullptr, 0);
        }
    }

    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    pid_t Pid() const { return m_Pid; }
    const std::string& Window() const { return m_Window; }

    // Waits for the game to finish its start-up and show its window, gives the window the
    // keyboard focus, parks the cursor outside the menus and waits for the first drawn frame.
    bool Open()
    {
        if (m_Pid <= 0)
            return false;
        const bool initialised = WaitUntil(
            [this] {
                return !IsRunning() ||
                       Log().find("==== VORL successfully initialised ====") != std::string::npos;
            },
            std::chrono::seconds(60));
        if (!initialised || !IsRunning())
            return false;
        const bool shown = WaitUntil(
            [this]
            {
                const std::string id = CommandOutput("xdotool search --onlyvisible --pid " +
                                                     std::to_string(m_Pid) + " 2>/dev/null");
                m_Window = id.substr(0, id.find('\n'));
                return !m_Window.empty();
            },
            std::chrono::seconds(30));
        if (!shown)
            return false;
        CommandOutput("timeout 5 xdotool windowfocus --sync " + m_Window + " 2>/dev/null");
        MoveMouse(5, 5);
        // The board's grey is drawn from the first frame on; before it the window is black.
        return WaitForImage(
                   [](const RgbImage& p_Image) {
                       return IsNear(p_Image.At(p_Image.width - 2, p_Image.height - 2), {122, 122, 122}, 2);
                   },
                   std::chrono::seconds(30))
            .Valid();
    }

    // xdotool key names, e.g. "s", "Escape", "grave", "Return".
    void Key(const std::string& p_Keys) { CommandOutput("xdotool key --delay 60 " + p_Keys); }

    // Holds a key down for a while, so that the game sees it down in several frames.
    void Hold(const std::string& p_Key, std::chrono::milliseconds p_Duration = std::chrono::milliseconds(150))
    {
        CommandOutput("xdotool keydown " + p_Key);
        std::this_thread::sleep_for(p_Duration);
        CommandOutput("xdotool keyup " + p_Key);
    }

    // A press and its release sent back to back, so that both reach the game between two of its
    // frames: a tap shorter than a frame.
    void Tap(const std::string& p_Key) { CommandOutput("xdotool keydown " + p_Key + " keyup " + p_Key); }

    // A tap while the game stands still, as in a hitch: stopped, it finds the press and the
    // release waiting together when it goes on.
    void TapDuringStall(const std::string& p_Key,
                        std::chrono::milliseconds p_Stall = std::chrono::milliseconds(60))
    {
        kill(m_Pid, SIGSTOP);
        Tap(p_Key);
        std::this_thread::sleep_for(p_Stall);
        kill(m_Pid, SIGCONT);
    }

    void Type(const std::string& p_Text) { CommandOutput("xdotool type --delay 60 '" + p_Text + "'"); }

    void MoveMouse(int p_X, int p_Y)
    {
        CommandOutput("xdotool mousemove --window " + m_Window + " " + std::to_string(p_X) + " " +
                      std::to_string(p_Y));
    }

    void Click(int p_X, int p_Y)
    {
        MoveMouse(p_X, p_Y);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        CommandOutput("xdotool click 1");
    }

    // The window's content as the X server holds it; empty when the capture failed.
    RgbImage Capture()
    {
        const std::string path = m_Folder.File("capture-" + std::to_string(m_Captures++) + ".ppm");
        CommandOutput("import -window " + m_Window + " ppm:" + path + " 2>/dev/null");
        RgbImage image = LoadRgbImage(path);
        std::remove(path.c_str());
        return image;
    }

    // Captures until the content fulfils the condition; the last capture that did, or an empty image.
    RgbImage WaitForImage(const std::function<bool(const RgbImage&)>& p_Condition,
                          std::chrono::milliseconds p_Timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + p_Timeout;
        do
        {
            if (!IsRunning())
                return RgbImage{};
            RgbImage image = Capture();
            if (image.Valid() && p_Condition(image))
                return image;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < deadline);
        return RgbImage{};
    }

    bool IsRunning()
    {
        if (m_Ended)
            return false;
        int status = 0;
        if (waitpid(m_Pid, &status, WNOHANG) == 0)
            return true;
        m_Ended = true;
        m_Result.exited = WIFEXITED(status);
        m_Result.exitStatus = m_Result.exited ? WEXITSTATUS(status) : -1;
        return false;
    }

    // Waits for the game to end by itself; killed after the time-out (then not "exited").
    ProgramResult WaitForExit(std::chrono::seconds p_Timeout = std::chrono::seconds(30))
    {
        if (m_Ended)
            return m_Result;
        m_Result = WaitForProgram(m_Pid, p_Timeout);
        m_Ended = true;
        return m_Result;
    }

    // Ends the game as a desktop session would; it shuts down in order and saves its settings.
    ProgramResult Terminate()
    {
        if (IsRunning())
            kill(m_Pid, SIGTERM);
        return WaitForExit();
    }

    std::string Log() const { return ReadWholeFile(m_Folder.File(m_LogName)); }
    // Where Log() reads the lines from: "stdout.txt" gets every line too, for a game whose
    // "gamelog.txt" is no file to read.
    void ReadLogFrom(std::string p_Name) { m_LogName = std::move(p_Name); }

    static bool WaitUntil(const std::function<bool()>& p_Condition, std::chrono::milliseconds p_Timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + p_Timeout;
        while (!p_Condition())
        {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }

private:
    const TempFolder& m_Folder;
    pid_t m_Pid = -1;
    std::string m_Window;
    int m_Captures = 0;
    bool m_Ended = false;
    ProgramResult m_Result;
    std::string m_LogName = "gamelog.txt";
};
} // namespace TestSupport

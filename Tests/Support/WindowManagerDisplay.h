#pragma once
// An X display of the test's own with a window manager on it (Openbox, which follows the EWMH
// fullscreen requests), for what only shows under a window manager: it, not the program, decides
// where a window ends up and how large it is. Its own server, so that a window manager never
// touches the windows of tests running beside it. While the object lives the display is this
// process's DISPLAY (and so that of every program it starts); both servers are stopped by their
// process ids when it goes.
#include "Support/RunProgram.h"

#include <chrono>
#include <cstdlib>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace TestSupport
{
// Where the X server has a window: its position on the screen and its size, frame not included.
struct XGeometry
{
    int x = -1, y = -1, width = -1, height = -1;
    bool operator==(const XGeometry&) const = default;
};

inline XGeometry ReadXGeometry(const std::string& p_WindowId)
{
    XGeometry geometry;
    const std::string shell =
        CommandOutput("xdotool getwindowgeometry --shell " + p_WindowId + " 2>/dev/null");
    auto value = [&shell](const std::string& p_Name)
    {
        const size_t at = shell.find("\n" + p_Name + "=");
        return at == std::string::npos ? -1 : std::atoi(shell.c_str() + at + p_Name.size() + 2);
    };
    geometry.x = value("X");
    geometry.y = value("Y");
    geometry.width = value("WIDTH");
    geometry.height = value("HEIGHT");
    return geometry;
}

inline std::ostream& operator<<(std::ostream& p_Out, const XGeometry& p_Geometry)
{
    return p_Out << p_Geometry.width << "x" << p_Geometry.height << " at " << p_Geometry.x << ","
                 << p_Geometry.y;
}

class WindowManagerDisplay
{
public:
    static constexpr int k_Width = 1920;
    static constexpr int k_Height = 1080;

    // A screen of another size, e.g. one wider than the GL driver can draw into.
    explicit WindowManagerDisplay(int p_Width = k_Width, int p_Height = k_Height)
        : m_Width(p_Width), m_Height(p_Height)
    {
        if (const char* previous = std::getenv("DISPLAY"))
            m_PreviousDisplay = previous;
        if (!StartServer() || !StartWindowManager())
            return;
        // Openbox announces itself on the root window once it manages the screen.
        for (int attempt = 0; attempt < 300 && !m_Ready; ++attempt)
        {
            m_Ready = CommandOutput("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").find("window id") !=
                      std::string::npos;
            if (!m_Ready)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

    ~WindowManagerDisplay()
    {
        Stop(m_WindowManager);
        Stop(m_Server);
        if (m_PreviousDisplay.empty())
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", m_PreviousDisplay.c_str(), 1);
    }

    WindowManagerDisplay(const WindowManagerDisplay&) = delete;
    WindowManagerDisplay& operator=(const WindowManagerDisplay&) = delete;

    // The server runs, it is DISPLAY, and the window manager manages it.
    bool Ready() const { return m_Ready; }
    const std::string& Name() const { return m_Name; }

private:
    static pid_t Spawn(std::vector<std::string> p_Arguments, posix_spawn_file_actions_t& p_Actions)
    {
        std::vector<char*> argv;
        for (std::string& argument : p_Arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        return posix_spawnp(&pid, argv[0], &p_Actions, nullptr, argv.data(), environ) == 0 ? pid : -1;
    }

    static void Stop(pid_t p_Pid)
    {
        if (p_Pid <= 0)
            return;
        kill(p_Pid, SIGTERM);
        WaitForProgram(p_Pid, std::chrono::seconds(5)); // killed when it does not end by then
    }

    // Xvfb picks a free display number and writes it into the pipe it is given (-displayfd).
    bool StartServer()
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 3);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        m_Server =
            Spawn({"Xvfb", "-displayfd", "3", "-screen", "0",
                   std::to_string(m_Width) + "x" + std::to_string(m_Height) + "x24", "-nolisten", "tcp"},
                  actions);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        std::string number;
        pollfd wait{pipeEnds[0], POLLIN, 0};
        // A loaded machine may take a while to bring a server up.
        while (m_Server > 0 && poll(&wait, 1, 30000) > 0)
        {
            char buffer[16];
            const ssize_t got = read(pipeEnds[0], buffer, sizeof(buffer));
            if (got <= 0)
                break;
            number.append(buffer, static_cast<size_t>(got));
            if (number.find('\n') != std::string::npos)
                break;
        }
        close(pipeEnds[0]);
        if (number.empty() || number.find('\n') == std::string::npos)
            return false;
        m_Name = ":" + number.substr(0, number.find('\n'));
        setenv("DISPLAY", m_Name.c_str(), 1);
        return true;
    }

    bool StartWindowManager()
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        m_WindowManager = Spawn({"openbox", "--sm-disable"}, actions);
        posix_spawn_file_actions_destroy(&actions);
        return m_WindowManager > 0;
    }

    int m_Width = k_Width;
    int m_Height = k_Height;
    std::string m_PreviousDisplay;
    std::string m_Name;
    pid_t m_Server = -1;
    pid_t m_WindowManager = -1;
    bool m_Ready = false;
};
} // namespace TestSupport

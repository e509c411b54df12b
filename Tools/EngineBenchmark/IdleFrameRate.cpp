// Measures the engine with nothing to draw: the time from start to the first presented frame and
// the idle frame rate. Prints one line:
//   vorl_idle startup_ms=T frames=F seconds=S fps=X
// Run it on the display to measure (Xvfb or a desktop); vertical sync stays off, as the engine
// leaves it after start-up.
#include "Corvan/EntryPoint/CorvanEntry.h"
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Gui/Layout/IWindowEventBase.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Log.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
using Clock = std::chrono::steady_clock;

class FrameCounter : public Vozad::IWindowEventBase
{
public:
    FrameCounter(Telvar::CorvanEntry& p_Engine, double p_Seconds) : m_Engine(p_Engine), m_Seconds(p_Seconds)
    {
    }

    void OnWindowCreate(Vozad::EventWindowCreate&) override {}
    void OnWindowFocus(Vozad::EventWindowFocus&) override {}
    void OnWindowPosition(Vozad::EventWindowPosition&) override {}
    void OnWindowResize(Vozad::EventWindowResize&) override {}
    void OnWindowMinimize(Vozad::EventWindowMinimize&) override {}
    void OnWindowMaximize(Vozad::EventWindowMaximize&) override {}
    void OnWindowFullscreen(Vozad::EventWindowFullscreen&) override {}
    void OnQuitRequest(Vozad::EventQuitRequest&) override {}
    void OnWindowClose(Vozad::EventWindowClose&) override {}
    void OnRendererPresent(Vozad::EventRendererPresent&) override {}

    // Frame 2 begins once frame 1 has been presented: that is where start-up ends.
    void OnRendererUpdate(Vozad::EventRendererUpdate& p_Event) override
    {
        if (p_Event.frameNumber == 2)
        {
            firstFrameDone = Clock::now();
            m_FirstFrameNumber = p_Event.frameNumber;
        }
        if (m_FirstFrameNumber == 0)
            return;
        const double seconds = std::chrono::duration<double>(Clock::now() - firstFrameDone).count();
        if (seconds >= m_Seconds)
        {
            frames = p_Event.frameNumber - m_FirstFrameNumber;
            measuredSeconds = seconds;
            m_Engine.Quit();
        }
    }

    Clock::time_point firstFrameDone{};
    uint64_t frames = 0;
    double measuredSeconds = 0.0;

private:
    Telvar::CorvanEntry& m_Engine;
    double m_Seconds;
    uint64_t m_FirstFrameNumber = 0;
};
} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    Lib::SetLogFileName("vorl_idle_log.txt");

    Telvar::EngineSettings engineSettings;
    engineSettings.loopMode = 2;
    Vozad::WindowSettings windowSettings;
    windowSettings.clientWidth = 1280;
    windowSettings.clientHeight = 720;
    windowSettings.minimumWidth = 640;
    windowSettings.minimumHeight = 480;
    windowSettings.title = "VORL idle benchmark";
    windowSettings.supportedWindowModes = 7;

    int32_t result = 0;
    {
        Telvar::CorvanEntry engine;
        if (!engine.Initialise(engineSettings, windowSettings))
        {
            std::fprintf(stderr, "vorl_idle: the engine could not start (see vorl_idle_log.txt)\n");
            return 1;
        }
        FrameCounter counter(engine, seconds);
        engine.SetWindowEventReceiver(&counter);
        result = engine.Run();
        const double startupMs =
            std::chrono::duration<double, std::milli>(counter.firstFrameDone - start).count();
        std::printf("vorl_idle startup_ms=%.1f frames=%llu seconds=%.2f fps=%.1f\n", startupMs,
                    static_cast<unsigned long long>(counter.frames), counter.measuredSeconds,
                    counter.measuredSeconds > 0 ? counter.frames / counter.measuredSeconds : 0.0);
    }
    return result;
}

// The peer-bench sprite scene drawn by the engine: a 1280 x 720 window, one 32 x 32 RGBA image,
// N sprites bouncing at a fixed 1/60 s step, alpha blending, vsync off. Every sprite is an entity
// moved each frame through the engine's component operations (SetTransform, RefreshSprite) and
// drawn by the renderer. Usage: SpriteBenchmark <sprites> <seconds>. Prints one line:
//   vorl_engine sprites=N frames=F seconds=S fps=X
// and on standard error the start-up and memory lines (BenchReport.h).
#include "BenchReport.h"

#include "Corvan/EntryPoint/CorvanEntry.h"
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Layout/IWindowEventBase.h"
#include "Corvan/Renderer/OrthoCam.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Log.h"

#include <stb_image_write.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace
{
using Clock = std::chrono::steady_clock;
constexpr int k_Width = 1280;
constexpr int k_Height = 720;
constexpr int k_SpriteSize = 32;
constexpr float k_Step = 1.0f / 60.0f;
constexpr double k_Warmup = 0.5;

// The same generator and image as the peers, so every program draws the same scene.
uint32_t g_RandomState = 0x9E3779B9u;
uint32_t NextRandom()
{
    g_RandomState ^= g_RandomState << 13;
    g_RandomState ^= g_RandomState >> 17;
    g_RandomState ^= g_RandomState << 5;
    return g_RandomState;
}
float RandomIn(float p_Low, float p_High)
{
    return p_Low + (p_High - p_Low) * float(NextRandom() & 0xFFFFFF) / float(0xFFFFFF);
}

// A soft-edged disc with a ring, written as a PNG the engine loads like any image file.
bool WriteSpriteImage(const char* p_Path)
{
    std::vector<uint8_t> pixels(k_SpriteSize * k_SpriteSize * 4);
    for (int y = 0; y < k_SpriteSize; ++y)
        for (int x = 0; x < k_SpriteSize; ++x)
        {
            const float dx = x + 0.5f - k_SpriteSize / 2.0f, dy = y + 0.5f - k_SpriteSize / 2.0f;
            const float d = std::sqrt(dx * dx + dy * dy) / (k_SpriteSize / 2.0f);
            const float a = d < 0.85f ? 1.0f : (d < 1.0f ? (1.0f - d) / 0.15f : 0.0f);
            const bool ring = d > 0.55f && d < 0.7f;
            uint8_t* p = &pixels[(y * k_SpriteSize + x) * 4];
            p[0] = ring ? 255 : 230;
            p[1] = ring ? 200 : 230;
            p[2] = ring ? 80 : 240;
            p[3] = uint8_t(a * 255.0f);
        }
    return stbi_write_png(p_Path, k_SpriteSize, k_SpriteSize, 4, pixels.data(), k_SpriteSize * 4) != 0;
}

struct Sprite
{
    Telvar::EntityHandle entity;
    Telvar::Transform transform;
    float vx = 0.0f, vy = 0.0f;
};

class SpriteScene : public Vozad::IWindowEventBase
{
public:
    SpriteScene(Telvar::CorvanEntry& p_Engine, int p_Count, double p_Seconds, Bench::Report& p_Report)
        : m_Engine(p_Engine), m_Seconds(p_Seconds), m_Report(p_Report)
    {
        m_Camera.SetBox(0.0f, float(k_Width), 0.0f, float(k_Height));
        Telvar::SpriteComponent image;
        image.texture = m_Engine.LoadTexture("vorl_bench_sprite.png");
        m_Sprites.resize(static_cast<size_t>(p_Count));
        for (Sprite& sprite : m_Sprites)
        {
            sprite.transform.width = sprite.transform.height = float(k_SpriteSize);
            sprite.transform.x = RandomIn(0, float(k_Width - k_SpriteSize));
            sprite.transform.y = RandomIn(0, float(k_Height - k_SpriteSize));
            sprite.vx = RandomIn(-240, 240);
            sprite.vy = RandomIn(-240, 240);
            NextRandom(); // the peers draw a colour here
            sprite.entity = m_Engine.CreateEntity();
            m_Engine.AddTransform(sprite.entity, sprite.transform);
            m_Engine.AddSprite(sprite.entity, image);
        }
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

    void OnRendererUpdate(Vozad::EventRendererUpdate& p_Event) override
    {
        const Clock::time_point now = Clock::now();
        // Frame 2 begins once frame 1 has been presented: that is where start-up ends.
        if (p_Event.frameNumber == 2)
            m_Report.firstFrame = now;
        if (!m_Started)
        {
            m_Started = true;
            m_WarmupStart = now;
        }
        const double sinceWarmup = std::chrono::duration<double>(now - m_WarmupStart).count();
        if (!m_Measuring && sinceWarmup >= k_Warmup)
        {
            m_Measuring = true;
            m_MeasureStart = now;
            m_CpuAtMeasureStart = Bench::CpuSeconds();
        }
        if (m_Measuring)
        {
            measuredSeconds = std::chrono::duration<double>(now - m_MeasureStart).count();
            if (measuredSeconds >= m_Seconds)
            {
                m_Report.cpuSeconds = Bench::CpuSeconds() - m_CpuAtMeasureStart;
                m_Engine.Quit();
                return;
            }
        }
        Step();
    }

    void OnRendererPresent(Vozad::EventRendererPresent&) override
    {
        m_Engine.SetCamera(0, Vozad::WindowRect{0, k_Width, 0, k_Height}, m_Camera);
        m_Engine.SetClearColour(0, 0, 0);
        m_Engine.Render();
        if (m_Measuring)
            ++frames;
    }

    uint64_t frames = 0;
    double measuredSeconds = 0.0;

private:
    void Step()
    {
        const float maxX = float(k_Width - k_SpriteSize), maxY = float(k_Height - k_SpriteSize);
        for (Sprite& sprite : m_Sprites)
        {
            Telvar::Transform& t = sprite.transform;
            t.x += sprite.vx * k_Step;
            t.y += sprite.vy * k_Step;
            if (t.x < 0)
            {
                t.x = 0;
                sprite.vx = -sprite.vx;
            }
            else if (t.x > maxX)
            {
                t.x = maxX;
                sprite.vx = -sprite.vx;
            }
            if (t.y < 0)
            {
                t.y = 0;
                sprite.vy = -sprite.vy;
            }
            else if (t.y > maxY)
            {
                t.y = maxY;
                sprite.vy = -sprite.vy;
            }
            m_Engine.SetTransform(sprite.entity, t, true);
            m_Engine.RefreshSprite(sprite.entity);
        }
    }

    Telvar::CorvanEntry& m_Engine;
    double m_Seconds;
    Bench::Report& m_Report;
    Vozad::OrthoCam m_Camera;
    std::vector<Sprite> m_Sprites;
    bool m_Started = false;
    bool m_Measuring = false;
    Clock::time_point m_WarmupStart{};
    Clock::time_point m_MeasureStart{};
    double m_CpuAtMeasureStart = 0.0;
};
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s <sprites> <seconds>\n", argv[0]);
        return 2;
    }
    Bench::Report report;
    report.label = "vorl_engine";
    const int count = std::atoi(argv[1]);
    const double seconds = std::atof(argv[2]);
    Bench::ScratchFolder folder;
    // The engine logs its start-up; that goes to a file here so standard output carries only
    // the result line the peer-bench table reads.
    Lib::SetLogFileName("vorl_engine_bench_log.txt");
    const int resultOutput = dup(STDOUT_FILENO);
    if (resultOutput < 0 || !std::freopen("/dev/null", "w", stdout))
        return 1;
    if (!WriteSpriteImage("vorl_bench_sprite.png"))
        return 1;

    Telvar::EngineSettings engineSettings;
    engineSettings.loopMode = 2;
    Vozad::WindowSettings windowSettings;
    windowSettings.clientWidth = k_Width;
    windowSettings.clientHeight = k_Height;
    windowSettings.minimumWidth = 640;
    windowSettings.minimumHeight = 480;
    windowSettings.title = "VORL sprite benchmark";
    windowSettings.supportedWindowModes = 7;

    uint64_t frames = 0;
    double measured = 0.0;
    {
        Telvar::CorvanEntry engine;
        if (!engine.Initialise(engineSettings, windowSettings))
            return 1;
        SpriteScene scene(engine, count, seconds, report);
        engine.SetWindowEventReceiver(&scene);
        // The peers draw sprites only: an empty GUI keeps the engine's default screen off them.
        engine.SetRootContent(nullptr);
        engine.Run();
        frames = scene.frames;
        measured = scene.measuredSeconds;
    }
    std::fflush(stdout);
    dup2(resultOutput, STDOUT_FILENO);
    report.frames = frames;
    report.seconds = measured;
    report.PrintResult(count);
    report.PrintDetails();
    return 0;
}

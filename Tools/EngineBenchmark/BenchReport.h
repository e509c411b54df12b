#pragma once
// What every engine benchmark reports, in the form peer-bench reads: one result line on standard
// output ("<label> sprites=N frames=F seconds=S fps=X", what run.sh's cmd: takes), and on standard
// error the start-up and memory lines the peers print, so the figures sit side by side in its
// per-phase details.
#include <sys/resource.h>

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace Bench
{
using Clock = std::chrono::steady_clock;

// Processor seconds (user + system) the process has used so far.
inline double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The folder a benchmark works in: peer-bench runs programs from its own (read-only) folder, and
// the engine writes its log and the benchmarks their images into the working folder. Made under
// /tmp, entered at once, and removed with what is in it at the end.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        char name[] = "/tmp/vorl-bench-XXXXXX";
        if (mkdtemp(name) && chdir(name) == 0)
            m_Path = name;
    }
    ~ScratchFolder()
    {
        if (m_Path.empty() || chdir("/") != 0)
            return;
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool IsReady() const { return !m_Path.empty(); }
    const std::string& Path() const { return m_Path; }

private:
    std::string m_Path;
};

// Measured from the first line of main, as the peers measure theirs.
struct Report
{
    const char* label = "";
    Clock::time_point start = Clock::now();
    Clock::time_point firstFrame{};
    uint64_t frames = 0;
    double seconds = 0.0;
    double cpuSeconds = 0.0; // used while the frames were counted; 0 when not measured

    void PrintResult(int p_Sprites, FILE* p_Out = stdout) const
    {
        std::fprintf(p_Out, "%s sprites=%d frames=%llu seconds=%.2f fps=%.1f\n", label, p_Sprites,
                     static_cast<unsigned long long>(frames), seconds, seconds > 0 ? frames / seconds : 0.0);
        std::fflush(p_Out);
    }

    void PrintDetails() const
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        if (firstFrame != Clock::time_point{})
            std::fprintf(stderr, "[%s] first frame presented %.1f ms after start\n", label,
                         std::chrono::duration<double, std::milli>(firstFrame - start).count());
        std::fprintf(stderr, "[%s] process cpu: user=%.2fs sys=%.2fs maxrss=%ldKB\n", label,
                     usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6,
                     usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6, usage.ru_maxrss);
        if (seconds > 0 && cpuSeconds > 0)
            std::fprintf(stderr, "[%s] cpu while measuring: %.1f%% of a core over %.2f s, %.3f ms a frame\n",
                         label, 100.0 * cpuSeconds / seconds, seconds,
                         frames > 0 ? 1000.0 * cpuSeconds / static_cast<double>(frames) : 0.0);
    }
};
} // namespace Bench

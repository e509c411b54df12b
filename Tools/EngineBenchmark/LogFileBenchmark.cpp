// Measures what logging costs once the log file is full: the lines of several start-ups appended
// to a log that already holds its newest mebibyte. Prints one line:
//   vorl_logfile lines=N seconds=S us_per_line=U bytes_written=B bytes_read=R final_size=F
// bytes_written and bytes_read are the process's own file traffic (/proc/self/io), so a log that
// is rewritten for every line shows up as megabytes per line.
#include "Lib/Log.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace
{
long long ProcessIo(const char* p_Field)
{
    std::ifstream in("/proc/self/io");
    std::string name;
    long long value = 0;
    while (in >> name >> value)
        if (name == std::string(p_Field) + ":")
            return value;
    return -1;
}
} // namespace

int main(int argc, char** argv)
{
    const int lines = argc > 1 ? std::atoi(argv[1]) : 20000;
    char folder[] = "/tmp/vorl-logbench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string path = std::string(folder) + "/gamelog.txt";
    {
        std::ofstream full(path, std::ios::binary);
        const std::string old(127, 'o');
        for (uint64_t size = 0; size < Lib::k_LogFileLimit; size += 128)
            full << old << '\n';
    }

    // A typical line of the game's log: about 130 bytes.
    const std::string line =
        "[2026/12/10 14:00:00.000] Info     | PID: 4711    | TID: 4711    |            ConfigReader: a line "
        "of a start-up\n";
    const long long writtenBefore = ProcessIo("wchar");
    const long long readBefore = ProcessIo("rchar");
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < lines; ++i)
        Lib::AppendToLogFile(path.c_str(), line);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long long written = ProcessIo("wchar") - writtenBefore;
    const long long read = ProcessIo("rchar") - readBefore;

    std::ifstream result(path, std::ios::binary | std::ios::ate);
    printf("vorl_logfile lines=%d seconds=%.3f us_per_line=%.1f bytes_written=%lld bytes_read=%lld "
           "final_size=%lld\n",
           lines, seconds, seconds * 1e6 / lines, written, read, static_cast<long long>(result.tellg()));
    unlink(path.c_str());
    rmdir(folder);
    return 0;
}

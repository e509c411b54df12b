#pragma once
// The log file opened for one append or trim, under its lock: the system's half of
// AppendToLogFile (LogAppend.cpp). Internal to the platform layer.
#include <cstdint>
#include <string>

namespace Lib
{
class LockedLogFile
{
public:
    // Opens the log as a regular file (created when missing, never through a link) and waits for
    // its lock; Error() says why when it is not open.
    explicit LockedLogFile(const char* p_FileName);
    ~LockedLogFile();
    LockedLogFile(const LockedLogFile&) = delete;
    LockedLogFile& operator=(const LockedLogFile&) = delete;

    bool IsOpen() const { return m_Handle != -1; }
    int32_t Error() const { return m_Error; }
    // True when the name still leads to the open file: another process's trim may have renamed a
    // new file over it while this one waited for the lock.
    bool StillNamed() const;
    // Each returns 0 or the errno of the failure.
    int32_t Size(uint64_t& p_Size) const;
    int32_t Append(const std::string& p_Bytes);
    int32_t ReadAll(uint64_t p_Size, std::string& p_Bytes) const;
    // Closes the file, which also drops the lock.
    int32_t Close();

private:
    const char* m_FileName;
    intptr_t m_Handle = -1; // a descriptor on Linux, a handle on Windows
    int32_t m_Error = 0;
};
} // namespace Lib

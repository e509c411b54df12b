#include "Lib/Log.h"

#include "Lib/Platform/FileReplace.h"
#include "Lib/Platform/Windows/RegularHandle.h"

#include <cerrno>
#include <string>

namespace Lib
{
namespace
{
// The whole file from its first byte; the handle writes only at the end, so the read position is
// given with every read.
bool ReadWhole(HANDLE p_File, uint64_t p_Size, std::string& p_All, int32_t& p_Error)
{
    p_All.assign(p_Size, '\0');
    uint64_t done = 0;
    while (done < p_Size)
    {
        OVERLAPPED place{};
        place.Offset = static_cast<DWORD>(done);
        place.OffsetHigh = static_cast<DWORD>(done >> 32);
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<uint64_t>(p_Size - done, 1u << 30));
        if (!ReadFile(p_File, p_All.data() + done, chunk, &got, &place) || got == 0)
        {
            p_Error = got == 0 ? EIO : ErrnoFromSystemError(GetLastError());
            return false;
        }
        done += got;
    }
    return true;
}

// Called with the log open and locked. The trimmed text replaces the file through a temporary file
// of this process, so two games writing one log never share a temporary file, and a failure leaves
// the old log as it was.
bool TrimLogFile(const char* p_FileName, HANDLE p_File, uint64_t p_Size, const std::string& p_Line,
                 int32_t& p_Error)
{
    std::string all;
    if (!ReadWhole(p_File, p_Size, all, p_Error))
        return false;
    all += p_Line;
    p_Error = ReplaceFileContent(p_FileName, NewestLogWindow(all));
    return p_Error == 0;
}

// Opened for appending only, every write lands at the end, whoever else writes.
bool WriteWhole(HANDLE p_File, const std::string& p_Bytes, int32_t& p_Error)
{
    DWORD written = 0;
    if (!WriteFile(p_File, p_Bytes.data(), static_cast<DWORD>(p_Bytes.size()), &written, nullptr) ||
        written != p_Bytes.size())
    {
        p_Error = written != p_Bytes.size() && GetLastError() == NO_ERROR
                      ? ENOSPC
                      : ErrnoFromSystemError(GetLastError());
        return false;
    }
    return true;
}

// True when the open file is still the one the name leads to: another process's trim may have
// renamed a new file over it while this one waited for the lock.
bool StillNamed(const char* p_FileName, HANDLE p_File)
{
    BY_HANDLE_FILE_INFORMATION opened{};
    BY_HANDLE_FILE_INFORMATION named{};
    ScopedHandle name(CreateFileW(WidePath(p_FileName).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return name.IsValid() && GetFileInformationByHandle(p_File, &opened) &&
           GetFileInformationByHandle(name.Get(), &named) &&
           opened.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           opened.nFileIndexHigh == named.nFileIndexHigh && opened.nFileIndexLow == named.nFileIndexLow;
}
} // namespace

bool AppendToLogFile(const char* p_FileName, const std::string& p_Line, int32_t* p_Error)
{
    int32_t error = 0;
    const auto failed = [&](int32_t p_Code)
    {
        if (p_Error)
            *p_Error = p_Code;
        return false;
    };
    // Every writer takes the file's lock for its append or trim, so lines of two games sharing one
    // folder neither interleave with nor vanish in the other's trim. The lock covers every byte the
    // file may ever have; it is dropped with the handle.
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        ScopedHandle file(OpenRegularHandle(p_FileName, FILE_APPEND_DATA | GENERIC_READ | SYNCHRONIZE, error,
                                            WhenMissing::Create));
        if (!file.IsValid())
            return failed(error);
        OVERLAPPED place{};
        LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &place);
        if (!StillNamed(p_FileName, file.Get()))
            continue;
        LARGE_INTEGER size{};
        bool written = GetFileSizeEx(file.Get(), &size) != 0;
        if (!written)
            error = ErrnoFromSystemError(GetLastError());
        else if (static_cast<uint64_t>(size.QuadPart) + p_Line.size() <= k_LogTrimThreshold)
            written = WriteWhole(file.Get(), p_Line, error);
        else
            written =
                TrimLogFile(p_FileName, file.Get(), static_cast<uint64_t>(size.QuadPart), p_Line, error);
        if (!file.Reset() && written)
        {
            written = false;
            error = ErrnoFromSystemError(GetLastError());
        }
        if (p_Error)
            *p_Error = written ? 0 : error;
        return written;
    }
    return failed(EAGAIN);
}
} // namespace Lib

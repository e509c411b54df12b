#include "Lib/Platform/LockedLogFile.h"
#include "Lib/Platform/Windows/RegularHandle.h"

#include <algorithm>
#include <cerrno>

namespace Lib
{
namespace
{
HANDLE AsHandle(intptr_t p_Handle)
{
    return reinterpret_cast<HANDLE>(p_Handle);
}
} // namespace

LockedLogFile::LockedLogFile(const char* p_FileName) : m_FileName(p_FileName)
{
    // Opened for appending only, every write lands at the end, whoever else writes.
    HANDLE file = OpenRegularHandle(p_FileName, FILE_APPEND_DATA | GENERIC_READ | SYNCHRONIZE, m_Error,
                                    WhenMissing::Create);
    if (file == INVALID_HANDLE_VALUE)
        return;
    m_Handle = reinterpret_cast<intptr_t>(file);
    // The lock covers every byte the file may ever have; a file system without locks still gets
    // the line.
    OVERLAPPED place{};
    LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &place);
}

LockedLogFile::~LockedLogFile()
{
    Close();
}

bool LockedLogFile::StillNamed() const
{
    BY_HANDLE_FILE_INFORMATION opened{};
    BY_HANDLE_FILE_INFORMATION named{};
    ScopedHandle name(CreateFileW(WidePath(m_FileName).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return name.IsValid() && GetFileInformationByHandle(AsHandle(m_Handle), &opened) &&
           GetFileInformationByHandle(name.Get(), &named) &&
           opened.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           opened.nFileIndexHigh == named.nFileIndexHigh && opened.nFileIndexLow == named.nFileIndexLow;
}

int32_t LockedLogFile::Size(uint64_t& p_Size) const
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(m_Handle), &size))
        return ErrnoFromSystemError(GetLastError());
    p_Size = static_cast<uint64_t>(size.QuadPart);
    return 0;
}

int32_t LockedLogFile::Append(const std::string& p_Bytes)
{
    DWORD written = 0;
    if (!WriteFile(AsHandle(m_Handle), p_Bytes.data(), static_cast<DWORD>(p_Bytes.size()), &written, nullptr))
        return ErrnoFromSystemError(GetLastError());
    return written == p_Bytes.size() ? 0 : ENOSPC;
}

int32_t LockedLogFile::ReadAll(uint64_t p_Size, std::string& p_Bytes) const
{
    // The handle writes only at the end, so the read position is given with every read.
    p_Bytes.assign(p_Size, '\0');
    uint64_t done = 0;
    while (done < p_Size)
    {
        OVERLAPPED place{};
        place.Offset = static_cast<DWORD>(done);
        place.OffsetHigh = static_cast<DWORD>(done >> 32);
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<uint64_t>(p_Size - done, 1u << 30));
        if (!ReadFile(AsHandle(m_Handle), p_Bytes.data() + done, chunk, &got, &place))
            return ErrnoFromSystemError(GetLastError());
        if (got == 0)
            return EIO;
        done += got;
    }
    return 0;
}

int32_t LockedLogFile::Close()
{
    if (m_Handle == -1)
        return 0;
    const bool closed = CloseHandle(AsHandle(m_Handle)) != 0;
    m_Handle = -1;
    return closed ? 0 : ErrnoFromSystemError(GetLastError());
}
} // namespace Lib

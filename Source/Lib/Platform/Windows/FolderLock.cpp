#include "Lib/Platform/FolderLock.h"

#include "Lib/Platform/Windows/Win32.h"

#include <thread>

namespace Lib
{
namespace
{
// Windows locks byte ranges of files, not folders, so the lock lives on a small hidden file in the
// folder. It stays there empty: deleting it on close would let a third process open a name that is
// about to vanish and take a lock nobody else can see.
constexpr const wchar_t* k_LockFileName = L".vorl.lock";

HANDLE OpenLockFile(const String& p_Folder)
{
    std::wstring path = p_Folder.Wide();
    if (!path.empty() && path.back() != L'/' && path.back() != L'\\')
        path.push_back(L'\\');
    path += k_LockFileName;
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr);
}
} // namespace

FolderLock::~FolderLock()
{
    Release();
}

FolderLockResult FolderLock::Acquire(const String& p_Folder, std::chrono::milliseconds p_Wait)
{
    Release();
    ScopedHandle file(OpenLockFile(p_Folder));
    if (!file.IsValid())
        return FolderLockResult::Unavailable;

    const auto deadline = std::chrono::steady_clock::now() + p_Wait;
    while (true)
    {
        // One byte is enough: every instance locks the same one. The system drops the lock with
        // the handle, also when the process is killed.
        OVERLAPPED place{};
        if (LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place))
        {
            m_Descriptor = reinterpret_cast<intptr_t>(file.Release());
            return FolderLockResult::Acquired;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING)
            return FolderLockResult::Unavailable;
        if (std::chrono::steady_clock::now() >= deadline)
            return FolderLockResult::HeldElsewhere;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void FolderLock::Release()
{
    if (m_Descriptor < 0)
        return;
    // Closing the only handle of the lock file drops the lock.
    CloseHandle(reinterpret_cast<HANDLE>(m_Descriptor));
    m_Descriptor = -1;
}
} // namespace Lib

#include "Lib/Platform/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace Lib
{
FolderLock::~FolderLock()
{
    Release();
}

FolderLockResult FolderLock::Acquire(const String& p_Folder, std::chrono::milliseconds p_Wait)
{
    Release();
    // A folder needs no write permission to be opened and locked, so a read-only working folder
    // is covered too, and no lock file is left lying around.
    const int descriptor = open(p_Folder.ToNarrow().Data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return FolderLockResult::Unavailable;

    const auto deadline = std::chrono::steady_clock::now() + p_Wait;
    while (true)
    {
        if (flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        {
            m_Descriptor = descriptor;
            return FolderLockResult::Acquired;
        }
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline)
        {
            close(descriptor);
            return error == EWOULDBLOCK ? FolderLockResult::HeldElsewhere : FolderLockResult::Unavailable;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void FolderLock::Release()
{
    if (m_Descriptor < 0)
        return;
    // Closing the only descriptor of the open folder drops the lock.
    close(static_cast<int>(m_Descriptor));
    m_Descriptor = -1;
}
} // namespace Lib

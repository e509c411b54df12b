#include "Lib/Platform/Mutex.h"

#include "Lib/Log.h"
#include "Lib/Platform/Windows/Win32.h"

#include <atomic>

namespace Lib
{
// A slim reader/writer lock taken exclusively, with its owner beside it: neither it nor a critical
// section checks errors, and a critical section even lets its owner in twice. The owner turns a
// relock by the owner into a failed Lock and an unlock by anyone else into a fatal error, as the
// error-checking mutex does on Linux.
struct Mutex::Handle
{
    SRWLOCK lock = SRWLOCK_INIT;
    std::atomic<DWORD> owner{0}; // thread ids are never 0
};

Mutex::Mutex() = default;

Mutex::~Mutex()
{
    if (m_Created && m_Locked)
        Unlock();
}

bool Mutex::Create()
{
    if (m_Created)
        return true;
    m_Handle = std::make_unique<Handle>();
    m_Created = true;
    return true;
}

bool Mutex::Lock()
{
    if (!m_Created || m_Handle->owner.load() == ::GetCurrentThreadId())
        return false;
    AcquireSRWLockExclusive(&m_Handle->lock);
    m_Handle->owner.store(::GetCurrentThreadId());
    m_Locked = true;
    return true;
}

void Mutex::Unlock()
{
    if (!m_Created || m_Handle->owner.load() != ::GetCurrentThreadId())
        FatalError("Mutex", "Unable to unlock the mutex.");
    // The flag changes while the lock is still held, so that it is guarded by the lock itself.
    m_Locked = false;
    m_Handle->owner.store(0);
    ReleaseSRWLockExclusive(&m_Handle->lock);
}
} // namespace Lib

#include "Lib/Platform/Mutex.h"

#include "Lib/Log.h"

#include <pthread.h>

namespace Lib
{
struct Mutex::Handle
{
    pthread_mutex_t mutex;
};

Mutex::Mutex() = default;

Mutex::~Mutex()
{
    if (!m_Created)
        return;
    if (m_Locked)
        Unlock();
    pthread_mutex_destroy(&m_Handle->mutex);
}

bool Mutex::Create()
{
    if (m_Created)
        return true;
    // Error checking turns a relock by the owner into a failed Lock and an unlock by anyone but
    // the owner into a reported failure, where a plain mutex would hang or misbehave silently.
    pthread_mutexattr_t attributes;
    if (pthread_mutexattr_init(&attributes) != 0)
        return false;
    auto handle = std::make_unique<Handle>();
    const bool created = pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_ERRORCHECK) == 0 &&
                         pthread_mutex_init(&handle->mutex, &attributes) == 0;
    pthread_mutexattr_destroy(&attributes);
    if (!created)
        return false;
    m_Handle = std::move(handle);
    m_Created = true;
    return true;
}

bool Mutex::Lock()
{
    if (!m_Created || pthread_mutex_lock(&m_Handle->mutex) != 0)
        return false;
    m_Locked = true;
    return true;
}

void Mutex::Unlock()
{
    // The flag changes while the mutex is still held, so that it is guarded by the mutex itself.
    const bool wasLocked = m_Locked;
    m_Locked = false;
    if (!m_Created || pthread_mutex_unlock(&m_Handle->mutex) != 0)
    {
        m_Locked = wasLocked;
        FatalError("Mutex", "Unable to unlock the mutex.");
    }
}
} // namespace Lib

#pragma once
#include <memory>

namespace Lib
{
// Wraps an operating-system mutex. Destroying a created mutex unlocks it first when it is held;
// failing to unlock is fatal ("Mutex": "Unable to unlock the mutex.").
class Mutex
{
public:
    Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;
    ~Mutex();

    bool Create();
    bool Lock();
    void Unlock();
    bool IsCreated() const { return m_Created; }
    bool IsLocked() const { return m_Locked; }

private:
    struct Handle;
    std::unique_ptr<Handle> m_Handle;
    bool m_Created = false;
    bool m_Locked = false;
};
} // namespace Lib

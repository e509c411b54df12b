#pragma once
// An advisory lock on a folder, held by one process at a time: the way two copies of the game
// started in the same working folder find out about each other. The lock goes with the process,
// so a killed instance never leaves a stale one behind.
#include "Lib/String.h"

#include <chrono>
#include <cstdint>

namespace Lib
{
enum class FolderLockResult
{
    Acquired,
    HeldElsewhere, // another process (or another lock object) holds it
    Unavailable,   // the folder cannot be opened or does not support locks: nobody can be told apart
};

class FolderLock
{
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Tries to take the lock, waiting up to p_Wait for a holder to let go. A lock already held by
    // this object is released first.
    FolderLockResult Acquire(const String& p_Folder, std::chrono::milliseconds p_Wait = {});
    void Release();
    bool IsHeld() const { return m_Descriptor >= 0; }

private:
    // The open folder's descriptor on Linux, the lock file's handle on Windows; -1 while not held.
    intptr_t m_Descriptor = -1;
};
} // namespace Lib

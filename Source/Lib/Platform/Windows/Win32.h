#pragma once
// The one way the Windows files of the platform layer include the system's headers, and the small
// helpers they all share. Never included above the platform layer.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// windows.h turns these names into macros for its narrow/wide pairs; the engine has functions of
// its own by the same names.
#undef DeleteFile
#undef CreateFolder

#include "Lib/String.h"

#include <cstdint>
#include <string>

namespace Lib
{
// Every path reaches the system as UTF-16, so a folder named with any letters works.
std::wstring WidePath(const std::string& p_Utf8);

// The errno value closest to a system error, for the int errors the file functions return.
int32_t ErrnoFromSystemError(DWORD p_Error);

// The system's text for an error code, in UTF-8 without the line end it comes with; empty when
// the system has none.
std::string SystemErrorText(DWORD p_Error);

// Closes a handle once, however the scope is left.
class ScopedHandle
{
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE p_Handle) : m_Handle(p_Handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Reset(); }

    HANDLE Get() const { return m_Handle; }
    bool IsValid() const { return m_Handle != nullptr && m_Handle != INVALID_HANDLE_VALUE; }
    HANDLE Release()
    {
        HANDLE handle = m_Handle;
        m_Handle = INVALID_HANDLE_VALUE;
        return handle;
    }
    // Closes the handle held so far and takes p_Handle. False when closing failed (the last
    // buffered data could not be written).
    bool Reset(HANDLE p_Handle = INVALID_HANDLE_VALUE)
    {
        const bool closed = !IsValid() || CloseHandle(m_Handle) != 0;
        m_Handle = p_Handle;
        return closed;
    }

private:
    HANDLE m_Handle = INVALID_HANDLE_VALUE;
};
} // namespace Lib

#pragma once
// The status a process reports after the engine's fatal end (_Exit(-1)): Linux hands its parent
// the low byte, Windows the whole 32-bit value.
namespace TestSupport
{
#ifdef _WIN32
inline constexpr int k_FatalExitStatus = -1;
#else
inline constexpr int k_FatalExitStatus = 255;
#endif
} // namespace TestSupport

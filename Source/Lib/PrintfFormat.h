#pragma once
// Lets the compiler check the format strings of the engine's printf-style functions. MinGW's
// "printf" names Microsoft's dialect, which lacks %zu and %lld; the engine formats with the C++
// runtime's standard vsnprintf on every system, so the standard dialect is the one to check.
#if defined(__MINGW32__)
#define LIB_PRINTF_FORMAT(p_FormatIndex, p_FirstArgument)                                                    \
    __attribute__((format(gnu_printf, p_FormatIndex, p_FirstArgument)))
#else
#define LIB_PRINTF_FORMAT(p_FormatIndex, p_FirstArgument)                                                    \
    __attribute__((format(printf, p_FormatIndex, p_FirstArgument)))
#endif

#pragma once
// The versions of the libraries the engine is built against, read from their headers at build
// time, and the real build date.
#include <cstdint>

namespace Telvar
{
struct LibraryVersions
{
    const char* glm;      // "GLM: version 0.9.9.8"
    const char* stbImage; // "2.27"
    uint32_t freeTypeMajor, freeTypeMinor, freeTypePatch;
    const char* lua;       // "Lua 5.4.4"
    const char* imGui;     // "1.86"
    const char* buildDate; // "Dec 10 2026", as the compiler's __DATE__ writes it
};

const LibraryVersions& GetLibraryVersions();
} // namespace Telvar

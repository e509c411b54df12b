# What the Windows build (cmake/Toolchain-MinGW-w64.cmake) needs besides the libraries of its
# dependency cache. Included by the top-level CMakeLists.txt after the common packages are found.

# The cache holds SDL2 as a static library only: the whole engine names it SDL2::SDL2, as on Linux.
if(NOT TARGET SDL2::SDL2 AND TARGET SDL2::SDL2-static)
  set_target_properties(SDL2::SDL2-static PROPERTIES IMPORTED_GLOBAL TRUE)
  add_library(SDL2::SDL2 ALIAS SDL2::SDL2-static)
endif()

# Vulkan's headers come from their Debian package, as on Linux (the dependency cache holds glm and
# stb). The host's /usr/include cannot be searched as a whole in a cross build (its C library
# headers are Linux's), so the two folders are linked into one of their own that is searched.
set(VORL_HOST_HEADERS "${CMAKE_BINARY_DIR}/HostHeaders")
foreach(folder vulkan vk_video)
  if(NOT EXISTS "/usr/include/${folder}")
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/setup.sh")
  endif()
  if(NOT EXISTS "${VORL_HOST_HEADERS}/${folder}")
    file(MAKE_DIRECTORY "${VORL_HOST_HEADERS}")
    file(CREATE_LINK "/usr/include/${folder}" "${VORL_HOST_HEADERS}/${folder}" SYMBOLIC)
  endif()
endforeach()
include_directories(SYSTEM "${VORL_HOST_HEADERS}")
add_library(VorlVulkanHeaders INTERFACE)

# Wide-character Win32 calls everywhere; the API level of Windows 10, the oldest system the game
# is built for; and no min/max macros from windows.h.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

# vorl.exe carries a manifest and an icon (Packaging/windows/vorl.rc), compiled by windres.
enable_language(RC)

# GCC 12 reports overlapping copies inside libstdc++'s own string code at -O2 and above, where no
# copy overlaps (GCC bug 105329); the warning is kept on Linux, where the same code does not raise it.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)

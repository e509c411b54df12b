# The licence texts shown on the about menu's licences page, in the page's order. Each entry has
# the library name of its banner, a line saying what the entry covers in this program, and the
# files its text is read from: the Debian copyright files of the packages that scripts/setup.sh
# installs, or a text from /usr/share/common-licenses/.
set(VORL_LICENCE_NAMES
  edid_license freetype2_license glm_license imgui_license lua_license notosans_apache_license
  notosans_ofl_license opengl_license stb_image_license vulkan_license
  sdl2_license fontconfig_license xrandr_license)

set(VORL_LICENCE_edid_license_LIBRARY "edid")
set(VORL_LICENCE_edid_license_COVERS
  "No EDID library is linked: the engine decodes a monitor's EDID block with its own code and reads the block from the display server through the X Resize and Rotate extension library (libXrandr), whose licence follows.")
set(VORL_LICENCE_edid_license_FILES /usr/share/doc/libxrandr-dev/copyright)

set(VORL_LICENCE_freetype2_license_LIBRARY "FreeType 2")
set(VORL_LICENCE_freetype2_license_COVERS
  "FreeType 2 (libfreetype6); linked only to print its version at start-up.")
set(VORL_LICENCE_freetype2_license_FILES /usr/share/doc/libfreetype-dev/copyright)

set(VORL_LICENCE_glm_license_LIBRARY "GLM")
set(VORL_LICENCE_glm_license_COVERS
  "OpenGL Mathematics (GLM), a header-only library: vectors and matrices of transforms and the camera.")
set(VORL_LICENCE_glm_license_FILES /usr/share/doc/libglm-dev/copyright)

set(VORL_LICENCE_imgui_license_LIBRARY "Dear ImGui")
set(VORL_LICENCE_imgui_license_COVERS
  "Dear ImGui with its SDL2 and OpenGL 3 back ends (libimgui): the GUI toolkit's drawing and font back end, including its built-in ProggyClean font.")
set(VORL_LICENCE_imgui_license_FILES /usr/share/doc/libimgui-dev/copyright)

set(VORL_LICENCE_lua_license_LIBRARY "Lua")
set(VORL_LICENCE_lua_license_COVERS "Lua 5.4 (liblua5.4): the script host.")
set(VORL_LICENCE_lua_license_FILES /usr/share/doc/liblua5.4-dev/copyright)

set(VORL_LICENCE_notosans_apache_license_LIBRARY "Noto Sans (Apache License 2.0)")
set(VORL_LICENCE_notosans_apache_license_COVERS
  "Releases of the Noto fonts up to 2015 were published under the Apache License 2.0, whose text follows. The Noto Sans that Debian installs (fonts-noto-core) and this program finds at run time is licensed under the SIL Open Font License 1.1: see the next entry.")
set(VORL_LICENCE_notosans_apache_license_FILES /usr/share/common-licenses/Apache-2.0)

set(VORL_LICENCE_notosans_ofl_license_LIBRARY "Noto Sans (SIL Open Font License 1.1)")
set(VORL_LICENCE_notosans_ofl_license_COVERS
  "Noto Sans (fonts-noto-core), the default UI font, read at run time from the system's font folder; it is not compiled into the program.")
set(VORL_LICENCE_notosans_ofl_license_FILES /usr/share/doc/fonts-noto-core/copyright)

set(VORL_LICENCE_opengl_license_LIBRARY "OpenGL")
set(VORL_LICENCE_opengl_license_COVERS
  "OpenGL is reached through the vendor-neutral dispatch library libglvnd (libGL); the driver behind it is loaded by the system at run time and is not linked. The text is libglvnd's, which also covers the Khronos API headers.")
set(VORL_LICENCE_opengl_license_FILES /usr/share/doc/libgl-dev/copyright)

set(VORL_LICENCE_stb_image_license_LIBRARY "stb_image")
set(VORL_LICENCE_stb_image_license_COVERS
  "stb_image and stb_image_write (libstb): PNG decoding of images and PNG encoding of screenshots.")
set(VORL_LICENCE_stb_image_license_FILES /usr/share/doc/libstb-dev/copyright)

set(VORL_LICENCE_vulkan_license_LIBRARY "Vulkan")
set(VORL_LICENCE_vulkan_license_COVERS
  "The Vulkan headers, and the Vulkan loader (libvulkan1), which the Vulkan device probe opens at run time: it is not linked.")
set(VORL_LICENCE_vulkan_license_FILES /usr/share/doc/libvulkan-dev/copyright)

set(VORL_LICENCE_sdl2_license_LIBRARY "SDL2")
set(VORL_LICENCE_sdl2_license_COVERS
  "Simple DirectMedia Layer 2 (libsdl2): the window, input, monitors, display modes and the OpenGL context of this port.")
set(VORL_LICENCE_sdl2_license_FILES /usr/share/doc/libsdl2-dev/copyright)

set(VORL_LICENCE_fontconfig_license_LIBRARY "fontconfig")
set(VORL_LICENCE_fontconfig_license_COVERS
  "fontconfig (libfontconfig1): finding the system's font files by name in this port.")
set(VORL_LICENCE_fontconfig_license_FILES /usr/share/doc/libfontconfig-dev/copyright)

set(VORL_LICENCE_xrandr_license_LIBRARY "XRandR")
set(VORL_LICENCE_xrandr_license_COVERS
  "The X Resize and Rotate extension library (libXrandr): the monitors' EDID data in this port.")
set(VORL_LICENCE_xrandr_license_FILES /usr/share/doc/libxrandr-dev/copyright)

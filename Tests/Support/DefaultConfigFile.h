#pragma once
#include <string>

namespace TestSupport
{
// What a first start leaves on disk, line for line.
inline const std::string k_DefaultConfigFile = R"cfg(// contains game configuration data
bind TAB "+scores"
bind ESCAPE "togglemenu"
bind ~ "toggleconsole"
bind PAUSE "pause"
bind UP_ARROW "+moveup"
bind DOWN_ARROW "+movedown"
bind LEFT_ARROW "+moveleft"
bind RIGHT_ARROW "+moveright"
bind SHIFT "+speed"
bind F11 "screenshot"
set r_customwidth "1280"
set r_customheight "720"
set r_fullscreen "0"
set r_fps "1"
set r_points "1"
set r_renderer "0"
set r_gpu "0"
set r_currentmonitor "0"
set r_windowmode "0"
set g_vsync "1"
set language "English"
set grid_mode "2"
set game_speed "8"
// r_renderer values:   0 OpenGL, 1 Vulkan, 2 Direct3D (not implemented), 3 DefaultOpenGL_UserInterface (not implemented), 4 SoftwareRenderer (not implemented)
// r_windowmode values: 0 windowed (non exclusive), 1 fullscreen exclusive, 2 fullscreen windowed (non exclusive), maximised (non exclusive)
// window modes this build can show:
// - Fullscreen exclusive
// - Fullscreen windowed
// - Maximised window    // Todo: Implement a maximise mode
// - Windowed
set r_framecap "0"
set g_turnbuffer "0"
set g_fairstart "0"
set g_autopause "0"
set g_attract "0"
set s_volume "60"
set s_mute "0"
set r_multisample "auto"
set g_botwait "50"
)cfg";
} // namespace TestSupport

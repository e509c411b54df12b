# Windows resources of vorl.exe: the application manifest (vorl.manifest, through vorl.rc) and,
# when ICON_PNG names an image, the icon Explorer shows, made of it in the sizes Explorer asks for
# by ImageMagick. Needs the RC language (windres with MinGW):
#
#   vorl_windows_resources(vorl ICON_PNG Resources/Images/snake_head.png)
function(vorl_windows_resources target)
  cmake_parse_arguments(ARG "" "ICON_PNG" "" ${ARGN})
  set(folder "${PROJECT_SOURCE_DIR}/Packaging/windows")
  set(rc "${folder}/vorl.rc")
  set(depends "${folder}/vorl.manifest")
  set_property(SOURCE "${rc}" APPEND PROPERTY INCLUDE_DIRECTORIES "${folder}")
  if(ARG_ICON_PNG)
    find_program(VORL_MAGICK_CONVERT convert REQUIRED)
    set(iconFolder "${CMAKE_CURRENT_BINARY_DIR}/windows-icon")
    add_custom_command(
      OUTPUT "${iconFolder}/vorl.ico"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${iconFolder}"
      COMMAND ${VORL_MAGICK_CONVERT} "${ARG_ICON_PNG}" -define icon:auto-resize=256,64,48,32,16
              "${iconFolder}/vorl.ico"
      DEPENDS "${ARG_ICON_PNG}"
      COMMENT "Packing the application icon for Windows"
      VERBATIM)
    list(APPEND depends "${iconFolder}/vorl.ico")
    set_property(SOURCE "${rc}" APPEND PROPERTY INCLUDE_DIRECTORIES "${iconFolder}")
    set_property(SOURCE "${rc}" APPEND PROPERTY COMPILE_DEFINITIONS VORL_ICON)
  endif()
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS ${depends})
  target_sources(${target} PRIVATE "${rc}")
endfunction()

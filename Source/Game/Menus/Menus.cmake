# The menus of the game library, with the two texts they are given at build time: the build stamp
# and the licence texts of the libraries. Included by Source/Game/CMakeLists.txt after the Game
# library is declared.
set(menuGenerated "${CMAKE_BINARY_DIR}/Generated/Menus")

include("${CMAKE_CURRENT_LIST_DIR}/LicenceTable.cmake")
set(licenceInputs "")
foreach(name IN LISTS VORL_LICENCE_NAMES)
  list(APPEND licenceInputs ${VORL_LICENCE_${name}_FILES})
endforeach()
list(REMOVE_DUPLICATES licenceInputs)
add_custom_command(
  OUTPUT "${menuGenerated}/LicenceTexts.cpp"
  COMMAND ${CMAKE_COMMAND} -DTABLE=${CMAKE_CURRENT_LIST_DIR}/LicenceTable.cmake
          -DOUTPUT=${menuGenerated}/LicenceTexts.cpp -P ${PROJECT_SOURCE_DIR}/cmake/LicenceTexts.cmake
  DEPENDS "${CMAKE_CURRENT_LIST_DIR}/LicenceTable.cmake" "${PROJECT_SOURCE_DIR}/cmake/LicenceTexts.cmake"
          "${PROJECT_SOURCE_DIR}/cmake/LicenceText.cmake"
          ${licenceInputs}
  COMMENT "Collecting the licence texts"
  VERBATIM)

# The stamp is taken again whenever a source or resource of the program changes or a commit is
# made, so a build that changes nothing stays a build that does nothing.
file(GLOB_RECURSE stampInputs CONFIGURE_DEPENDS
  "${PROJECT_SOURCE_DIR}/Source/*.cpp" "${PROJECT_SOURCE_DIR}/Source/*.h"
  "${PROJECT_SOURCE_DIR}/Resources/*")
find_program(GIT_EXECUTABLE git)
if(GIT_EXECUTABLE)
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" rev-parse --absolute-git-dir
                  OUTPUT_VARIABLE gitDir RESULT_VARIABLE gitResult ERROR_QUIET
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(gitResult EQUAL 0 AND EXISTS "${gitDir}/logs/HEAD")
    list(APPEND stampInputs "${gitDir}/logs/HEAD")
  endif()
endif()
add_custom_command(
  OUTPUT "${menuGenerated}/BuildStamp.cpp"
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUTPUT=${menuGenerated}/BuildStamp.cpp
          -P ${PROJECT_SOURCE_DIR}/cmake/BuildStamp.cmake
  DEPENDS "${PROJECT_SOURCE_DIR}/cmake/BuildStamp.cmake" ${stampInputs}
  COMMENT "Taking the build stamp"
  VERBATIM)

target_sources(Game PRIVATE
  Menus/AboutMenu.cpp
  Menus/AboutMenuRecords.cpp
  Menus/GUIHandler.cpp
  Menus/MenuPanelStyle.cpp
  Menus/TabbedMenuKit.cpp
  Menus/KeyAssignment.cpp
  Menus/OptionsMenu.cpp
  Menus/OptionsMenuGraphics.cpp
  Menus/OptionsMenuLayout.cpp
  Menus/OptionsModel.cpp
  Menus/SpokenKeyName.cpp
  Menus/SoundOptions.cpp
  Menus/StartMenu.cpp
  "${menuGenerated}/BuildStamp.cpp"
  "${menuGenerated}/LicenceTexts.cpp")

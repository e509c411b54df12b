# Runs at install time (install(SCRIPT)), when the prefix is known even if it was given only to
# `cmake --install --prefix`: the launcher and the desktop entry name absolute paths under it.
# Expects VORL_PACKAGING_SOURCE, VORL_BINDIR, VORL_LIBEXECDIR, VORL_DATADIR and VORL_WINDOW_CLASS.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(VORL_INSTALLED_EXECUTABLE "${prefix}/${VORL_BINDIR}/vorl")
set(VORL_INSTALLED_LAUNCHER "${prefix}/${VORL_LIBEXECDIR}/vorl/vorl-launcher")

function(vorl_install_configured template destination permissions)
  set(target "$ENV{DESTDIR}${prefix}/${destination}")
  message(STATUS "Installing: ${target}")
  get_filename_component(folder "${target}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  configure_file("${VORL_PACKAGING_SOURCE}/${template}" "${target}" @ONLY FILE_PERMISSIONS ${permissions})
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

vorl_install_configured(vorl-launcher.in "${VORL_LIBEXECDIR}/vorl/vorl-launcher"
  "OWNER_READ;OWNER_WRITE;OWNER_EXECUTE;GROUP_READ;GROUP_EXECUTE;WORLD_READ;WORLD_EXECUTE")
vorl_install_configured(com.kestrova.vorl.desktop.in "${VORL_DATADIR}/applications/com.kestrova.vorl.desktop"
  "OWNER_READ;OWNER_WRITE;GROUP_READ;WORLD_READ")

# Debian keeps games in /usr/games; the program stays in bin/ and is found there as well.
set(gamesLink "$ENV{DESTDIR}${prefix}/games/vorl")
file(RELATIVE_PATH linkTarget "${prefix}/games" "${VORL_INSTALLED_EXECUTABLE}")
message(STATUS "Installing: ${gamesLink} -> ${linkTarget}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${prefix}/games")
file(CREATE_LINK "${linkTarget}" "${gamesLink}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${gamesLink}")

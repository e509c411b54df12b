# vorl_layer(<target> <folder>)
#
# Makes the library <target> the layer of Source/<folder> (such as "Corvan/Window"). Sources keep
# including from the tree's root ("Corvan/Window/IWindow.h"), but the include directory the
# library hands on holds <folder> alone: a link to it inside a folder of the build tree. A library
# therefore sees its own layer and the layers it links, and an include of a layer above it fails
# to compile. ARCHITECTURE.md lists the layers in order; a test checks the includes against it.
function(vorl_layer target folder)
  set(root "${CMAKE_BINARY_DIR}/LayerIncludes/${target}")
  set(link "${root}/${folder}")
  get_filename_component(parent "${link}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/Source/${folder}" "${link}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()

# SPDX-License-Identifier: GPL-3.0-or-later
# rp_library(NAME FOLDER [LINKS libs...] [PRIVATE_LINKS libs...]): the static
# library of src/FOLDER/*.cpp, linking LINKS publicly.
#
# Each library has an include root of its own that holds only its folder: a
# file includes "FOLDER/Name.h", and only the roots of the library itself and
# of the libraries it links are on its include path, so an include from a
# folder it may not use fails to build. The root is a folder in the build
# tree with one link, FOLDER, to the sources.
function(rp_include_root target folder source_dir)
  set(root "${CMAKE_BINARY_DIR}/include-roots/${folder}")
  file(MAKE_DIRECTORY "${root}")
  if(NOT EXISTS "${root}/${folder}")
    file(CREATE_LINK "${source_dir}" "${root}/${folder}" SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${root}")
  else()
    target_include_directories(${target} PUBLIC "${root}")
  endif()
endfunction()

function(rp_library name folder)
  cmake_parse_arguments(L "" "" "LINKS;PRIVATE_LINKS" ${ARGN})
  set(dir "${PROJECT_SOURCE_DIR}/src/${folder}")
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${L_LINKS} PRIVATE ${L_PRIVATE_LINKS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_LINKS})
  endif()
  rp_include_root(${name} ${folder} "${dir}")
endfunction()

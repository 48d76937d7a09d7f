# SPDX-License-Identifier: GPL-3.0-or-later
# One folder of src/ is one library, and its headers are reached as "folder/Header.h" only by
# code that links the library: each library exports an include root of its own that holds just
# a link to its folder. A layer that includes a header of a library it does not link (a higher
# one) fails to compile.
function(vandrix_layer target folder)
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

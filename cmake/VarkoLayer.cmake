# SPDX-License-Identifier: GPL-3.0-or-later
# varko_layer_headers(<target> <layer>)
# Publishes the target's folder as "<layer>/..." to the targets that link it,
# so that an include names the layer a header comes from and a target sees only
# the headers of the layers it links.
function(varko_layer_headers target layer)
  set(root ${CMAKE_BINARY_DIR}/include/${layer})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${layer} SYMBOLIC)
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  elseif(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# The layers of src/, lowest first. A layer's library links, and its sources
# include, only the layers before it; the core (every layer up to commands)
# knows no user-interface toolkit. vorbel_check_layers() fails the
# configuration when a library's links break this, and the target
# vorbel_layer_check fails the build when a source includes a higher layer or
# the toolkit from the core.
set(VORBEL_LAYERS base document gdi codecs render layout desktop help commands controls ui app)
set(VORBEL_CORE_LAYERS base document gdi codecs render layout desktop help commands)

# Every library `target` reaches through its links, itself excluded.
function(_vorbel_link_closure target out)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(NOT TARGET ${current})
      continue()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    set(links)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(value ${current} ${property})
      if(value)
        list(APPEND links ${value})
      endif()
    endforeach()
    foreach(link ${links})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(NOT link IN_LIST seen AND NOT link STREQUAL target)
        list(APPEND seen ${link})
        list(APPEND queue ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Checks every library made by vorbel_library: it may reach only libraries of
# lower layers, and a core library (or one marked VORBEL_NO_TOOLKIT) no Qt.
function(vorbel_check_layers)
  get_property(libraries GLOBAL PROPERTY VORBEL_LIBRARIES)
  foreach(library ${libraries})
    get_target_property(layer ${library} VORBEL_LAYER)
    list(FIND VORBEL_LAYERS ${layer} rank)
    if(rank LESS 0)
      message(FATAL_ERROR "${library}: unknown layer ${layer}")
    endif()
    get_target_property(no_toolkit ${library} VORBEL_NO_TOOLKIT)
    if(layer IN_LIST VORBEL_CORE_LAYERS)
      set(no_toolkit TRUE)
    endif()
    _vorbel_link_closure(${library} reached)
    foreach(link ${reached})
      if(no_toolkit AND link MATCHES "^Qt")
        message(FATAL_ERROR "layering: ${library} (layer ${layer}) reaches the toolkit through ${link}")
      endif()
      if(TARGET ${link})
        get_target_property(other ${link} VORBEL_LAYER)
        if(other)
          list(FIND VORBEL_LAYERS ${other} other_rank)
          if(NOT other_rank LESS rank)
            message(FATAL_ERROR "layering: ${library} (layer ${layer}) reaches ${link} (layer ${other})")
          endif()
        endif()
      endif()
    endforeach()
  endforeach()

  # The includes, checked at build time whenever a source changes.
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.cpp)
  set(stamp ${CMAKE_BINARY_DIR}/vorbel_layer_check.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/src
            "-DLAYERS=${VORBEL_LAYERS}" "-DCORE_LAYERS=${VORBEL_CORE_LAYERS}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMENT "Checking that every source includes only lower layers"
    VERBATIM)
  add_custom_target(vorbel_layer_check ALL DEPENDS ${stamp})
endfunction()

# Version strings embedded in a program file.
#
# vorbel_embed_version(target [DESCRIPTION text]) adds a generated source to an
# executable that places its version strings in the ELF section
# ".vorbel_version" as "Key=Value\0" pairs. GetVersionInfoString() reads them
# back from the file on disk, so a copied or moved program file still tells
# its version.
set(VORBEL_COMPANY_NAME "The Vorbel developers")
set(VORBEL_COPYRIGHT "Copyright (C) 2026 The Vorbel developers")
set(VORBEL_PRODUCT_NAME "Vorbel")
set(_vorbel_version_template ${CMAKE_CURRENT_LIST_DIR}/vorbel_version_info.cpp.in)

function(vorbel_embed_version target)
  cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
  if(NOT ARG_DESCRIPTION)
    set(ARG_DESCRIPTION "${PROJECT_DESCRIPTION}")
  endif()
  # Values go into C string literals: escape backslashes and quotes.
  foreach(var VORBEL_COMPANY_NAME VORBEL_COPYRIGHT VORBEL_PRODUCT_NAME ARG_DESCRIPTION)
    string(REPLACE "\\" "\\\\" _escaped "${${var}}")
    string(REPLACE "\"" "\\\"" _escaped "${_escaped}")
    set(VERSION_${var} "${_escaped}")
  endforeach()
  set(VERSION_FILE_VERSION "${PROJECT_VERSION}")
  set(VERSION_INTERNAL_NAME "${target}")
  set(configured ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_info.cpp.in)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_info.cpp)
  configure_file(${_vorbel_version_template} ${configured} @ONLY)
  # The file name is known only at generation time.
  file(GENERATE OUTPUT ${generated} INPUT ${configured})
  target_sources(${target} PRIVATE ${generated})
endfunction()

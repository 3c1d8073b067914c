# The layout-file reader: arbitrary bytes as a layout file, then a save and a
# second read that must give the same document.
vorbel_fuzzer(fuzz_layout
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_layout.cpp
  LINKS vorbel_files
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/layout)

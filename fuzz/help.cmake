# The help-document parser: the help file is read from disk at run time.
vorbel_fuzzer(fuzz_help
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_help.cpp
  LINKS vorbel_help
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/help)

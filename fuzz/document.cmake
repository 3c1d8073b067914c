# Property-string lookup and the colour, integer and offset conversions.
vorbel_fuzzer(fuzz_propstring
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_propstring.cpp
  LINKS vorbel_document
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/propstring)

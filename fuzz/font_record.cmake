# The record of font matches kept in the user's cache.
vorbel_fuzzer(fuzz_font_record
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_font_record.cpp
  LINKS vorbel_gdi
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/font_record)

# Text drawing: face names, sizes, escapements and captions from the input.
vorbel_fuzzer(fuzz_text
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_text.cpp
  LINKS vorbel_gdi
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/text)

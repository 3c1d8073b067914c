# The picture decoders: BMP files of any kind, and the JPEG path through libjpeg.
vorbel_fuzzer(fuzz_bmp
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_bmp.cpp ${CMAKE_CURRENT_SOURCE_DIR}/picture_check.h
  LINKS vorbel_picture
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/bmp)

vorbel_fuzzer(fuzz_jpeg
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_jpeg.cpp ${CMAKE_CURRENT_SOURCE_DIR}/picture_check.h
  LINKS vorbel_picture
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/jpeg)

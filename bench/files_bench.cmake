# Picture decoding (done anew on every render pass) and the export writers.
vorbel_bench(files_bench
  SOURCES files_bench.cpp
  LINKS vorbel_picture vorbel_imagewrite
)

# Picture decoding (done anew on every render pass) and the export writers.
vorbel_bench(files_bench
  SOURCES files_bench.cpp
  LINKS vorbel_picture vorbel_imagewrite
)

# Export of a drawn button, from a render pass to the written file.
vorbel_bench(export_bench
  SOURCES export_bench.cpp
  LINKS vorbel_files
)

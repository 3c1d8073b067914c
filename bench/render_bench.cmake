vorbel_bench(render_bench
  SOURCES render_bench.cpp
  LINKS vorbel_render vorbel_imagewrite
)

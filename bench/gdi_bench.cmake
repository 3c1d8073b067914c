set(VORBEL_GDI_BENCH_SOURCES
  gdi_bench.cpp
)
# ---- Text benchmarks: listed here by the fonts-and-text work.
set(VORBEL_GDI_TEXT_BENCH_SOURCES
  gdi_text_bench.cpp
)
# ---- end of text benchmarks

vorbel_bench(gdi_bench
  SOURCES ${VORBEL_GDI_BENCH_SOURCES} ${VORBEL_GDI_TEXT_BENCH_SOURCES}
  LINKS vorbel_gdi
)

# `vorbel --export` and `vorbel --thumbnail` as whole processes, and a small
# Cairo program drawing the same full-HD button and writing it with libpng or
# giflib as the yardstick (only when Cairo is installed; it is no part of
# Vorbel).
vorbel_bench(process_bench SOURCES process_bench.cpp)
add_dependencies(process_bench vorbel)
target_compile_definitions(process_bench PRIVATE VORBEL_PROGRAM="$<TARGET_FILE:vorbel>"
                                                 VORBEL_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
pkg_check_modules(CAIRO IMPORTED_TARGET cairo)
if(CAIRO_FOUND)
  add_executable(cairo_button cairo_button.c)
  target_link_libraries(cairo_button PRIVATE PkgConfig::CAIRO GIF::GIF m)
  add_dependencies(process_bench cairo_button)
  target_compile_definitions(process_bench PRIVATE CAIRO_BUTTON_PROGRAM="$<TARGET_FILE:cairo_button>")
endif()

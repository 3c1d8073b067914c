/* The yardstick for a whole-process export: a small Cairo program that draws
 * the full-HD button of process_bench (a silver rounded rectangle with 3D
 * edges, a bevel, a 48-point caption with shadow and outline) and writes it as
 * PNG. Built with the benchmarks only; not part of Vorbel.
 *
 *   cairo_button OUT.png
 */
#include <cairo.h>
#include <math.h>
#include <stdio.h>

enum { kWidth = 1920, kHeight = 1080 };

static void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

/* Light edges at the top and left, dark ones at the bottom and right. */
static void Edges(cairo_t* cr, double inset, double light, double dark) {
  const double l = inset + 0.5, t = inset + 0.5, r = kWidth - inset - 0.5, b = kHeight - inset - 0.5;
  cairo_set_source_rgb(cr, light, light, light);
  cairo_move_to(cr, l, b);
  cairo_line_to(cr, l, t);
  cairo_line_to(cr, r, t);
  cairo_stroke(cr);
  cairo_set_source_rgb(cr, dark, dark, dark);
  cairo_move_to(cr, r, t);
  cairo_line_to(cr, r, b);
  cairo_line_to(cr, l, b);
  cairo_stroke(cr);
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
    return 2;
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
  cairo_t* cr = cairo_create(surface);
  /* Two-colour drawing, as the exporter's. */
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);

  cairo_set_source_rgb(cr, 1, 1, 1); /* the work area */
  cairo_paint(cr);
  RoundedRectangle(cr, 0, 0, kWidth, kHeight, 10);
  cairo_set_source_rgb(cr, 0.75, 0.75, 0.75);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  Edges(cr, 1, 1.0, 0.5); /* 3D shading */
  Edges(cr, 0, 1.0, 0.5); /* the bevel */

  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 64);
  const char* caption = "E-Mail me";
  cairo_set_source_rgb(cr, 0.75, 0.75, 0.75); /* shadow */
  cairo_move_to(cr, 17, 68);
  cairo_show_text(cr, caption);
  cairo_move_to(cr, 15, 66); /* outline */
  cairo_text_path(cr, caption);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_move_to(cr, 15, 66);
  cairo_show_text(cr, caption);

  const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    fprintf(stderr, "%s: %s\n", argv[1], cairo_status_to_string(status));
    return 1;
  }
  return 0;
}

/* The yardstick for a whole-process export: a small Cairo program that draws
 * the full-HD button of process_bench (a silver rounded rectangle with 3D
 * edges, a bevel, a 48-point caption with shadow and outline) and writes it as
 * PNG, or, for a name ending in ".gif", as a GIF through giflib with its
 * colours reduced to the 216 web colours and the white work area transparent,
 * as Vorbel writes it. Built with the benchmarks only; not part of Vorbel.
 *
 *   cairo_button OUT.png|OUT.gif
 */
#include <cairo.h>
#include <gif_lib.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

/* Writes the surface as a GIF: a 256-entry table of the 216 web colours (index
 * r * 36 + g * 6 + b of levels 0 to 5, as Vorbel reduces them) padded with
 * black, the last entry the transparent one that the white work area takes;
 * giflib compresses the rows. */
static int WriteGif(cairo_surface_t* surface, const char* path) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  enum { kTransparent = 255 };
  unsigned char level[256];
  for (int c = 0; c < 256; ++c) level[c] = (unsigned char)((c + 3) / 51);
  GifColorType colours[256];
  memset(colours, 0, sizeof colours);
  for (int i = 0; i < 216; ++i) {
    colours[i].Red = (GifByteType)(i / 36 * 51);
    colours[i].Green = (GifByteType)(i / 6 % 6 * 51);
    colours[i].Blue = (GifByteType)(i % 6 * 51);
  }
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path, false, &error);
  if (gif == NULL) {
    fprintf(stderr, "%s: %s\n", path, GifErrorString(error));
    return 1;
  }
  ColorMapObject* map = GifMakeMapObject(256, colours);
  GifPixelType* line = malloc(kWidth);
  const GifByteType control[4] = {0x01, 0, 0, kTransparent};
  int ok = map != NULL && line != NULL;
  EGifSetGifVersion(gif, true);
  ok = ok && EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map) == GIF_OK;
  ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof control, control) == GIF_OK;
  ok = ok && EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, NULL) == GIF_OK;
  for (int y = 0; ok && y < kHeight; ++y) {
    const uint32_t* row = (const uint32_t*)(data + (size_t)y * (size_t)stride);
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t p = row[x] & 0xFFFFFF;
      line[x] = p == 0xFFFFFF ? kTransparent
                              : (GifPixelType)(level[p >> 16] * 36 + level[(p >> 8) & 0xFF] * 6 + level[p & 0xFF]);
    }
    ok = EGifPutLine(gif, line, kWidth) == GIF_OK;
  }
  if (!ok) fprintf(stderr, "%s: %s\n", path, GifErrorString(gif->Error));
  if (EGifCloseFile(gif, &error) != GIF_OK && ok) {
    fprintf(stderr, "%s: %s\n", path, GifErrorString(error));
    ok = 0;
  }
  GifFreeMapObject(map);
  free(line);
  return ok ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUT.png|OUT.gif\n", argv[0]);
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

  const size_t length = strlen(argv[1]);
  if (length >= 4 && strcmp(argv[1] + length - 4, ".gif") == 0) {
    const int result = WriteGif(surface, argv[1]);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return result;
  }
  const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    fprintf(stderr, "%s: %s\n", argv[1], cairo_status_to_string(status));
    return 1;
  }
  return 0;
}

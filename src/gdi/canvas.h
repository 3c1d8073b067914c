#pragma once
// A drawing context on a Bitmap with the state and pixel rules of the classic
// Windows graphics interface: the state (pen, brush, font, background mode,
// current position) is kept between calls until it is changed.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/color.h"
#include "gdi/bitmap.h"
#include "gdi/raster.h"

namespace vorbel::gdi {

enum class BrushStyle { Solid, Clear };
enum class BkMode { Transparent, Opaque };
// How a copied pixel combines with the destination pixel.
enum class RasterOp { Copy, Xor, And };

// Pixels a brush fills, row by row: row top + i holds rows[i].
struct FillRegion {
  int top = 0;
  std::vector<raster::Span> rows;
};

class Canvas {
 public:
  // Binds to `target`, which must outlive the canvas. The canvas keeps its
  // state when the target is resized.
  explicit Canvas(Bitmap& target) : target_(&target) {}

  Bitmap& Target() { return *target_; }
  const Bitmap& Target() const { return *target_; }

  // ---- state: every setter keeps everything else as it was ----
  // The pen: always solid. Widths 0 and 1 both draw one-pixel lines; a
  // negative width counts as 1.
  void SetPenColor(base::Color c) { pen_color_ = c; }
  base::Color PenColor() const { return pen_color_; }
  void SetPenWidth(int w) { pen_width_ = w; }
  int PenWidth() const { return pen_width_; }
  // The brush: setting its colour makes it solid; a clear brush fills nothing.
  void SetBrushColor(base::Color c) {
    brush_color_ = c;
    brush_style_ = BrushStyle::Solid;
  }
  base::Color BrushColor() const { return brush_color_; }
  void SetBrushStyle(BrushStyle s) { brush_style_ = s; }
  BrushStyle GetBrushStyle() const { return brush_style_; }
  // The font: face name, size in points, colour; always the regular style.
  void SetFontName(std::string face) { font_name_ = std::move(face); }
  const std::string& FontName() const { return font_name_; }
  void SetFontSize(int points) { font_size_ = points; }
  int FontSize() const { return font_size_; }
  void SetFontColor(base::Color c) { font_color_ = c; }
  base::Color FontColor() const { return font_color_; }
  // Text drawn this many times finer than it is laid out: the font size is
  // that many times the size whose layout text keeps (see GetFont with a
  // layout scale). 1, the default, lays text out at its own size.
  void SetTextLayoutScale(int scale) { text_layout_scale_ = scale; }
  int TextLayoutScale() const { return text_layout_scale_; }
  // The background behind text: left alone (transparent) or filled (opaque)
  // with the background colour.
  void SetBkMode(BkMode m) { bk_mode_ = m; }
  BkMode GetBkMode() const { return bk_mode_; }
  void SetBkColor(base::Color c) { bk_color_ = c; }
  base::Color BkColor() const { return bk_color_; }
  // The current position of MoveTo/LineTo.
  int PenX() const { return pen_x_; }
  int PenY() const { return pen_y_; }

  // ---- shapes ----
  // Rectangles passed to shapes cover x1..x2-1 and y1..y2-1; corners given in
  // either order are normalised first. Everything is clipped to the target.

  // Fills r with the brush; nothing when the brush is clear.
  void FillRect(const Rect& r);
  // Outline with the pen on the boundary of the area, inside filled with the
  // brush. A pen wider than one pixel is centred on the boundary, half of it
  // outside the area.
  void Rectangle(int x1, int y1, int x2, int y2);
  // The ellipse inscribed in the area, outlined and filled like Rectangle. A
  // one-pixel outline is closed, so a flood fill bounded by its colour stays
  // inside. A narrow, tall ellipse (3 x 8, 6 x 20 and taller) stops short of
  // the top and bottom of its area, and a 1 x 1 area draws nothing, as GDI
  // draws them.
  void Ellipse(int x1, int y1, int x2, int y2);
  // A rectangle whose corners are quarters of a cornerW x cornerH ellipse.
  void RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH);
  // The pixels RoundRect's brush fills for the same numbers, the target's
  // size aside. Empty where RoundRect draws a plain Rectangle instead
  // (corners of 2 pixels or less) or nothing.
  FillRegion RoundRectFill(int x1, int y1, int x2, int y2, int cornerW, int cornerH) const;
  // The same for Ellipse.
  FillRegion EllipseFill(int x1, int y1, int x2, int y2) const;
  // While set, the brush of Ellipse and RoundRect leaves out the pixels of
  // `region`: for a caller about to fill all of them opaquely, so that what
  // lies under them is not painted only to be painted over. Pens still draw
  // everywhere. An empty region ends it.
  void SetFillCoveredLater(FillRegion region) { covered_later_ = std::move(region); }
  // MoveTo sets the current position. LineTo draws from it to (x, y) with the
  // pen, then moves the current position to (x, y). A one-pixel pen paints
  // the first point and not the last; a wider pen is centred on the line with
  // round ends, and paints its disc for a line of no length.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // Fills with the brush the region of pixels four-connected to (x, y) that do
  // not have the colour `border`. Nothing when (x, y) lies outside the target
  // or has the border colour, or the brush is clear. Linear in the filled area.
  void FloodFill(int x, int y, base::Color border);

  // ---- bitmaps (all clipped to the target) ----
  // Copies src with its top-left corner at (x, y).
  void Draw(int x, int y, const Bitmap& src);
  // Like Draw, leaving out the pixels of src that equal `key`.
  void DrawTransparent(int x, int y, const Bitmap& src, Pixel key);
  // Draws all of src stretched to dst by nearest sampling: rows and columns
  // are repeated or dropped, never blended.
  void StretchDraw(const Rect& dst, const Bitmap& src);
  // Like StretchDraw, leaving out the sampled pixels that equal `key`.
  void StretchDrawTransparent(const Rect& dst, const Bitmap& src, Pixel key);
  // Combines srcRect of src into dst with `op`, stretching by nearest sampling
  // when the sizes differ. A two-colour src draws its black as 0 and its white
  // as all ones (0xFFFFFF), so And keeps the destination under white and clears
  // it under black. Drawing onto a two-colour target maps results to black and
  // white.
  void CopyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect, RasterOp op);

  // ---- text (implemented with the fonts, in canvas_text.cpp) ----
  // Draws utf8 with the font, its cell's top-left corner at (x, y); the
  // baseline turned by `escapement` tenths of a degree counter-clockwise.
  void TextOut(int x, int y, std::string_view utf8, int escapement = 0);
  // The width and height of utf8's cell in the font.
  Size TextExtent(std::string_view utf8) const;

 private:
  Bitmap* target_;
  base::Color pen_color_;  // black
  int pen_width_ = 1;
  base::Color brush_color_ = base::Color::FromRgb(255, 255, 255);
  BrushStyle brush_style_ = BrushStyle::Solid;
  std::string font_name_ = "MS Sans Serif";
  int font_size_ = 8;
  base::Color font_color_;  // black
  int text_layout_scale_ = 1;
  BkMode bk_mode_ = BkMode::Opaque;
  base::Color bk_color_ = base::Color::FromRgb(255, 255, 255);
  int pen_x_ = 0;
  int pen_y_ = 0;
  FillRegion covered_later_;
};

}  // namespace vorbel::gdi

#pragma once
// The render pass: redraws the whole button from the document onto the preview
// surface.

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "base/error.h"
#include "document/button_document.h"
#include "document/layer_row.h"
#include "document/layer_schema.h"
#include "gdi/bitmap.h"
#include "gdi/canvas.h"
#include "render/picture_cache.h"
#include "render/text_gradient.h"

namespace vorbel::render {

// What a call of RenderButton did.
enum class RenderResult {
  Drawn,        // the surface holds the document as it is now
  Suspended,    // the document is loading; nothing was drawn
  TooLarge,     // width x height is beyond what can be drawn; nothing was drawn
  OutOfMemory,  // there was no memory for a surface of that size; nothing was drawn
  Partial,      // the pass ran out of its budget (see PassBudget): the rows
                // before FirstRowLeftOut() are drawn, that row in part or not
                // at all, the rows after it not at all
};

// Runs `draw`, which draws the layer row `index`, so that a failure inside it
// ends that row only. The program's errors (a text that is no number, a font
// or picture that cannot be had) and std::bad_alloc (a layer too large for the
// memory) end the row quietly; any other exception is a programming error and
// goes to base::ReportUnexpectedError. True when the row was drawn to its end.
template <typename Draw>
bool DrawLayerRow(int index, Draw&& draw);

// The width of the picture that gradient captions are sampled from, the same
// in the window and on the command line: the main window's design width, which
// the picture once followed, so layouts keep the captions they had. (Its rows
// are all alike; its height plays no part.)
inline constexpr int kGradientPictureWidth = 508;

// The corner size of a background's rounded rectangle: 20, unless `Seed`
// holds something other than blanks; then the value converts as read, so a
// blank around a number raises ConversionError.
int RoundRectCorner(const document::BackgroundProperties& props);

// The box a caption's cell of width x height covers when it is turned by
// `escapement` (tenths of a degree), relative to its reference corner (the
// top-left corner of the upright cell): the upright cell itself for 0.
struct TurnedBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};
TurnedBox TurnedCellBox(double width, double height, int escapement);

// The largest scale a pass draws at.
inline constexpr int kMaxRenderScale = 4;

// The preview surface with its canvas, and the drawers of the four layer kinds.
// One renderer lives as long as the program (or one command-line run). Every
// pass starts from the state of a fresh canvas (a one-pixel black pen, a solid
// white brush, the default font, opaque text background), so a picture depends
// on its document alone; within a pass the canvas state (pen, brush, font,
// background mode) carries over from one drawing operation to the next, from
// layer to layer.
class ButtonRenderer {
 public:
  // Every pass is held to `limits` (see PassLimits).
  explicit ButtonRenderer(const PassLimits& limits = PassLimits());
  ButtonRenderer(const ButtonRenderer&) = delete;
  ButtonRenderer& operator=(const ButtonRenderer&) = delete;

  // One render pass: resets the canvas state, sizes the surface to the
  // button, fills it with the work-area colour, draws the border when the
  // document asks for it, then every visible row in list order through the
  // drawers its Type names. A failure inside a row ends that row only (see
  // DrawLayerRow); what it drew stays. A pass that runs out of its budget
  // ends there and is Partial.
  RenderResult RenderButton(const document::ButtonDocument& doc);
  // A pass at `scale` (1 to kMaxRenderScale; other values are taken as 1) for
  // screens of that many device pixels per pixel. The document's own numbers
  // are drawn as they are: a document made by ScaleDocument holds them
  // multiplied. The pass multiplies the measures the drawers take on their
  // own: the pen a pass starts with, the text margin and outline distance,
  // the bevel's and the 3D shading's lines, and the boxes of outlined shapes
  // (see ScaledShapeBox). A picture is taken from "NAME@<scale>x.EXT" beside
  // it when that file exists, else it is enlarged by the scale without
  // smoothing. A pass at scale 1 is exactly RenderButton(doc).
  //
  // Every pass ends with the picture's alpha: the surface keeps an alpha
  // plane, which the drawing marks wherever a layer or the border painted
  // (see gdi::Bitmap::KeepAlpha), and which the document's transparency rule
  // then decides (see ApplyTransparencyRule). With smooth edges
  // (document::ButtonDocument::Smooth) the pass draws the document at
  // gdi::kSmoothFactor times this scale (ScaleDocument, with the pass's own
  // measures multiplied as above) and reduces every block of the factor's
  // size to one pixel (gdi::ReduceBlocks): edges get partial alpha and
  // blended colours. A smooth button too large to draw at that size is drawn
  // with hard edges, and SmoothLeftOut() says so.
  RenderResult RenderButton(const document::ButtonDocument& doc, int scale);
  // After a pass: the document asks for smooth edges, but the button was too
  // large to draw at gdi::kSmoothFactor times its size, so its edges are hard;
  // and a sentence that tells the user so.
  bool SmoothLeftOut() const { return smooth_left_out_; }
  std::string SmoothLeftOutMessage() const;
  // The scale the drawers of the last pass drew at: the pass's scale, times
  // the smoothing factor for smooth edges.
  int Scale() const { return scale_; }
  // After a pass under Transparency::WorkAreaColor: how many pixels some
  // layer or the border painted in the work-area colour, which are
  // transparent (for smooth edges, in pixels of the picture, rounded up); 0
  // under Unpainted.
  std::int64_t PaintedWorkAreaPixels() const { return painted_work_area_pixels_; }
  RenderResult LastResult() const { return last_result_; }
  // After a Partial pass: the index of the first row that was not drawn to its
  // end, and a sentence that tells the user so.
  int FirstRowLeftOut() const { return first_row_left_out_; }
  std::string PartialMessage() const;
  // Pictures decoded since the renderer was made, those that failed
  // included (see PictureCache).
  int PictureDecodes() const { return pictures_.Decodes(); }

  const gdi::Bitmap& Surface() const { return surface_; }
  gdi::Canvas& Canvas() { return canvas_; }
  const gdi::Canvas& Canvas() const { return canvas_; }

  // ---- the steps of a pass (public for the commands and for tests) ----
  void PrepareWorkArea(const document::ButtonDocument& doc);
  void DrawImageBorder(const document::ButtonDocument& doc);
  void DrawBackgroundLayer(const document::LayerRow& row);
  void DrawTextLayer(const document::LayerRow& row);
  void DrawBevelLayer(const document::LayerRow& row);
  void DrawImageLayer(const document::LayerRow& row);
  // Draws text at (x, y) with the canvas font turned `angle` degrees
  // counter-clockwise about (x, y), level for an angle of 0 or less; the
  // canvas font itself is not changed.
  void DrawRotatedText(int x, int y, int angle, std::string_view text);

  // ---- text measuring and placement ----
  // The width or height of a text layer's caption in its font, as one line.
  // Both set the canvas font's face and size from the property string; a
  // FontSize that does not convert raises ConversionError.
  int GetTextLayerWidth(std::string_view props);
  int GetTextLayerHeight(std::string_view props);
  // Turns an alignment code (0 none, 1..9 from top left to bottom right by
  // rows) into a text layer's Left and Top texts for the document's button
  // size, placing the caption's cell (its width by its height, drawn 5 pixels
  // right of and below the offsets): 9 pixels from the left or top edge for
  // the first column or row ("4"), 9 pixels from the right or bottom edge for
  // the last, and centred for the middle (an odd pixel left over goes to the
  // right or bottom). Both are empty for code 0; the caption is measured only
  // where a placement needs it. Raises what the measuring raises, with both
  // results left empty. At a `scale` above 1 the document and the property
  // string are those of a pass at that scale (see ScaleDocument), and the
  // margins are multiplied.
  void PlaceTextLayer(const document::ButtonDocument& doc, std::string_view props, int code, std::string& left,
                      std::string& top, int scale = 1);

  TextGradient& Gradient() { return gradient_; }

 private:
  // The file a picture path of the document names: an absolute path as it
  // is; a relative one beside the layout file when a file of that name is
  // there, otherwise relative to the working folder. "~", ".." and the like
  // are plain parts of a relative path.
  std::string PicturePath(const std::string& path) const;
  // The picture a layer names, for this pass's scale: its "@<scale>x" file
  // when there is one, else the picture itself; `enlarge` tells by how much
  // it is to be drawn larger (the scale, or 1). Null when no file is there,
  // when the picture cannot be read (what PictureCache::Get raises is passed
  // on) or when it does not fit the budget.
  std::shared_ptr<const LayerPicture> LayerPictureFor(const std::string& path, int& enlarge);
  // The drawing of one pass at `scale` (any scale from 1, the smoothing
  // factor included): everything RenderButton does but the alpha's rule and
  // the reduction.
  RenderResult DrawPass(const document::ButtonDocument& doc, int scale);
  // The caption's cell of a text layer in its font; sets the canvas font as
  // the drawer does.
  gdi::Size TextLayerExtent(std::string_view props);
  // A shape's box fitted to the pen at this pass's scale (ScaledShapeBox).
  gdi::Rect ShapeBox(int x1, int y1, int x2, int y2) const;
  // One bevel line, from (x1, y1) towards (x2, y2), in the coordinates of
  // scale 1 (Bevel1x) and drawn at this pass's scale.
  void BevelLine(int x1, int y1, int x2, int y2);

  gdi::Bitmap surface_;
  gdi::Canvas canvas_;
  TextGradient gradient_;
  int width_ = 0;   // the button size of the current pass
  int height_ = 0;
  int scale_ = 1;                                       // the drawers' scale in the current pass
  int picture_scale_ = 1;                               // the scale whose "@<scale>x" pictures it takes
  int text_layout_scale_ = 1;                           // the smoothing factor of a smooth pass, else 1
  std::unique_ptr<document::ButtonDocument> fine_doc_;  // the document of a smooth pass
  gdi::Bitmap reduced_;                                 // the other buffer of a smooth pass's reduction
  bool surface_reduced_ = false;                        // surface_ holds the reduction, reduced_ the large drawing
  bool smooth_left_out_ = false;                        // see SmoothLeftOut
  std::int64_t painted_work_area_pixels_ = 0;
  std::string layout_folder_;  // the document's, for the current pass
  PictureCache pictures_;
  PassLimits limits_;
  PassBudget budget_;  // of the current pass
  int first_row_left_out_ = -1;
  RenderResult last_result_ = RenderResult::Drawn;
};

// Gives the pixels of `surface` their alpha by the transparency rule:
// WorkAreaColor makes every pixel of exactly the colour `workArea` transparent
// and every other one opaque; Unpainted keeps the alpha the drawing marked
// (a surface without an alpha plane gets one, all painted). Returns, under
// WorkAreaColor, how many pixels were painted and have the work-area colour;
// 0 under Unpainted.
std::int64_t ApplyTransparencyRule(gdi::Bitmap& surface, document::Transparency rule, gdi::Pixel workArea);

// The report of DrawLayerRow for an unexpected exception; call it inside the
// catch block.
void ReportUnexpectedRowError(int index) noexcept;

template <typename Draw>
bool DrawLayerRow(int index, Draw&& draw) {
  try {
    draw();
    return true;
  } catch (const base::Error&) {
  } catch (const std::bad_alloc&) {
  } catch (...) {
    ReportUnexpectedRowError(index);
  }
  return false;
}

}  // namespace vorbel::render

#include "render/button_renderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "base/ascii_text.h"
#include "base/translation.h"
#include "base/unexpected_error.h"
#include "document/layer_schema.h"
#include "document/layer_type.h"
#include "document/value_conversion.h"
#include "gdi/raster.h"
#include "gdi/supersample.h"
#include "gdi/system_colors.h"
#include "gdi/text_image.h"
#include "render/render_scale.h"
#include "render/shapes3d.h"

namespace vorbel::render {
namespace {

// Offsets and sizes come from free text and may be anything a 32-bit integer
// holds; sums with them are taken in 64 bits and kept within +-2^30, far
// outside any surface, so nothing overflows and nothing visible changes.
int ClampedSum(std::int64_t a, std::int64_t b = 0) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 30;
  return static_cast<int>(std::clamp(a + b, -kLimit, kLimit));
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// Half of v, rounded down (towards minus infinity).
std::int64_t FloorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// The escapement of a text turned `angle` degrees, in tenths of a degree,
// from the angle taken mod 65536 as a 16-bit angle field would hold it; 0
// (level) for an angle of 0 or less.
int EscapementFor(int angle) { return angle > 0 ? (angle % 65536) * 10 : 0; }

// The characters of UTF-8 text (each lead byte; a stray byte counts as one).
std::int64_t CharacterCount(std::string_view text) {
  return std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

// What drawing one copy of a caption costs, in the pixels a drawer touches:
// every glyph is laid out and copied row by row (its height in spans) wherever
// it lands; the cell box, turned, is touched where it lies on the surface; and
// a glyph too large to be kept is outlined and rasterised anew on every copy
// that meets the surface, at least as much work as the area of the largest
// glyph that is kept. `extent` is the upright cell box, (x, y) its reference
// corner.
std::int64_t TextCopyWork(std::int64_t glyphs, gdi::Size extent, int escapement, int x, int y, int width, int height) {
  constexpr std::int64_t kGlyphWork = 64;
  constexpr std::int64_t kLargeGlyph = 256;  // a side beyond which glyphs are not kept
  constexpr std::int64_t kLargeGlyphWork = std::int64_t{1} << 16;
  const std::int64_t cellHeight = std::max(extent.cy, 0);
  std::int64_t work = glyphs * (kGlyphWork + cellHeight);
  if (glyphs == 0 || extent.cx <= 0 || extent.cy <= 0) return work;
  const TurnedBox box = TurnedCellBox(extent.cx, extent.cy, escapement);
  const double clipLeft = std::max(box.left + x, 0.0);
  const double clipTop = std::max(box.top + y, 0.0);
  const double clipRight = std::min(box.right + x, static_cast<double>(width));
  const double clipBottom = std::min(box.bottom + y, static_cast<double>(height));
  if (clipLeft >= clipRight || clipTop >= clipBottom) return work;
  const double clipWidth = clipRight - clipLeft;
  const double clipHeight = clipBottom - clipTop;
  work += static_cast<std::int64_t>(std::ceil(clipWidth) * std::ceil(clipHeight));
  if (cellHeight > kLargeGlyph) {
    // The glyphs that may meet the surface: as many as fit, at their mean
    // advance, across the part of the surface the box covers and a cell's
    // height on either side.
    const double advance = std::max(static_cast<double>(extent.cx) / static_cast<double>(glyphs), 1.0);
    const double reach = std::ceil((clipWidth + clipHeight + 2.0 * static_cast<double>(cellHeight)) / advance) + 1;
    work += std::min(static_cast<std::int64_t>(std::min(reach, 1e12)), glyphs) * kLargeGlyphWork;
  }
  return work;
}

}  // namespace

TurnedBox TurnedCellBox(double width, double height, int escapement) {
  if (escapement == 0) return {0, 0, width, height};
  const gdi::TextDirection dir = gdi::TextDirection::FromEscapement(escapement);
  TurnedBox box{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  for (const auto& [u, v] : {std::pair<double, double>{0, 0}, {width, 0}, {width, height}, {0, height}}) {
    double x = 0;
    double y = 0;
    dir.Map(u, v, x, y);
    box.left = std::min(box.left, x);
    box.top = std::min(box.top, y);
    box.right = std::max(box.right, x);
    box.bottom = std::max(box.bottom, y);
  }
  return box;
}

int RoundRectCorner(const document::BackgroundProperties& props) { return props.seed.Value(); }

void ReportUnexpectedRowError(int index) noexcept {
  char where[64];
  std::snprintf(where, sizeof where, "drawing layer row %d; the row was skipped", index);
  base::ReportUnexpectedError("layer row", where);
}

ButtonRenderer::ButtonRenderer(const PassLimits& limits) : canvas_(surface_), limits_(limits) {
  gradient_.steps = 255;
  gradient_.BuildPalette();
}

RenderResult ButtonRenderer::RenderButton(const document::ButtonDocument& doc) { return RenderButton(doc, 1); }

std::int64_t ApplyTransparencyRule(gdi::Bitmap& surface, document::Transparency rule, gdi::Pixel workArea) {
  if (!surface.KeepsAlpha()) {
    surface.KeepAlpha(true);
    for (int y = 0; y < surface.Height(); ++y) surface.MarkPainted(y, 0, surface.Width());
  }
  // Under the other rule the drawing has decided already, and nobody asks
  // for the count.
  if (rule != document::Transparency::WorkAreaColor) return 0;
  const int width = surface.Width();
  std::int64_t count = 0;
  for (int y = 0; y < surface.Height(); ++y) {
    const gdi::Pixel* row = surface.Row(y);
    std::uint8_t* alpha = surface.AlphaRow(y);
    int x = 0;
#ifdef __SSE2__
    // Sixteen pixels a step: a full-HD surface is two million pixels. The
    // painted pixels of the work-area colour are counted in two 64-bit lanes.
    const __m128i keys = _mm_set1_epi32(static_cast<int>(workArea.Rgb()));
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_cmpeq_epi8(zero, zero);
    const __m128i oneEach = _mm_set1_epi8(1);
    __m128i counted = zero;
    for (; x + 16 <= width; x += 16) {
      const auto same4 = [&](int at) {
        return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + at)), keys);
      };
      // 0xFF for every pixel of the work-area colour, one byte a pixel.
      const __m128i same = _mm_packs_epi16(_mm_packs_epi32(same4(0), same4(4)), _mm_packs_epi32(same4(8), same4(12)));
      const __m128i marked = _mm_loadu_si128(reinterpret_cast<const __m128i*>(alpha + x));
      const __m128i wasPainted = _mm_andnot_si128(_mm_cmpeq_epi8(marked, zero), oneEach);
      counted = _mm_add_epi64(counted, _mm_sad_epu8(_mm_and_si128(same, wasPainted), zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(alpha + x), _mm_andnot_si128(same, ones));
    }
    count += _mm_cvtsi128_si64(counted) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(counted, counted));
#endif
    int painted = 0;
    for (; x < width; ++x) {
      const bool workAreaColour = row[x] == workArea;
      painted += workAreaColour & (alpha[x] != 0);
      alpha[x] = workAreaColour ? 0 : 255;
    }
    count += painted;
  }
  return count;
}

RenderResult ButtonRenderer::RenderButton(const document::ButtonDocument& doc, int scale) {
  if (doc.Loading()) return RenderResult::Suspended;
  if (gdi::SizeTooLarge(doc.Width(), doc.Height())) {
    last_result_ = RenderResult::TooLarge;
    return last_result_;
  }
  picture_scale_ = scale >= 1 && scale <= kMaxRenderScale ? scale : 1;
  constexpr int kFactor = gdi::kSmoothFactor;
  const bool smooth =
      doc.Smooth() && !gdi::SizeTooLarge(ScaledNumber(doc.Width(), kFactor), ScaledNumber(doc.Height(), kFactor));
  smooth_left_out_ = doc.Smooth() && !smooth;
  painted_work_area_pixels_ = 0;
  // The surface gets back the large buffer of the last smooth pass, which
  // then stays in use from pass to pass.
  if (surface_reduced_) {
    std::swap(surface_, reduced_);
    surface_reduced_ = false;
  }
  try {
    const document::ButtonDocument* pass = &doc;
    if (smooth) {
      if (!fine_doc_) fine_doc_ = std::make_unique<document::ButtonDocument>();
      ScaleDocument(doc, kFactor, *fine_doc_);
      pass = fine_doc_.get();
    }
    // Captions keep the layout of the button's own size, drawn finer.
    text_layout_scale_ = smooth ? kFactor : 1;
    last_result_ = DrawPass(*pass, smooth ? picture_scale_ * kFactor : picture_scale_);
    if (last_result_ != RenderResult::Drawn && last_result_ != RenderResult::Partial) return last_result_;
    const gdi::Pixel workArea = gdi::ResolveColor(doc.WorkAreaColor());
    painted_work_area_pixels_ = ApplyTransparencyRule(surface_, doc.TransparencyRule(), workArea);
    if (smooth) {
      gdi::ReduceBlocks(surface_, kFactor, workArea, reduced_);
      std::swap(surface_, reduced_);
      surface_reduced_ = true;
      painted_work_area_pixels_ = (painted_work_area_pixels_ + kFactor * kFactor - 1) / (kFactor * kFactor);
    }
  } catch (const std::bad_alloc&) {
    last_result_ = RenderResult::OutOfMemory;
  }
  return last_result_;
}

RenderResult ButtonRenderer::DrawPass(const document::ButtonDocument& doc, int scale) {
  // Nothing a previous pass or a measurement left in the canvas reaches this
  // pass: a bevel's pen width, an outline's clear brush, a font.
  canvas_ = gdi::Canvas(surface_);
  canvas_.SetTextLayoutScale(text_layout_scale_);
  scale_ = scale;
  // The pen a pass starts with is one pixel of the button wide.
  if (scale_ > 1) canvas_.SetPenWidth(scale_);
  layout_folder_ = doc.LayoutFolder();
  budget_ = PassBudget(limits_);
  first_row_left_out_ = -1;
  try {
    PrepareWorkArea(doc);
    DrawImageBorder(doc);
  } catch (const std::bad_alloc&) {
    return RenderResult::OutOfMemory;
  }
  // What one drawer may touch: the whole surface, and at the least a fixed
  // amount for the work every layer does whatever the button's size.
  const std::int64_t drawerWork = std::max(std::int64_t{width_} * height_, kMinDrawerWork);
  pictures_.BeginPass();
  for (int index = 0; index < doc.RowCount(); ++index) {
    const document::LayerRow& row = doc.Row(index);
    if (!row.IsVisible()) continue;
    const document::LayerKinds kinds = document::KindsForRender(row.type);
    const int drawers = int{kinds.background} + int{kinds.text} + int{kinds.bevel} + int{kinds.image};
    if (!budget_.InTime() || !budget_.TakeLayerWork(drawers * drawerWork)) {
      first_row_left_out_ = index;
      break;
    }
    // A layer that cannot be drawn ends where it failed; what it drew stays
    // and the pass goes on with the next row.
    DrawLayerRow(index, [&] {
      if (kinds.background) DrawBackgroundLayer(row);
      if (kinds.text) DrawTextLayer(row);
      if (kinds.bevel) DrawBevelLayer(row);
      if (kinds.image) DrawImageLayer(row);
    });
    // A picture beyond the budget was left out of this row: the pass ends.
    if (budget_.Spent()) {
      first_row_left_out_ = index;
      break;
    }
  }
  pictures_.EndPass();
  return first_row_left_out_ < 0 ? RenderResult::Drawn : RenderResult::Partial;
}

std::string ButtonRenderer::SmoothLeftOutMessage() const {
  if (!smooth_left_out_) return {};
  return base::TranslateFormat(
      "The button is drawn with hard edges: smooth edges are drawn at %s times its size, and at %s x %s pixels that "
      "is more than can be drawn.",
      {std::to_string(gdi::kSmoothFactor), std::to_string(width_), std::to_string(height_)});
}

std::string ButtonRenderer::PartialMessage() const {
  const std::string layer = std::to_string(first_row_left_out_ + 1);
  if (budget_.SpentOn() == PassBudget::Limit::PicturePixels) {
    return base::TranslateFormat(
        "Layer %s and the layers after it were left out: their pictures go beyond the %s million pixels that one "
        "drawing of the button may decode.",
        {layer, std::to_string(limits_.picture_pixels >> 20)});
  }
  if (budget_.SpentOn() == PassBudget::Limit::Time) {
    return base::TranslateFormat(
        "Layer %s and the layers after it were left out: drawing the button took longer than one drawing of it may "
        "take.",
        {layer});
  }
  return base::TranslateFormat(
      "Layer %s and the layers after it were left out: the button has more layers than one drawing of it may take "
      "at its size.",
      {layer});
}

void ButtonRenderer::PrepareWorkArea(const document::ButtonDocument& doc) {
  width_ = doc.Width();
  height_ = doc.Height();
  surface_.KeepAlpha(true);
  surface_.Resize(width_, height_);
  const base::Color workArea = doc.WorkAreaColor();
  canvas_.SetBrushColor(workArea);
  canvas_.SetPenColor(workArea);
  canvas_.FillRect(gdi::Rect{0, 0, width_, height_});
  // The work area is what no layer painted.
  surface_.ClearAlpha();
}

void ButtonRenderer::DrawImageBorder(const document::ButtonDocument& doc) {
  if (!doc.Border()) return;
  // The complement of the work-area colour as it shows; the brush is still the
  // work-area colour, so only the outline changes.
  canvas_.SetPenColor(base::Color::FromPixel(gdi::ResolveColor(doc.WorkAreaColor()) ^ gdi::kWhite));
  ScaledRectangle(canvas_, {0, 0, width_, height_}, scale_);
}

void ButtonRenderer::DrawBackgroundLayer(const document::LayerRow& row) {
  // Every value is read here; one that does not convert ends the layer where
  // it is used below, with what was drawn before it left on the surface.
  const document::BackgroundProperties props =
      document::ReadBackgroundProperties(row.Properties(), document::PropertyReader::Drawer);
  const int w = width_;
  const int h = height_;
  const int k = scale_;
  gdi::Canvas& c = canvas_;

  const bool draw3D = props.draw_3d.Value();
  const base::Color face = props.color.Value();
  c.SetPenColor(face);
  const base::Color highlight = props.highlight.Value();
  const base::Color shadow = props.shadow.Value();
  const std::string shape = base::UpperCaseAscii(props.shape.Text());

  const gdi::Rect all = ShapeBox(0, 0, w, h);
  if (shape == "ELLIPSE") {
    // Without 3D the brush is whatever the canvas holds at this moment.
    if (draw3D)
      Draw3DEllipse(c, face, highlight, shadow, 0, 0, w - 2 * k, h - 2 * k, k);
    else
      c.Ellipse(all.left, all.top, all.right, all.bottom);
  }
  if (shape.find("NONE") != std::string::npos && draw3D) {
    Draw3DRectangle(c, face, highlight, shadow, 0, 0, w - 2 * k, h - 2 * k, k);
  }
  if (shape == "ROUNDRECT") {
    const int corner = RoundRectCorner(props);
    if (draw3D)
      Draw3DRoundRect(c, face, highlight, shadow, 0, 0, w - 2 * k, h - 2 * k, corner, corner, k);
    else
      c.RoundRect(all.left, all.top, all.right, all.bottom, corner, corner);
  }

  c.SetBrushColor(face);
  c.SetPenColor(face);
  // Fills up to any pixel of the face colour, whoever drew it; with no shape
  // that is usually the whole surface.
  if (!draw3D) c.FloodFill(w / 2, h / 2, face);

  const bool stretch = props.stretch.Value();
  const bool transparent = props.transparent.Value();
  try {
    int enlarge = 1;
    if (const std::shared_ptr<const LayerPicture> picture = LayerPictureFor(props.image.Text(), enlarge)) {
      if (stretch) {
        const gdi::Rect button{0, 0, w, h};
        if (transparent && !picture->jpeg)
          c.StretchDrawTransparent(button, picture->bitmap, picture->transparent_colour);
        else
          c.StretchDraw(button, picture->bitmap);
      } else if (enlarge == 1) {
        // 1:1 and opaque, whatever Transparent says: the picture's top-left
        // W x H pixels; where a smaller picture does not reach, what was
        // there stays.
        c.Draw(0, 0, picture->bitmap);
      } else {
        c.StretchDraw({0, 0, ClampedSum(std::int64_t{picture->bitmap.Width()} * enlarge),
                       ClampedSum(std::int64_t{picture->bitmap.Height()} * enlarge)},
                      picture->bitmap);
      }
    }
  } catch (const base::Error&) {
    // An unreadable picture is skipped; the edge is still drawn.
  } catch (const std::bad_alloc&) {
    // So is one too large for the memory.
  }

  if (props.edge_draw.Value()) {
    // The default "N" is no colour: a missing Edge ends the layer here.
    c.SetPenColor(props.edge.Value());
    const gdi::Rect edge = ShapeBox(0, 0, w, h);
    if (shape == "ELLIPSE") {
      c.Ellipse(edge.left, edge.top, edge.right, edge.bottom);
    } else if (shape == "ROUNDRECT") {
      const int corner = RoundRectCorner(props);
      c.RoundRect(edge.left, edge.top, edge.right, edge.bottom, corner, corner);
    } else {
      ScaledRectangle(c, {0, 0, w, h}, k);
    }
  }
}

void ButtonRenderer::DrawBevelLayer(const document::LayerRow& row) {
  const document::BevelProperties props =
      document::ReadBevelProperties(row.Properties(), document::PropertyReader::Drawer);
  const int w = width_;
  const int h = height_;
  gdi::Canvas& c = canvas_;

  // The width stays in the canvas for every later outline and line of the pass.
  c.SetPenWidth(props.pen.Value());
  const base::Color highlight = props.highlight.Value();
  c.SetBrushColor(highlight);
  c.SetPenColor(highlight);
  if (scale_ > 1) {
    // The same lines in the coordinates of scale 1.
    const int w1 = w / scale_;
    const int h1 = h / scale_;
    BevelLine(0, h1 - 2, 0, 0);
    BevelLine(1, 0, w1 - 1, 0);
    BevelLine(1, h1 - 3, 1, 1);
    BevelLine(1, 1, w1 - 2, 1);
    c.SetPenColor(props.shadow.Value());
    BevelLine(2, h1 - 2, w1 - 2, h1 - 2);
    BevelLine(w1 - 2, h1 - 2, w1 - 2, 1);
    BevelLine(2, h1 - 1, w1 - 1, h1 - 1);
    BevelLine(w1 - 1, h1 - 2, w1 - 1, 1);
    return;
  }
  c.MoveTo(0, h - 2);  // outer left column
  c.LineTo(0, 0);
  c.MoveTo(1, 0);  // outer top row
  c.LineTo(w - 1, 0);
  c.MoveTo(1, h - 3);  // inner left column, inner top row
  c.LineTo(1, 1);
  c.LineTo(w - 2, 1);

  c.SetPenColor(props.shadow.Value());
  c.MoveTo(2, h - 2);  // inner bottom row, inner right column
  c.LineTo(w - 2, h - 2);
  c.LineTo(w - 2, 1);
  c.MoveTo(2, h - 1);  // outer bottom row
  c.LineTo(w - 1, h - 1);
  c.MoveTo(w - 1, h - 2);  // outer right column
  c.LineTo(w - 1, 1);
}

void ButtonRenderer::BevelLine(int x1, int y1, int x2, int y2) {
  const int k = scale_;
  const int pen = std::max(canvas_.PenWidth(), 1);
  const int pen1 = std::max(pen / k, 1);  // the pen at scale 1
  if (pen1 > 1) {
    // A wide pen, moved as ScaledShapeBox moves it.
    const int before = pen / 2 - k * (pen1 / 2);
    canvas_.MoveTo(ClampedSum(std::int64_t{x1} * k, before), ClampedSum(std::int64_t{y1} * k, before));
    canvas_.LineTo(ClampedSum(std::int64_t{x2} * k, before), ClampedSum(std::int64_t{y2} * k, before));
    return;
  }
  // A one-pixel line of scale 1 paints its first point and not its last; the
  // pixels it paints become blocks of k x k. The bevel's lines are level or
  // upright.
  canvas_.MoveTo(ClampedSum(std::int64_t{x2} * k), ClampedSum(std::int64_t{y2} * k));
  if (x1 == x2 && y1 == y2) return;
  const std::int64_t lastX = x1 == x2 ? x1 : (x2 > x1 ? x2 - 1 : x2 + 1);
  const std::int64_t lastY = y1 == y2 ? y1 : (y2 > y1 ? y2 - 1 : y2 + 1);
  const gdi::Rect blocks{
      ClampedSum(std::min<std::int64_t>(x1, lastX) * k), ClampedSum(std::min<std::int64_t>(y1, lastY) * k),
      ClampedSum((std::max<std::int64_t>(x1, lastX) + 1) * k), ClampedSum((std::max<std::int64_t>(y1, lastY) + 1) * k)};
  gdi::raster::FillRect(surface_, blocks, surface_.MapPixel(gdi::ResolveColor(canvas_.PenColor())));
}

gdi::Rect ButtonRenderer::ShapeBox(int x1, int y1, int x2, int y2) const {
  return ScaledShapeBox({x1, y1, x2, y2}, canvas_.PenWidth(), scale_);
}

std::shared_ptr<const LayerPicture> ButtonRenderer::LayerPictureFor(const std::string& path, int& enlarge) {
  enlarge = scale_;
  if (picture_scale_ > 1) {
    const std::string sharper = PicturePath(ScaledPictureName(path, picture_scale_));
    if (FileExists(sharper)) {
      // Drawn larger only by the smoothing factor.
      enlarge = std::max(scale_ / picture_scale_, 1);
      return pictures_.Get(sharper, budget_);
    }
  }
  const std::string file = PicturePath(path);
  if (!FileExists(file)) return nullptr;
  return pictures_.Get(file, budget_);
}

std::string ButtonRenderer::PicturePath(const std::string& path) const {
  if (path.empty() || path.front() == '/' || layout_folder_.empty()) return path;
  std::string beside = (std::filesystem::path(layout_folder_) / path).string();
  return FileExists(beside) ? beside : path;
}

void ButtonRenderer::DrawImageLayer(const document::LayerRow& row) {
  const int x = ClampedSum(document::ReadOffset(row.SubItemText(document::SubItem::Left)));
  const int y = ClampedSum(document::ReadOffset(row.SubItemText(document::SubItem::Top)));
  const document::ImageProperties props =
      document::ReadImageProperties(row.Properties(), document::PropertyReader::Drawer);
  const bool transparent = props.transparent.Value();
  try {
    int enlarge = 1;
    const std::shared_ptr<const LayerPicture> picture = LayerPictureFor(props.image.Text(), enlarge);
    if (!picture) return;
    const bool keyed = transparent && !picture->jpeg;
    if (enlarge == 1) {
      if (keyed)
        canvas_.DrawTransparent(x, y, picture->bitmap, picture->transparent_colour);
      else
        canvas_.Draw(x, y, picture->bitmap);
      return;
    }
    const gdi::Rect enlarged{x, y, ClampedSum(x, std::int64_t{picture->bitmap.Width()} * enlarge),
                             ClampedSum(y, std::int64_t{picture->bitmap.Height()} * enlarge)};
    if (keyed)
      canvas_.StretchDrawTransparent(enlarged, picture->bitmap, picture->transparent_colour);
    else
      canvas_.StretchDraw(enlarged, picture->bitmap);
  } catch (const base::Error&) {
    // An unreadable picture draws nothing and stops nothing.
  } catch (const std::bad_alloc&) {
    // Nor does one too large for the memory.
  }
}

void ButtonRenderer::DrawTextLayer(const document::LayerRow& row) {
  // The margin and the outline distance are pixels of the button.
  const int k = scale_;
  const int x = ClampedSum(5 * k, document::ReadOffset(row.SubItemText(document::SubItem::Left)));
  const int y = ClampedSum(5 * k, document::ReadOffset(row.SubItemText(document::SubItem::Top)));
  const document::TextProperties props =
      document::ReadTextProperties(row.Properties(), document::PropertyReader::Drawer);
  gdi::Canvas& c = canvas_;

  c.SetFontName(props.font_face.Text());
  c.SetFontSize(props.font_size.Value());
  c.SetBkMode(gdi::BkMode::Transparent);
  const std::string& text = props.text.Text();

  // The angle turns every copy: the shadow and the outline at their offsets
  // in screen space, each about its own reference point, and the caption. An
  // angle that does not convert draws the shadow and outline level and ends
  // the layer where a plain caption would be drawn; a gradient caption is then
  // drawn level.
  const int escapement = EscapementFor(props.angle.ValueOr(0));

  // The layer is charged for every copy it may draw before it draws any; a
  // layer beyond what is left of the pass's budget draws nothing, and the
  // pass ends after it.
  const bool shadowed = props.shadowed.Value();
  const bool outlined = props.outlined.Value();
  const bool gradient = props.gradient.Value();
  // A font that cannot be had fails the first copy, as it always has.
  std::optional<gdi::Size> measured;
  try {
    if (!text.empty()) measured = c.TextExtent(text);
  } catch (const base::Error&) {
  }
  if (measured) {
    const std::int64_t glyphs = CharacterCount(text);
    const gdi::Size extent = *measured;
    const auto copy = [&](std::int64_t cx, std::int64_t cy) {
      return TextCopyWork(glyphs, extent, escapement, ClampedSum(cx), ClampedSum(cy), width_, height_);
    };
    std::int64_t work = copy(x, y) * (gradient ? 2 : 1);
    if (shadowed) {
      const std::int64_t d = props.shadow_offset.ValueOr(0);
      work += copy(std::int64_t{x} + d, std::int64_t{y} + d);
    }
    if (outlined) {
      work += copy(std::int64_t{x} + k, std::int64_t{y} + k) + copy(std::int64_t{x} - k, std::int64_t{y} + k) +
              copy(std::int64_t{x} - k, std::int64_t{y} - k) + copy(std::int64_t{x} + k, std::int64_t{y} - k);
    }
    if (!budget_.TakeLayerWork(work)) return;
  }

  if (shadowed) {
    const base::Color shadow = props.shadow_color.Value();
    c.SetPenColor(shadow);
    c.SetFontColor(shadow);
    const int d = props.shadow_offset.Value();
    c.TextOut(ClampedSum(x, d), ClampedSum(y, d), text, escapement);
  }

  if (outlined) {
    c.SetFontColor(props.outline_color.Value());
    c.SetBrushStyle(gdi::BrushStyle::Clear);  // and it stays clear after the layer
    c.TextOut(x + k, y + k, text, escapement);
    c.TextOut(x - k, y + k, text, escapement);
    c.TextOut(x - k, y - k, text, escapement);
    c.TextOut(x + k, y - k, text, escapement);
  }

  if (!gradient) {
    const base::Color color = props.color.Value();
    c.SetPenColor(color);
    c.SetFontColor(color);
    // Converted as read: a trailing blank fails here.
    DrawRotatedText(x, y, props.angle.Value(), text);
    return;
  }

  // The gradient picture has vertical stripes, so all its rows are alike and
  // stretching it only ever samples rows: one row gives exactly the same
  // caption as the full height.
  gdi::Bitmap picture(kGradientPictureWidth, 1);
  gradient_.from = props.gradient_start.Value();
  gradient_.to = props.gradient_end.Value();
  gradient_.BuildPalette();
  gdi::Canvas pictureCanvas(picture);
  gradient_.Paint(pictureCanvas, picture.Width(), picture.Height());
  DrawGradientText(c, x, y, text, picture, escapement);
}

void ButtonRenderer::DrawRotatedText(int x, int y, int angle, std::string_view text) {
  canvas_.TextOut(x, y, text, EscapementFor(angle));
}

gdi::Size ButtonRenderer::TextLayerExtent(std::string_view props) {
  const document::TextProperties text = document::ReadTextProperties(props, document::PropertyReader::Drawer);
  // Measured at the layout's own size, whatever the last pass drew at.
  canvas_.SetTextLayoutScale(1);
  canvas_.SetFontName(text.font_face.Text());
  canvas_.SetFontSize(text.font_size.Value());
  return canvas_.TextExtent(text.text.Text());
}

int ButtonRenderer::GetTextLayerWidth(std::string_view props) { return TextLayerExtent(props).cx; }

int ButtonRenderer::GetTextLayerHeight(std::string_view props) { return TextLayerExtent(props).cy; }

void ButtonRenderer::PlaceTextLayer(const document::ButtonDocument& doc, std::string_view props, int code,
                                    std::string& left, std::string& top, int scale) {
  left.clear();
  top.clear();
  if (code < 1 || code > 9) return;
  const int column = (code - 1) % 3;  // 0 left, 1 middle, 2 right
  const int line = (code - 1) / 3;    // 0 top, 1 middle, 2 bottom
  // The drawer puts the cell kMargin pixels right of and below the offsets;
  // an offset of "4" leaves 9 pixels before the cell, and the far side
  // leaves as many after it. The middle centres the cell, any odd pixel
  // going after it.
  const std::int64_t k = scale >= 1 && scale <= kMaxRenderScale ? scale : 1;
  const std::int64_t margin = 5 * k;
  const std::int64_t edge = 4 * k;
  const auto place = [&](int where, std::int64_t size, auto measure) -> std::string {
    if (where == 0) return std::to_string(edge);
    const std::int64_t extent = measure();
    if (where == 1) return std::to_string(FloorHalf(size - extent) - margin);
    return std::to_string(size - extent - edge - 2 * margin);
  };
  std::string newLeft = place(column, doc.Width(), [&] { return GetTextLayerWidth(props); });
  std::string newTop = place(line, doc.Height(), [&] { return GetTextLayerHeight(props); });
  left = std::move(newLeft);
  top = std::move(newTop);
}

}  // namespace vorbel::render

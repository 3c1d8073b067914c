#include "render/button_renderer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "base/ascii_text.h"
#include "base/translation.h"
#include "base/unexpected_error.h"
#include "document/layer_type.h"
#include "document/property_string.h"
#include "document/value_conversion.h"
#include "gdi/system_colors.h"
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

// Blanks and control characters at both ends removed.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// The corner size of a background's rounded rectangle: 20, unless `Seed` holds
// something other than blanks; then the value converts as read, so a blank
// around a number makes the conversion fail.
int CornerSize(std::string_view props) {
  const std::string seed = document::GetPropValue("Seed", props, "20");
  if (Trimmed(seed).empty()) return 20;
  return document::StringToInt(seed);
}

// Half of v, rounded down (towards minus infinity).
std::int64_t FloorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// The escapement of a text turned `angle` degrees, in tenths of a degree,
// from the angle taken mod 65536 as a 16-bit angle field would hold it; 0
// (level) for an angle of 0 or less.
int EscapementFor(int angle) { return angle > 0 ? (angle % 65536) * 10 : 0; }

}  // namespace

void ReportUnexpectedRowError(int index) noexcept {
  char where[64];
  std::snprintf(where, sizeof where, "drawing layer row %d; the row was skipped", index);
  base::ReportUnexpectedError("layer row", where);
}

ButtonRenderer::ButtonRenderer(const PassLimits& limits) : canvas_(surface_), limits_(limits) {
  gradient_.steps = 255;
  gradient_.BuildPalette();
}

RenderResult ButtonRenderer::RenderButton(const document::ButtonDocument& doc) {
  if (doc.Loading()) return RenderResult::Suspended;
  if (gdi::SizeTooLarge(doc.Width(), doc.Height())) {
    last_result_ = RenderResult::TooLarge;
    return last_result_;
  }
  // Nothing a previous pass or a measurement left in the canvas reaches this
  // pass: a bevel's pen width, an outline's clear brush, a font.
  canvas_ = gdi::Canvas(surface_);
  layout_folder_ = doc.LayoutFolder();
  budget_ = PassBudget(limits_);
  first_row_left_out_ = -1;
  try {
    PrepareWorkArea(doc);
    DrawImageBorder(doc);
  } catch (const std::bad_alloc&) {
    last_result_ = RenderResult::OutOfMemory;
    return last_result_;
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
    if (!budget_.TakeLayerWork(drawers * drawerWork)) {
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
  last_result_ = first_row_left_out_ < 0 ? RenderResult::Drawn : RenderResult::Partial;
  return last_result_;
}

std::string ButtonRenderer::PartialMessage() const {
  const std::string layer = std::to_string(first_row_left_out_ + 1);
  if (budget_.SpentOn() == PassBudget::Limit::PicturePixels) {
    return base::TranslateFormat(
        "Layer %s and the layers after it were left out: their pictures go beyond the %s million pixels that one "
        "drawing of the button may decode.",
        {layer, std::to_string(limits_.picture_pixels >> 20)});
  }
  return base::TranslateFormat(
      "Layer %s and the layers after it were left out: the button has more layers than one drawing of it may take "
      "at its size.",
      {layer});
}

void ButtonRenderer::PrepareWorkArea(const document::ButtonDocument& doc) {
  width_ = doc.Width();
  height_ = doc.Height();
  surface_.Resize(width_, height_);
  const base::Color workArea = doc.WorkAreaColor();
  canvas_.SetBrushColor(workArea);
  canvas_.SetPenColor(workArea);
  canvas_.FillRect(gdi::Rect{0, 0, width_, height_});
}

void ButtonRenderer::DrawImageBorder(const document::ButtonDocument& doc) {
  if (!doc.Border()) return;
  // The complement of the work-area colour as it shows; the brush is still the
  // work-area colour, so only the outline changes.
  canvas_.SetPenColor(base::Color::FromPixel(gdi::ResolveColor(doc.WorkAreaColor()) ^ gdi::kWhite));
  canvas_.Rectangle(0, 0, width_, height_);
}

void ButtonRenderer::DrawBackgroundLayer(const document::LayerRow& row) {
  const std::string& props = row.Properties();
  const int w = width_;
  const int h = height_;
  gdi::Canvas& c = canvas_;

  const bool draw3D = document::YesNoToBool(document::GetPropValue("Draw3D", props, "N"));
  const base::Color face = document::StringToColor(document::GetPropValue("Color", props, "clBtnFace"));
  c.SetPenColor(face);
  const base::Color highlight = document::StringToColor(document::GetPropValue("Highlight", props, "clBtnHighlight"));
  const base::Color shadow = document::StringToColor(document::GetPropValue("ShadowClr", props, "clBtnShadow"));
  std::string shape = base::UpperCaseAscii(document::GetPropValue("Shape", props, "None"));

  if (shape == "ELLIPSE") {
    // Without 3D the brush is whatever the canvas holds at this moment.
    if (draw3D) Draw3DEllipse(c, face, highlight, shadow, 0, 0, w - 2, h - 2);
    else c.Ellipse(0, 0, w, h);
  }
  if (shape.find("NONE") != std::string::npos && draw3D) {
    Draw3DRectangle(c, face, highlight, shadow, 0, 0, w - 2, h - 2);
  }
  if (shape == "ROUNDRECT") {
    const int corner = CornerSize(props);
    if (draw3D) Draw3DRoundRect(c, face, highlight, shadow, 0, 0, w - 2, h - 2, corner, corner);
    else c.RoundRect(0, 0, w, h, corner, corner);
  }

  c.SetBrushColor(face);
  c.SetPenColor(face);
  // Fills up to any pixel of the face colour, whoever drew it; with no shape
  // that is usually the whole surface.
  if (!draw3D) c.FloodFill(w / 2, h / 2, face);

  const bool stretch = document::YesNoToBool(document::GetPropValue("Stretch", props, "Y"));
  const bool transparent = document::YesNoToBool(document::GetPropValue("Transparent", props, "Y"));
  const std::string path = PicturePath(document::GetPropValue("Image", props, ""));
  if (FileExists(path)) {
    try {
      if (const std::shared_ptr<const LayerPicture> picture = pictures_.Get(path, budget_)) {
        if (stretch) {
          const gdi::Rect all{0, 0, w, h};
          if (transparent && !picture->jpeg)
            c.StretchDrawTransparent(all, picture->bitmap, picture->transparent_colour);
          else
            c.StretchDraw(all, picture->bitmap);
        } else {
          // 1:1 and opaque, whatever Transparent says: the picture's top-left
          // W x H pixels; where a smaller picture does not reach, what was
          // there stays.
          c.Draw(0, 0, picture->bitmap);
        }
      }
    } catch (const base::Error&) {
      // An unreadable picture is skipped; the edge is still drawn.
    } catch (const std::bad_alloc&) {
      // So is one too large for the memory.
    }
  }

  if (document::YesNoToBool(document::GetPropValue("EdgeDraw", props, "N"))) {
    // The default "N" is no colour: a missing Edge ends the layer here.
    c.SetPenColor(document::StringToColor(document::GetPropValue("Edge", props, "N")));
    shape = base::UpperCaseAscii(document::GetPropValue("Shape", props, "None"));
    if (shape == "ELLIPSE") {
      c.Ellipse(0, 0, w, h);
    } else if (shape == "ROUNDRECT") {
      const int corner = CornerSize(props);
      c.RoundRect(0, 0, w, h, corner, corner);
    } else {
      c.Rectangle(0, 0, w, h);
    }
  }
}

void ButtonRenderer::DrawBevelLayer(const document::LayerRow& row) {
  const std::string& props = row.Properties();
  const int w = width_;
  const int h = height_;
  gdi::Canvas& c = canvas_;

  // The width stays in the canvas for every later outline and line of the pass.
  c.SetPenWidth(document::StringToInt(document::GetPropValue("Pen", props, "2")));
  const base::Color highlight = document::StringToColor(document::GetPropValue("Highlight", props, "clBtnHighlight"));
  c.SetBrushColor(highlight);
  c.SetPenColor(highlight);
  c.MoveTo(0, h - 2);  // outer left column
  c.LineTo(0, 0);
  c.MoveTo(1, 0);  // outer top row
  c.LineTo(w - 1, 0);
  c.MoveTo(1, h - 3);  // inner left column, inner top row
  c.LineTo(1, 1);
  c.LineTo(w - 2, 1);

  c.SetPenColor(document::StringToColor(document::GetPropValue("Shadow", props, "clBtnShadow")));
  c.MoveTo(2, h - 2);  // inner bottom row, inner right column
  c.LineTo(w - 2, h - 2);
  c.LineTo(w - 2, 1);
  c.MoveTo(2, h - 1);  // outer bottom row
  c.LineTo(w - 1, h - 1);
  c.MoveTo(w - 1, h - 2);  // outer right column
  c.LineTo(w - 1, 1);
}

std::string ButtonRenderer::PicturePath(const std::string& path) const {
  if (path.empty() || path.front() == '/' || layout_folder_.empty()) return path;
  std::string beside = (std::filesystem::path(layout_folder_) / path).string();
  return FileExists(beside) ? beside : path;
}

void ButtonRenderer::DrawImageLayer(const document::LayerRow& row) {
  const int x = ClampedSum(document::ReadOffset(row.SubItemText(document::SubItem::Left)));
  const int y = ClampedSum(document::ReadOffset(row.SubItemText(document::SubItem::Top)));
  const std::string& props = row.Properties();
  const bool transparent = document::YesNoToBool(document::GetPropValue("Transparent", props, "N"));
  const std::string path = PicturePath(document::GetPropValue("Image", props, ""));
  if (!FileExists(path)) return;
  try {
    if (const std::shared_ptr<const LayerPicture> picture = pictures_.Get(path, budget_)) {
      if (transparent && !picture->jpeg)
        canvas_.DrawTransparent(x, y, picture->bitmap, picture->transparent_colour);
      else
        canvas_.Draw(x, y, picture->bitmap);
    }
  } catch (const base::Error&) {
    // An unreadable picture draws nothing and stops nothing.
  } catch (const std::bad_alloc&) {
    // Nor does one too large for the memory.
  }
}

void ButtonRenderer::DrawTextLayer(const document::LayerRow& row) {
  const int x = ClampedSum(5, document::ReadOffset(row.SubItemText(document::SubItem::Left)));
  const int y = ClampedSum(5, document::ReadOffset(row.SubItemText(document::SubItem::Top)));
  const std::string& props = row.Properties();
  gdi::Canvas& c = canvas_;

  c.SetFontName(document::GetPropValue("FontFace", props, "MS San Serif"));
  c.SetFontSize(document::StringToInt(document::GetPropValue("FontSize", props, "12")));
  c.SetBkMode(gdi::BkMode::Transparent);
  const std::string text = document::GetPropValue("Text", props, "");

  // The angle turns every copy: the shadow and the outline at their offsets
  // in screen space, each about its own reference point, and the caption. An
  // angle that does not convert draws the shadow and outline level and ends
  // the layer where a plain caption would be drawn; a gradient caption is then
  // drawn level.
  std::string angleText = document::GetPropValue("Angle", props, "0");
  if (Trimmed(angleText).empty()) angleText = std::string(1, '0');
  const std::optional<std::int32_t> angle = document::TryStringToInt(angleText);
  const int escapement = angle ? EscapementFor(*angle) : 0;

  if (document::YesNoToBool(document::GetPropValue("Shadowed", props, "N"))) {
    const base::Color shadow = document::StringToColor(document::GetPropValue("ShadowColor", props, "clBtnShadow"));
    c.SetPenColor(shadow);
    c.SetFontColor(shadow);
    const int d = document::StringToInt(document::GetPropValue("ShadowOffset", props, "2"));
    c.TextOut(ClampedSum(x, d), ClampedSum(y, d), text, escapement);
  }

  if (document::YesNoToBool(document::GetPropValue("Outlined", props, "N"))) {
    c.SetFontColor(document::StringToColor(document::GetPropValue("OutlineColor", props, "clBlack")));
    c.SetBrushStyle(gdi::BrushStyle::Clear);  // and it stays clear after the layer
    c.TextOut(x + 1, y + 1, text, escapement);
    c.TextOut(x - 1, y + 1, text, escapement);
    c.TextOut(x - 1, y - 1, text, escapement);
    c.TextOut(x + 1, y - 1, text, escapement);
  }

  if (!document::YesNoToBool(document::GetPropValue("Gradient", props, "N"))) {
    const base::Color color = document::StringToColor(document::GetPropValue("Color", props, "clBtnFace"));
    c.SetPenColor(color);
    c.SetFontColor(color);
    // Converted as read: a trailing blank fails here.
    DrawRotatedText(x, y, document::StringToInt(angleText), text);
    return;
  }

  // The gradient picture has vertical stripes, so all its rows are alike and
  // stretching it only ever samples rows: one row gives exactly the same
  // caption as the full height.
  gdi::Bitmap picture(kGradientPictureWidth, 1);
  gradient_.from = document::StringToColor(document::GetPropValue("GradientStart", props, "clLime"));
  gradient_.to = document::StringToColor(document::GetPropValue("GradientEnd", props, "clYellow"));
  gradient_.BuildPalette();
  gdi::Canvas pictureCanvas(picture);
  gradient_.Paint(pictureCanvas, picture.Width(), picture.Height());
  DrawGradientText(c, x, y, text, picture, escapement);
}

void ButtonRenderer::DrawRotatedText(int x, int y, int angle, std::string_view text) {
  canvas_.TextOut(x, y, text, EscapementFor(angle));
}

int ButtonRenderer::GetTextLayerWidth(std::string_view props) {
  canvas_.SetFontName(document::GetPropValue("FontFace", props, "MS San Serif"));
  canvas_.SetFontSize(document::StringToInt(document::GetPropValue("FontSize", props, "12")));
  return canvas_.TextExtent(document::GetPropValue("Text", props, "")).cx;
}

int ButtonRenderer::GetTextLayerHeight(std::string_view props) {
  canvas_.SetFontName(document::GetPropValue("FontFace", props, "MS San Serif"));
  canvas_.SetFontSize(document::StringToInt(document::GetPropValue("FontSize", props, "12")));
  return canvas_.TextExtent(document::GetPropValue("Text", props, "")).cy;
}

void ButtonRenderer::PlaceTextLayer(const document::ButtonDocument& doc, std::string_view props, int code,
                                    std::string& left, std::string& top) {
  left.clear();
  top.clear();
  if (code < 1 || code > 9) return;
  const int column = (code - 1) % 3;  // 0 left, 1 middle, 2 right
  const int line = (code - 1) / 3;    // 0 top, 1 middle, 2 bottom
  // The drawer puts the cell kMargin pixels right of and below the offsets;
  // an offset of "4" leaves 9 pixels before the cell, and the far side
  // leaves as many after it. The middle centres the cell, any odd pixel
  // going after it.
  constexpr std::int64_t kMargin = 5;
  const auto place = [](int where, std::int64_t size, auto measure) -> std::string {
    if (where == 0) return std::string(1, '4');
    const std::int64_t extent = measure();
    if (where == 1) return std::to_string(FloorHalf(size - extent) - kMargin);
    return std::to_string(size - extent - 4 - 2 * kMargin);
  };
  std::string newLeft = place(column, doc.Width(), [&] { return GetTextLayerWidth(props); });
  std::string newTop = place(line, doc.Height(), [&] { return GetTextLayerHeight(props); });
  left = std::move(newLeft);
  top = std::move(newTop);
}

}  // namespace vorbel::render

#include "commands/button_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "base/ascii_text.h"
#include "base/atomic_file.h"
#include "base/safe_folder.h"
#include "base/translation.h"
#include "commands/set_manifest.h"
#include "commands/set_page.h"
#include "document/layer_schema.h"
#include "document/layer_type.h"
#include "document/property_string.h"
#include "document/value_conversion.h"
#include "gdi/system_colors.h"
#include "render/render_scale.h"

namespace vorbel::commands {

using base::Translate;
using base::TranslateFormat;

namespace {

// The first key of any layer kind but the caption itself whose value the
// caption changes, or null: a caption must not hold a key followed by "=", or
// the layer would read it as its setting (the lookup finds the first "Key="
// anywhere in the string). Every kind's keys count, since a Type may name
// several kinds.
const document::PropertyKey* KeyTakenByCaption(const std::string& with, const std::string& neutral) {
  for (const document::LayerSchema* schema : document::kLayerSchemas) {
    for (const document::PropertyKey* key : schema->keys) {
      if (key == &document::text_keys::kText) continue;
      if (document::GetPropValue(key->name, with, "") != document::GetPropValue(key->name, neutral, "")) return key;
    }
  }
  return nullptr;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::vector<std::string_view> SplitList(std::string_view list) {
  std::vector<std::string_view> items;
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    const std::string_view item = base::TrimBlanks(list.substr(at, comma - at));
    if (!item.empty()) items.push_back(item);
    at = comma + 1;
  }
  return items;
}

// The box of a caption's cell, tw x th, turned by the escapement, relative to
// its origin (the top-left corner of the upright cell).
struct CellBox {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
  std::int64_t Width() const { return right - left; }
  std::int64_t Height() const { return bottom - top; }
};

CellBox TurnedCell(int tw, int th, int escapement) {
  if (escapement == 0) return {0, 0, tw, th};
  const render::TurnedBox box = render::TurnedCellBox(tw, th, escapement);
  return {static_cast<std::int64_t>(std::floor(box.left)), static_cast<std::int64_t>(std::floor(box.top)),
          static_cast<std::int64_t>(std::ceil(box.right)), static_cast<std::int64_t>(std::ceil(box.bottom))};
}

// The escapement the text drawer gives a caption (level when the angle is no
// number: that caption is not drawn at all).
int CaptionEscapement(std::string_view props) {
  const std::int32_t angle =
      document::ReadInteger(document::text_keys::kAngle, props, document::PropertyReader::Drawer).ValueOr(0);
  return angle > 0 ? (angle % 65536) * 10 : 0;
}

std::string SizeText(std::int64_t w, std::int64_t h) {
  return TranslateFormat("%s x %s pixels", {std::to_string(w), std::to_string(h)});
}

}  // namespace

std::vector<render::ButtonState> ParseStates(std::string_view list) {
  std::vector<render::ButtonState> states;
  for (std::string_view item : SplitList(list)) {
    const std::optional<render::ButtonState> state = render::ButtonStateNamed(item);
    if (!state) {
      throw SetError(
          TranslateFormat("unknown state \"%s\": the states are normal, hover, pressed and disabled", {item}));
    }
    if (std::find(states.begin(), states.end(), *state) != states.end()) {
      throw SetError(TranslateFormat("the state \"%s\" is given twice", {item}));
    }
    states.push_back(*state);
  }
  if (states.empty()) throw SetError(Translate("the list of states is empty"));
  return states;
}

std::vector<int> ParseScales(std::string_view list) {
  std::vector<int> scales;
  for (std::string_view item : SplitList(list)) {
    std::string_view number = item;
    if (number.size() > 1 && (number.back() == 'x' || number.back() == 'X')) number.remove_suffix(1);
    if (number.size() != 1 || number[0] < '1' || number[0] > '0' + kMaxSetScale) {
      throw SetError(TranslateFormat("unknown scale \"%s\": the scales are 1, 2 and 3", {item}));
    }
    const int scale = number[0] - '0';
    if (std::find(scales.begin(), scales.end(), scale) != scales.end()) {
      throw SetError(TranslateFormat("the scale \"%s\" is given twice", {item}));
    }
    scales.push_back(scale);
  }
  if (scales.empty()) throw SetError(Translate("the list of scales is empty"));
  return scales;
}

ExportFormat ParseFormatName(std::string_view name) {
  if (const std::optional<ExportFormat> format = FormatNamed(name)) return *format;
  throw SetError(TranslateFormat("unknown format \"%s\": the formats are %s", {name, FormatNameList()}));
}

std::vector<ExportFormat> ParseFormats(std::string_view list) {
  std::vector<ExportFormat> formats;
  for (std::string_view item : SplitList(list)) {
    const ExportFormat format = ParseFormatName(item);
    if (std::find(formats.begin(), formats.end(), format) != formats.end()) {
      throw SetError(TranslateFormat("the format \"%s\" is given twice", {item}));
    }
    formats.push_back(format);
  }
  if (formats.empty()) throw SetError(Translate("the list of formats is empty"));
  return formats;
}

std::string FormatListText(const std::vector<ExportFormat>& formats) {
  std::string list;
  for (const ExportFormat format : formats)
    list += std::string(list.empty() ? "" : ",") + std::string(FormatInfo(format).name);
  return list;
}

std::string_view FormatExtension(ExportFormat format) { return FormatInfo(format).extensions.front(); }

std::string SpriteSheetName(int scale, ExportFormat format) {
  return (scale == 1 ? std::string("sprite") : "sprite@" + std::to_string(scale) + "x") +
         std::string(FormatExtension(format));
}

ButtonSet::ButtonSet(const document::ButtonDocument& layout, SetOptions options)
    : options_(std::move(options)),
      layout_(std::make_unique<document::ButtonDocument>()),
      doc_(std::make_unique<document::ButtonDocument>()) {
  if (options_.captions.empty()) throw SetError(Translate("the caption list is empty"));
  if (options_.captions.size() > kMaxCaptions) {
    throw SetError(TranslateFormat("a set takes at most %s captions", {std::to_string(kMaxCaptions)}));
  }
  // Captions kept in a layout file come from anyone who wrote it: they are
  // held to the rules of those given on the command line.
  for (std::size_t i = 0; i < options_.captions.size(); ++i) {
    CheckCaption(options_.captions[i], TranslateFormat("caption %s of the set", {std::to_string(i + 1)}));
  }
  // The lists the window gives are checked as those of the command line are.
  std::string states;
  for (render::ButtonState state : options_.states) states += std::string(render::ButtonStateName(state)) + ",";
  ParseStates(states);
  std::string scales;
  for (int scale : options_.scales) scales += (scale >= 1 && scale <= 9 ? std::to_string(scale) : "?") + ",";
  ParseScales(scales);
  ParseFormats(FormatListText(options_.formats));

  std::string name = layout.GetDocumentFileName();
  layout_name_ = name.substr(name.rfind('/') == std::string::npos ? 0 : name.rfind('/') + 1);
  work_area_ = gdi::ResolveColor(layout.WorkAreaColor());
  matte_ = gdi::ResolveColor(layout.MatteOrWorkArea());
  render::ScaleDocument(layout, 1, *layout_);
  rows_ = layout.Rows();
  FindCaptionLayer(layout);
  slugs_ = UniqueSlugs(options_.captions);
  PlanSize(layout);
  PlanNames();
}

namespace {

bool IsTextLayer(const document::ButtonDocument& layout, int row) {
  return layout.Row(row).IsComplete() && document::KindsForRender(layout.Row(row).type).text;
}

}  // namespace

int DefaultCaptionLayer(const document::ButtonDocument& layout) {
  for (int row = layout.RowCount() - 1; row >= 0; --row) {
    if (IsTextLayer(layout, row) && layout.Row(row).IsVisible()) return row;
  }
  for (int row = layout.RowCount() - 1; row >= 0; --row) {
    if (IsTextLayer(layout, row)) return row;
  }
  return -1;
}

void ButtonSet::FindCaptionLayer(const document::ButtonDocument& layout) {
  if (options_.caption_layer >= 0) {
    caption_layer_ = options_.caption_layer;
    if (caption_layer_ >= layout.RowCount()) {
      throw SetError(TranslateFormat("the layout has no layer %s (its layers are 0 to %s)",
                                     {std::to_string(caption_layer_), std::to_string(layout.RowCount() - 1)}));
    }
    if (!IsTextLayer(layout, caption_layer_)) {
      throw SetError(TranslateFormat("layer %s of the layout is no text layer", {std::to_string(caption_layer_)}));
    }
  } else {
    caption_layer_ = DefaultCaptionLayer(layout);
    if (caption_layer_ < 0) throw SetError(Translate("the layout has no text layer to take the captions"));
  }

  const std::string& props = layout.Row(caption_layer_).Properties();
  alignment_ = document::ReadTextProperties(props, document::PropertyReader::Editor).AlignmentCode();
  // Each caption goes where the layer's caption stands; one that would make
  // the layer read anything else differently is refused.
  const std::string_view captionKey = document::text_keys::kText.name;
  const std::string neutral = document::SetPropValue(captionKey, props, "");
  for (const std::string& caption : options_.captions) {
    std::string with = document::SetPropValue(captionKey, props, caption);
    if (caption.find(';') != std::string::npos) {
      throw SetError(TranslateFormat("the caption \"%s\" holds \";\", which ends a caption in a layout", {caption}));
    }
    if (const document::PropertyKey* key = KeyTakenByCaption(with, neutral)) {
      throw SetError(
          TranslateFormat("the caption \"%s\" holds \"%s=\", which the caption layer would read as its own setting",
                          {caption, key->name}));
    }
    if (document::GetPropValue(captionKey, with, "") != caption) {
      throw SetError(TranslateFormat("the caption layer cannot take the caption \"%s\": its property string holds "
                                     "\"Text=\" where it is read as part of another setting",
                                     {caption}));
    }
    props_.push_back(std::move(with));
  }
}

void ButtonSet::PlanSize(const document::ButtonDocument& layout) {
  const int w0 = layout.Width();
  const int h0 = layout.Height();
  if (w0 < 1 || h0 < 1) {
    throw SetError(
        TranslateFormat("the layout's button is %s; its width and height must be at least 1", {SizeText(w0, h0)}));
  }
  const auto measure = [&](const std::string& props) {
    try {
      return TurnedCell(renderer_.GetTextLayerWidth(props), renderer_.GetTextLayerHeight(props),
                        CaptionEscapement(props));
    } catch (const base::Error& e) {
      throw SetError(TranslateFormat("the caption layer (layer %s) cannot be measured: %s",
                                     {std::to_string(caption_layer_), e.what()}));
    }
  };
  const document::LayerRow& row = layout.Row(caption_layer_);
  const CellBox own = measure(row.Properties());
  std::vector<CellBox> cells;
  for (const std::string& props : props_) cells.push_back(measure(props));

  std::int64_t width = w0;
  std::int64_t height = h0;
  if (options_.size == SetSize::Fit) {
    for (const CellBox& cell : cells) {
      width = std::max(width, cell.Width() + w0 - own.Width());
      height = std::max(height, cell.Height() + h0 - own.Height());
    }
  }
  const int most = *std::max_element(options_.scales.begin(), options_.scales.end());
  if (gdi::SizeTooLarge(static_cast<int>(std::min<std::int64_t>(width * most, 1 << 30)),
                        static_cast<int>(std::min<std::int64_t>(height * most, 1 << 30)))) {
    throw SetError(TranslateFormat("the buttons would be %s, more than can be drawn at %sx",
                                   {SizeText(width, height), std::to_string(most)}));
  }
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  layout_->SetWidth(width_);
  layout_->SetHeight(height_);

  if (options_.size == SetSize::Fixed) {
    std::string misfits;
    int count = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      std::int64_t left = document::ReadOffset(row.SubItemText(document::SubItem::Left));
      std::int64_t top = document::ReadOffset(row.SubItemText(document::SubItem::Top));
      if (alignment_ > 0) {
        std::string placedLeft;
        std::string placedTop;
        renderer_.PlaceTextLayer(*layout_, props_[i], alignment_, placedLeft, placedTop);
        left = document::ReadOffset(placedLeft);
        top = document::ReadOffset(placedTop);
      }
      const CellBox& cell = cells[i];
      const std::int64_t x = 5 + left;
      const std::int64_t y = 5 + top;
      if (x + cell.left < 0 || y + cell.top < 0 || x + cell.right > width_ || y + cell.bottom > height_) {
        if (++count <= 5) {
          misfits += (misfits.empty() ? "" : ", ") + Quoted(options_.captions[i]) + " (" +
                     SizeText(cell.Width(), cell.Height()) + ")";
        }
      }
    }
    if (count > 0) {
      const std::string size = SizeText(width_, height_);
      if (count == 1) {
        throw SetError(TranslateFormat(
            "the caption %s does not fit the button of %s; let the set fit its captions, or make the button larger",
            {misfits, size}));
      }
      if (count <= 5) {
        throw SetError(TranslateFormat(
            "the captions %s do not fit the button of %s; let the set fit its captions, or make the button larger",
            {misfits, size}));
      }
      throw SetError(TranslateFormat("the captions %s and %s more do not fit the button of %s; let the set fit its "
                                     "captions, or make the button larger",
                                     {misfits, std::to_string(count - 5), size}));
    }
  }

  if (options_.sprite) {
    const std::int64_t sheetWidth = std::int64_t{width_} * most * static_cast<std::int64_t>(options_.states.size());
    const std::int64_t sheetHeight = std::int64_t{height_} * most * ButtonCount();
    if (sheetWidth > gdi::kMaxBitmapSide || sheetHeight > gdi::kMaxBitmapSide ||
        sheetWidth * sheetHeight > gdi::kMaxBitmapPixels) {
      throw SetError(TranslateFormat("the sprite sheet at %sx would be %s, more than can be drawn; make the set smaller",
                                     {std::to_string(most), SizeText(sheetWidth, sheetHeight)}));
    }
  }

  // The whole set, added up before anything is drawn: every picture it
  // writes, and as much again for the sprite sheets. Files and bytes follow
  // from the pixels (a file per picture, at most four bytes a pixel).
  std::int64_t pixels = 0;
  for (int scale : options_.scales) {
    pixels += std::int64_t{width_} * scale * height_ * scale * static_cast<std::int64_t>(options_.states.size()) *
              ButtonCount() * (options_.sprite ? 2 : 1);
  }
  if (pixels > kMaxSetPixels) {
    const std::int64_t million = 1'000'000;
    throw SetError(TranslateFormat(
        "the set would draw %s million pixels (%s captions on buttons of %s, in every look and at every scale asked "
        "for), more than the %s million one set may draw; keep the layout's size (--size fixed), draw fewer scales "
        "(--scales) or looks, or give fewer captions",
        {std::to_string((pixels + million - 1) / million), std::to_string(ButtonCount()), SizeText(width_, height_),
         std::to_string(kMaxSetPixels / million)}));
  }
}

void ButtonSet::PlanNames() {
  const std::string& pattern = options_.pattern;
  CheckPattern(pattern);
  std::map<std::string, std::string> taken;  // name -> what has it
  const auto take = [&](const std::string& name, const std::string& what) {
    const auto [it, inserted] = taken.emplace(name, what);
    if (inserted) return;
    std::string_view missing;
    const auto need = [&](bool varies, std::string_view field) {
      if (varies && !PatternHasField(pattern, field) && missing.empty()) missing = field;
    };
    need(ButtonCount() > 1 && !PatternHasField(pattern, "index"), "name");
    need(options_.states.size() > 1, "state");
    need(options_.scales.size() > 1, "scale");
    if (missing.empty()) {
      throw SetError(TranslateFormat("the file-name pattern \"%s\" gives the same file name %s to %s and %s; set its "
                                     "fields apart",
                                     {pattern, name, it->second, what}));
    }
    throw SetError(
        TranslateFormat("the file-name pattern \"%s\" gives the same file name %s to %s and %s; add {%s}",
                        {pattern, name, it->second, what, missing}));
  };
  const std::size_t formats = options_.formats.size();
  names_.assign(options_.captions.size() * options_.states.size() * options_.scales.size() * formats, {});
  for (int button = 0; button < ButtonCount(); ++button) {
    for (std::size_t scale = 0; scale < options_.scales.size(); ++scale) {
      for (std::size_t state = 0; state < options_.states.size(); ++state) {
        const std::string_view stateName = render::ButtonStateName(options_.states[state]);
        const std::string stem = ExpandPattern(pattern, Slug(button), button + 1, stateName, options_.scales[scale]);
        for (std::size_t format = 0; format < formats; ++format) {
          std::string name = stem + std::string(FormatExtension(options_.formats[format]));
          try {
            CheckSetFileName(name);
          } catch (const SetError& e) {
            throw SetError(TranslateFormat("the file-name pattern \"%s\" cannot be used: %s", {pattern, e.what()}));
          }
          take(name, TranslateFormat("\"%s\" %s at %sx",
                                     {Caption(button), stateName, std::to_string(options_.scales[scale])}));
          names_[((static_cast<std::size_t>(button) * options_.states.size() + state) * options_.scales.size() +
                  scale) *
                     formats +
                 format] = std::move(name);
        }
      }
    }
  }
  if (options_.sprite) {
    for (int scale : options_.scales) {
      for (const ExportFormat format : SheetFormats())
        take(SpriteSheetName(scale, format), Translate("the sprite sheet"));
    }
  }
  take(std::string(kStyleSheetName), Translate("the style sheet"));
  take(std::string(kPreviewPageName), Translate("the preview page"));
  take(std::string(kSnippetName), Translate("the markup snippet"));
}

std::vector<ExportFormat> ButtonSet::SheetFormats() const {
  std::vector<ExportFormat> formats;
  for (const ExportFormat format : options_.formats) {
    if (FormatInfo(format).partial_transparency) formats.push_back(format);
  }
  if (formats.empty()) formats.push_back(ExportFormat::Png);
  return formats;
}

const std::string& ButtonSet::FileName(int button, int state, int scale, int format) const {
  return names_.at(((static_cast<std::size_t>(button) * options_.states.size() + static_cast<std::size_t>(state)) *
                        options_.scales.size() +
                    static_cast<std::size_t>(scale)) *
                       options_.formats.size() +
                   static_cast<std::size_t>(format));
}

std::vector<std::string> ButtonSet::FileNames() const {
  std::vector<std::string> names;
  for (int button = 0; button < ButtonCount(); ++button) {
    for (std::size_t scale = 0; scale < options_.scales.size(); ++scale) {
      for (std::size_t state = 0; state < options_.states.size(); ++state) {
        for (std::size_t format = 0; format < options_.formats.size(); ++format) {
          names.push_back(FileName(button, static_cast<int>(state), static_cast<int>(scale), static_cast<int>(format)));
        }
      }
    }
  }
  if (options_.sprite) {
    for (int scale : options_.scales) {
      for (const ExportFormat format : SheetFormats()) names.push_back(SpriteSheetName(scale, format));
    }
  }
  names.emplace_back(kStyleSheetName);
  names.emplace_back(kPreviewPageName);
  names.emplace_back(kSnippetName);
  return names;
}

void ButtonSet::Prepare(int button, int scale, bool pressed) {
  std::vector<document::LayerRow> rows = rows_;
  rows[static_cast<std::size_t>(caption_layer_)].SetSubItem(document::SubItem::Properties,
                                                            props_.at(static_cast<std::size_t>(button)));
  layout_->ReplaceRows(std::move(rows));
  render::ScaleDocument(*layout_, scale, *doc_);
  if (alignment_ > 0) {
    std::string left;
    std::string top;
    try {
      renderer_.PlaceTextLayer(*doc_, doc_->Row(caption_layer_).Properties(), alignment_, left, top, scale);
      doc_->SetRowSubItem(caption_layer_, document::SubItem::Left, std::move(left));
      doc_->SetRowSubItem(caption_layer_, document::SubItem::Top, std::move(top));
    } catch (const base::Error&) {
      // A caption that cannot be measured cannot be drawn either.
    }
  }
  if (pressed) render::PressDocument(*doc_, scale);
}

render::RenderResult ButtonSet::RenderDocument(int scale) {
  const render::RenderResult result = renderer_.RenderButton(*doc_, scale);
  if (smooth_left_out_.empty()) smooth_left_out_ = renderer_.SmoothLeftOutMessage();
  return result;
}

render::CaptionSample ButtonSet::SampleCaptionAt1x(int button, bool pressed) {
  Prepare(button, 1, pressed);
  std::vector<document::LayerRow> rows = doc_->Rows();
  std::vector<document::LayerRow> hidden = rows;
  hidden[static_cast<std::size_t>(caption_layer_)].image_index = document::kHiddenImage;
  // The button as Draw holds it, or else drawn after the one without its
  // caption, so that the surface is left with it for the look drawn next.
  const bool drawn = drawn_as_.Is(button, 1, pressed);
  doc_->ReplaceRows(std::move(hidden));
  on_surface_ = {};
  if (RenderDocument(1) == render::RenderResult::OutOfMemory) throw std::bad_alloc();
  gdi::Bitmap without;
  if (!drawn) {
    without = renderer_.Surface();
    doc_->ReplaceRows(std::move(rows));
    const render::RenderResult result = RenderDocument(1);
    if (result == render::RenderResult::OutOfMemory) throw std::bad_alloc();
    if (result == render::RenderResult::Drawn || result == render::RenderResult::Partial) {
      on_surface_ = {button, 1, pressed, result == render::RenderResult::Partial};
    }
  }
  const std::string& props = props_.at(static_cast<std::size_t>(button));
  std::optional<gdi::Pixel> colour;
  if (!document::ReadFlag(document::text_keys::kGradient, props, document::PropertyReader::Drawer).ValueOr(false)) {
    const document::ColorValue value =
        document::ReadColor(document::text_keys::kColor, props, document::PropertyReader::Drawer);
    if (value.Converts()) colour = gdi::ResolveColor(value.Value());
  }
  if (drawn) return render::SampleCaption(drawn_, renderer_.Surface(), colour, matte_);
  return render::SampleCaption(renderer_.Surface(), without, colour, matte_);
}

const ButtonSet::Readability& ButtonSet::CaptionReadability(int button) {
  readability_.resize(options_.captions.size());
  std::optional<Readability>& kept = readability_.at(static_cast<std::size_t>(button));
  if (kept) return *kept;
  Readability r;
  const render::CaptionSample normal = SampleCaptionAt1x(button, false);
  // The pressed look is drawn anew: measured only when the set has it.
  const bool hasPressed = std::find(options_.states.begin(), options_.states.end(), render::ButtonState::Pressed) !=
                          options_.states.end();
  const render::CaptionSample pressed = hasPressed ? SampleCaptionAt1x(button, true) : render::CaptionSample{};
  r.hover = render::ChooseHoverLook(normal);
  for (const render::ButtonState state : render::kButtonStates) {
    const render::CaptionSample sample =
        state == render::ButtonState::Pressed ? pressed : render::StateSample(normal, state, r.hover);
    r.contrast[static_cast<std::size_t>(state)] = sample.Contrast();
  }
  // Letters of 24 pixels and more are large text (18 points at 96 dots an
  // inch); a negative size gives the cell's height, which is larger still.
  const std::int32_t size =
      document::ReadInteger(document::text_keys::kFontSize, props_.at(static_cast<std::size_t>(button)),
                            document::PropertyReader::Drawer)
          .ValueOr(0);
  const std::int64_t points = size < 0 ? -std::int64_t{size} : size;
  if (points * 96 >= std::int64_t{render::kLargeCaptionPixels} * 72) r.goal = render::kMinContrastLarge;
  kept = r;
  return *kept;
}

std::vector<std::string> ButtonSet::ContrastWarnings(int buttons) {
  const auto ratio = [](double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string out = text;
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    return out + ":1";
  };
  std::vector<std::string> warnings;
  for (int button = 0; button < std::min(buttons, ButtonCount()); ++button) {
    const Readability& r = CaptionReadability(button);
    for (const render::ButtonState state : options_.states) {
      const double contrast = r.contrast[static_cast<std::size_t>(state)];
      if (state == render::ButtonState::Disabled || contrast <= 0 || contrast >= r.goal) continue;
      warnings.push_back(
          TranslateFormat("the caption \"%s\" in the %s look has a contrast of %s against its "
                          "button, less than the %s that makes it easy to read",
                          {Caption(button), render::ButtonStateName(state), ratio(contrast), ratio(r.goal)}));
    }
  }
  return warnings;
}

const gdi::Bitmap& ButtonSet::Draw(int button, render::ButtonState state, int scale, bool* partial) {
  const render::HoverLook hover =
      state == render::ButtonState::Hover ? CaptionReadability(button).hover : render::HoverLook{};
  const bool pressed = render::StateRedraws(state);
  if (!drawn_as_.Is(button, scale, pressed)) {
    drawn_as_ = {};
    // Measuring the caption may have left this very button on the surface.
    if (!on_surface_.Is(button, scale, pressed)) {
      on_surface_ = {};
      Prepare(button, scale, pressed);
      const render::RenderResult result = RenderDocument(scale);
      if (result == render::RenderResult::OutOfMemory) throw std::bad_alloc();
      if (result != render::RenderResult::Drawn && result != render::RenderResult::Partial) {
        throw SetError(TranslateFormat("the button \"%s\" could not be drawn", {Caption(button)}));
      }
      on_surface_ = {button, scale, pressed, result == render::RenderResult::Partial};
    }
    drawn_ = renderer_.Surface();
    drawn_as_ = on_surface_;
  }
  picture_ = drawn_;
  render::ApplyStatePixels(picture_, state, work_area_, hover);
  if (partial) *partial = drawn_as_.partial;
  return picture_;
}

SetWriter::SetWriter(ButtonSet& set, std::string folder) : set_(set), folder_(std::move(folder)) {
  if (folder_.empty()) throw SetError(Translate("no folder is given for the set"));
  // The folder is reached part by part, and no other user's link in a
  // shared folder is followed on the way, whatever the system's setting.
  const auto refuse = [&](const std::string& refusal) {
    return SetError(TranslateFormat("Cannot write the set into %s: %s", {folder_, refusal}));
  };
  std::string refusal;
  const base::UniqueFd reached = base::OpenFolderSafely(folder_, refusal);
  if (!refusal.empty()) throw refuse(refusal);
  if (!reached.Valid() && errno == ENOTDIR) throw SetError(TranslateFormat("%s is no folder", {folder_}));
  if (!reached.Valid()) {
    std::string path = folder_;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const std::size_t slash = path.rfind('/');
    const std::string parent = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const base::UniqueFd parentFolder = base::OpenFolderSafely(parent, refusal);
    if (!refusal.empty()) throw refuse(refusal);
    if (!parentFolder.Valid() || ::mkdirat(parentFolder.Get(), name.c_str(), 0777) != 0) {
      const int err = errno;
      throw SetError(TranslateFormat(
          "Cannot create the folder %s: %s",
          {folder_, err == ENOENT ? Translate("the folder it belongs in does not exist") : std::strerror(err)}));
    }
  }
  struct stat st {};
  for (const std::string& name : set_.FileNames()) {
    const std::string path = PathOf(name);
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
      throw SetError(TranslateFormat("%s is not a file: a set replaces files only", {path}));
    }
  }
}

int SetWriter::StepCount() const {
  const SetOptions& options = set_.Options();
  return set_.ButtonCount() * static_cast<int>(options.scales.size()) + 1;
}

std::string SetWriter::PathOf(std::string_view name) const {
  return folder_ + (folder_.back() == '/' ? "" : "/") + std::string(name);
}

void SetWriter::WriteFile(std::string_view name, const std::vector<std::uint8_t>& bytes) {
  base::AtomicFile file;
  file.SetReplaceLinks(true);
  // Pictures can be written again; the wait for the disk would cost more.
  file.SetDurable(false);
  file.Open(PathOf(name));
  file.Write(bytes);
  file.Commit();
  ++files_written_;
}

void SetWriter::WriteStep() {
  if (Done()) return;
  const SetOptions& options = set_.Options();
  const int scales = static_cast<int>(options.scales.size());
  if (step_ == set_.ButtonCount() * scales) {
    WriteSheets();
    TidyFolder();
    ++step_;
    return;
  }
  // Scale by scale, so that only the sprite sheet of one scale is held.
  const int button = step_ % set_.ButtonCount();
  const int scaleIndex = step_ / set_.ButtonCount();
  const int scale = options.scales[static_cast<std::size_t>(scaleIndex)];
  if (options.sprite && button == 0) {
    sheet_ = gdi::Bitmap(set_.Width() * scale * static_cast<int>(options.states.size()),
                         set_.Height() * scale * set_.ButtonCount());
    sheet_.KeepAlpha(true);
  }
  bool partlyDrawn = false;
  for (std::size_t state = 0; state < options.states.size(); ++state) {
    bool partial = false;
    const gdi::Bitmap& picture = set_.Draw(button, options.states[state], scale, &partial);
    partlyDrawn = partlyDrawn || partial;
    for (std::size_t format = 0; format < options.formats.size(); ++format) {
      WriteFile(set_.FileName(button, static_cast<int>(state), scaleIndex, static_cast<int>(format)),
                EncodeButton(picture, options.formats[format], set_.WorkArea(), set_.Matte(), options.quality));
    }
    if (options.sprite) {
      gdi::Bitmap& sheet = sheet_;
      const int cellWidth = set_.Width() * scale;
      const int cellHeight = set_.Height() * scale;
      const int left = static_cast<int>(state) * cellWidth;
      for (int y = 0; y < cellHeight; ++y) {
        const int row = button * cellHeight + y;
        std::copy(picture.Row(y), picture.Row(y) + cellWidth, sheet.Row(row) + left);
        if (const std::uint8_t* alpha = picture.AlphaRow(y)) {
          std::copy(alpha, alpha + cellWidth, sheet.AlphaRow(row) + left);
        } else {
          sheet.MarkPainted(row, left, left + cellWidth);
        }
      }
    }
  }
  if (partlyDrawn) {
    partly_drawn_.push_back(TranslateFormat("%s at %sx", {set_.Caption(button), std::to_string(scale)}));
  }
  if (options.sprite && button + 1 == set_.ButtonCount()) {
    for (const ExportFormat format : set_.SheetFormats()) {
      WriteFile(SpriteSheetName(scale, format), EncodeButton(sheet_, format, set_.WorkArea(), set_.Matte(), options.quality));
    }
    sheet_ = gdi::Bitmap();
  }
  ++step_;
}

void SetWriter::TidyFolder() {
  std::string refusal;
  const base::UniqueFd folder = base::OpenFolderSafely(folder_, refusal);
  if (!folder.Valid()) return;
  // The record of the set before, read without following a link and only
  // when it is a regular file of sensible size.
  std::optional<std::vector<std::string>> before;
  {
    const base::UniqueFd file(
        ::openat(folder.Get(), std::string(kSetManifestName).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (file.Valid() && ::fstat(file.Get(), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::uint64_t>(st.st_size) <= kMaxManifestSize) {
      std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
      std::size_t got = 0;
      while (got < bytes.size()) {
        const ssize_t n = ::read(file.Get(), bytes.data() + got, bytes.size() - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
      }
      bytes.resize(got);
      before = ParseSetManifest(bytes);
    }
  }
  const std::vector<std::string> names = set_.FileNames();
  const std::string record = SetManifestText(names);
  WriteFile(kSetManifestName, {record.begin(), record.end()});
  --files_written_;  // the record is no file of the set
  if (!before) return;
  const std::set<std::string> kept(names.begin(), names.end());
  for (const std::string& name : *before) {
    if (kept.count(name) != 0 || !NamedLikeSetFile(name, set_.Options().pattern)) continue;
    struct stat st {};
    if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::unlinkat(folder.Get(), name.c_str(), 0) == 0) ++files_removed_;
  }
}

void SetWriter::WriteSheets() {
  const std::string css = SetStyleSheet(set_);
  WriteFile(kStyleSheetName, {css.begin(), css.end()});
  const std::string page = SetPreviewPage(set_);
  WriteFile(kPreviewPageName, {page.begin(), page.end()});
  const std::string snippet = SetSnippet(set_);
  WriteFile(kSnippetName, {snippet.begin(), snippet.end()});
}

}  // namespace vorbel::commands

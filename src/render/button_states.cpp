#include "render/button_states.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/ascii_text.h"
#include "document/layer_schema.h"
#include "document/layer_type.h"
#include "document/property_string.h"
#include "document/value_conversion.h"
#include "render/render_scale.h"

namespace vorbel::render {
namespace {

// Exchanges the values of two keys as the drawer reads them (with their
// defaults when missing).
std::string SwapKeys(const std::string& props, const document::PropertyKey& first,
                     const document::PropertyKey& second) {
  const std::string a = document::GetPropValue(first.name, props, first.drawer_default);
  const std::string b = document::GetPropValue(second.name, props, second.drawer_default);
  return document::SetPropValue(second.name, document::SetPropValue(first.name, props, b), a);
}

std::string Shifted(const std::string& offset, int shift) {
  return std::to_string(ScaledNumber(std::int64_t{document::ReadOffset(offset)} + shift, 1));
}

}  // namespace

std::string_view ButtonStateName(ButtonState state) {
  switch (state) {
    case ButtonState::Normal: return "normal";
    case ButtonState::Hover: return "hover";
    case ButtonState::Pressed: return "pressed";
    case ButtonState::Disabled: return "disabled";
  }
  return "normal";
}

std::optional<ButtonState> ButtonStateNamed(std::string_view name) {
  for (const ButtonState state : kButtonStates) {
    if (base::EqualsIgnoringAsciiCase(name, ButtonStateName(state))) return state;
  }
  return std::nullopt;
}

document::LayerRow PressedRow(const document::LayerRow& row, int shift) {
  document::LayerRow pressed = row;
  if (!row.IsComplete()) return pressed;
  const document::LayerKinds kinds = document::KindsForRender(row.type);
  std::string props = row.Properties();
  if (kinds.background) {
    props = SwapKeys(props, document::background_keys::kHighlight, document::background_keys::kShadowClr);
  }
  if (kinds.bevel) props = SwapKeys(props, document::bevel_keys::kHighlight, document::bevel_keys::kShadow);
  pressed.SetSubItem(document::SubItem::Properties, std::move(props));
  if (kinds.text || kinds.image) {
    pressed.SetSubItem(document::SubItem::Left, Shifted(row.Left(), shift));
    pressed.SetSubItem(document::SubItem::Top, Shifted(row.Top(), shift));
  }
  return pressed;
}

void PressDocument(document::ButtonDocument& doc, int shift) {
  std::vector<document::LayerRow> rows;
  rows.reserve(static_cast<std::size_t>(doc.RowCount()));
  for (const document::LayerRow& row : doc.Rows()) rows.push_back(PressedRow(row, shift));
  doc.ReplaceRows(std::move(rows));
}

namespace {

// A channel 20 % of the way to 255 (lighter) or to 0 (darker), rounded, for
// every level: [darker][level].
constexpr std::array<std::array<std::uint8_t, 256>, 2> kHoverShades = [] {
  std::array<std::array<std::uint8_t, 256>, 2> shades{};
  for (int c = 0; c < 256; ++c) {
    shades[0][static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c + ((255 - c) * 20 + 50) / 100);
    shades[1][static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c - (c * 20 + 50) / 100);
  }
  return shades;
}();

}  // namespace

gdi::Pixel HoverPixel(gdi::Pixel p, bool darker) {
  const std::array<std::uint8_t, 256>& shade = kHoverShades[darker ? 1 : 0];
  return gdi::Pixel::FromRgb(shade[p.Red()], shade[p.Green()], shade[p.Blue()]);
}

CaptionSample StateSample(const CaptionSample& normal, ButtonState state, const HoverLook& hover) {
  if (state != ButtonState::Hover && state != ButtonState::Disabled) return normal;
  CaptionSample sample = normal;
  const auto rule = [&](gdi::Pixel p) {
    return state == ButtonState::Hover ? HoverPixel(p, hover.darker) : DisabledPixel(p);
  };
  if (state == ButtonState::Disabled || hover.caption != normal.colour) sample.colour = rule(normal.colour);
  for (gdi::Pixel& p : sample.backdrop) {
    if (state == ButtonState::Disabled || hover.caption != p) p = rule(p);
  }
  return sample;
}

HoverLook ChooseHoverLook(const CaptionSample& normal) {
  if (normal.Empty()) return {};
  const double goal = normal.Contrast();
  const HoverLook lighter{false, normal.colour};
  const HoverLook darker{true, normal.colour};
  const double lighterContrast = StateSample(normal, ButtonState::Hover, lighter).Contrast();
  if (lighterContrast >= goal) return lighter;
  const double darkerContrast = StateSample(normal, ButtonState::Hover, darker).Contrast();
  return darkerContrast >= goal || darkerContrast > lighterContrast ? darker : lighter;
}

gdi::Pixel DisabledPixel(gdi::Pixel p) {
  const int brightness = (299 * p.Red() + 587 * p.Green() + 114 * p.Blue() + 500) / 1000;
  const auto grey = static_cast<std::uint8_t>(96 + brightness / 2);
  return gdi::Pixel::FromRgb(grey, grey, grey);
}

void ApplyStatePixels(gdi::Bitmap& picture, ButtonState state, gdi::Pixel workArea, const HoverLook& hover) {
  if (state != ButtonState::Hover && state != ButtonState::Disabled) return;
  const auto rule = [&](gdi::Pixel p) {
    if (state == ButtonState::Disabled) return DisabledPixel(p);
    return hover.caption == p ? p : HoverPixel(p, hover.darker);
  };
  // A pixel the rule turns into the work-area colour moves one level in blue.
  const std::uint8_t blue = workArea.Blue();
  const gdi::Pixel nudged = gdi::Pixel::FromRgb(workArea.Red(), workArea.Green(),
                                                static_cast<std::uint8_t>(blue < 255 ? blue + 1 : blue - 1));
  // Buttons are runs of one colour: the last pixel's answer is kept.
  bool known = false;
  gdi::Pixel last;
  gdi::Pixel lastShade;
  for (int y = 0; y < picture.Height(); ++y) {
    gdi::Pixel* row = picture.Row(y);
    const std::uint8_t* alpha = picture.AlphaRow(y);
    for (int x = 0; x < picture.Width(); ++x) {
      // Transparent pixels stay as they are; so do those of the work-area
      // colour in a picture without alpha.
      if (alpha != nullptr ? alpha[x] == 0 : row[x] == workArea) continue;
      if (!known || row[x] != last) {
        known = true;
        last = row[x];
        gdi::Pixel p = rule(last);
        if (p == workArea) p = nudged;
        lastShade = picture.MapPixel(p);
      }
      row[x] = lastShade;
    }
  }
}

}  // namespace vorbel::render

#pragma once
// The looks of a web button: normal, hover, pressed and disabled, each made
// from the one layout by fixed rules.
//
//  - normal: the layout as it is.
//  - hover: the normal picture with every pixel that is not the work-area
//    colour moved 20 % of the way towards white, or towards black where
//    lighter would make the caption harder to read (a light caption on its
//    face); the caption's own pixels, when its colour is known, keep it, so
//    that the hover look keeps at least the normal look's contrast.
//  - pressed: drawn again with the light and dark colours of every bevel
//    (Highlight and Shadow) and of every background's 3D shading (Highlight
//    and ShadowClr) swapped, and every text and image layer moved one pixel
//    right and down: the button looks pushed in.
//  - disabled: the normal picture with every pixel that is not the work-area
//    colour turned grey at half the contrast, on a light grey: the grey of
//    its brightness g (0.299 red + 0.587 green + 0.114 blue) becomes
//    96 + g / 2, so black shows as a mid grey and white as a light one.
// The looks change colours, never the alpha: transparent pixels (in a
// picture without alpha, the work-area pixels) stay as they are, and no
// other pixel becomes the work-area colour: one that a rule would turn into
// exactly that colour is moved one level in blue, so that a picture whose
// work-area colour is transparent keeps it.

#include <array>
#include <optional>
#include <string_view>

#include "document/button_document.h"
#include "document/layer_row.h"
#include "gdi/bitmap.h"
#include "render/caption_contrast.h"

namespace vorbel::render {

enum class ButtonState { Normal, Hover, Pressed, Disabled };

// In the order above.
inline constexpr std::array<ButtonState, 4> kButtonStates = {ButtonState::Normal, ButtonState::Hover,
                                                             ButtonState::Pressed, ButtonState::Disabled};

// "normal", "hover", "pressed", "disabled".
std::string_view ButtonStateName(ButtonState state);
// The state of one of those names, in any ASCII letter case.
std::optional<ButtonState> ButtonStateNamed(std::string_view name);

// Whether a state draws the document again (pressed), rather than changing
// the pixels of the normal picture (ApplyStatePixels).
constexpr bool StateRedraws(ButtonState state) { return state == ButtonState::Pressed; }

// The row as the pressed look draws it; `shift` is the move of text and
// image layers in pixels (the scale of the pass: one pixel of the button).
document::LayerRow PressedRow(const document::LayerRow& row, int shift);
// Every row of the document through PressedRow.
void PressDocument(document::ButtonDocument& doc, int shift);

// How the hover look shades a button: towards white or black, and whether
// the pixels of the caption's colour keep it. The default is the look of a
// button without a measured caption: every pixel lighter.
struct HoverLook {
  bool darker = false;
  std::optional<gdi::Pixel> caption;
};

// The hover look that keeps the caption of `normal` at least as readable:
// lighter when that keeps its contrast, else darker when that does, else
// the one of the two with more contrast; the caption keeps its colour. An
// empty sample gives the default look.
HoverLook ChooseHoverLook(const CaptionSample& normal);
// The sample as the hover or disabled look draws it (the pressed look is
// drawn anew and measured on its own).
CaptionSample StateSample(const CaptionSample& normal, ButtonState state, const HoverLook& hover);

// Turns a normal picture into the hover or disabled look in place; the normal
// and pressed looks leave it as it is. `workArea` is the work-area colour as
// drawn. Partly transparent pixels change their colour and keep their alpha.
void ApplyStatePixels(gdi::Bitmap& picture, ButtonState state, gdi::Pixel workArea, const HoverLook& hover = {});

// The rules for one pixel that is not the work-area colour, before the
// work-area colour is kept clear.
gdi::Pixel HoverPixel(gdi::Pixel p, bool darker = false);
gdi::Pixel DisabledPixel(gdi::Pixel p);

}  // namespace vorbel::render

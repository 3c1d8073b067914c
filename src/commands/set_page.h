#pragma once
// The style sheet, the preview page and the markup snippet of a button set.
//
// With sprite sheets: the sheet of a scale holds every button in a grid: one
// row per caption in list order, one column per state in the order asked
// for, each cell the button's size at that scale. The style sheet gives every
// button a class ("btn-" and its slug) over the class "btn": its normal cell
// (the first state's when normal is not asked for), the hover cell for :hover
// where there is hover (a tap must not leave a button in its hover look), the
// pressed cell for :active and the disabled cell for the class
// "btn-disabled", the attribute disabled and aria-disabled="true". The
// sheets of 2x and 3x come through image-set(), scaled down to the size of
// the 1x sheet; with several formats each density offers them in the set's
// order with their types, after a plain url() of the last format for
// browsers without image-set(). The picture lies over the caption, which
// shows as text when the picture does not load, and in forced-colours mode
// in the system's colours instead of the picture; keyboard focus draws a
// ring around the picture's own shape; a disabled link takes no pointer.
//
// Without sprite sheets, the page and the snippet show each button as
// <img srcset> of its files (in a <picture> with a <source> per further
// format when there are several), its caption as the alternative text.
//
// The page shows the buttons on the work-area colour, live, and every file
// of the set; it needs nothing but the files beside it, so it works opened
// from the disk. The snippet holds one link a button, to copy into a page.

#include <string>

#include "commands/button_set.h"

namespace vorbel::commands {

std::string SetStyleSheet(const ButtonSet& set);
std::string SetPreviewPage(const ButtonSet& set);
std::string SetSnippet(const ButtonSet& set);

// A file name as the path of a relative URL: every byte but ASCII letters,
// digits and "-._~@" percent-encoded.
std::string UrlPathEscaped(std::string_view name);

}  // namespace vorbel::commands

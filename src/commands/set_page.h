#pragma once
// The style sheet and the preview page of a button set with sprite sheets.
//
// The sprite sheet of a scale holds every button in a grid: one row per
// caption in list order, one column per state in the order asked for, each
// cell the button's size at that scale. The style sheet gives every button a
// class ("btn-" and its slug) over the class "btn": its normal cell (the
// first state's when normal is not asked for), the hover cell for :hover,
// the pressed cell for :active and the disabled cell for the class
// "btn-disabled", the attribute disabled and aria-disabled="true"; the
// sheets of 2x and 3x come through image-set(), scaled down to the size of
// the 1x sheet. The page shows the buttons on the work-area colour, live, and
// every file of the set; it needs nothing but the files beside it, so it
// works opened from the disk.

#include <string>

#include "commands/button_set.h"

namespace vorbel::commands {

std::string SetStyleSheet(const ButtonSet& set);
std::string SetPreviewPage(const ButtonSet& set);

// A file name as the path of a relative URL: every byte but ASCII letters,
// digits and "-._~@" percent-encoded.
std::string UrlPathEscaped(std::string_view name);

}  // namespace vorbel::commands

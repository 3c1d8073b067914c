#pragma once
// Conversions between the texts stored in property strings and layer rows and
// the numbers and colours they stand for.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/color.h"
#include "document/conversion_error.h"

namespace vorbel::document {

// One named colour of the identifier table.
struct ColorIdentifier {
  const char* name;
  base::Color value;
};

// The 42 colour identifiers, "clBlack" to "clNone", in their fixed order. The
// order matters: a colour held by several entries is written with the first.
extern const std::array<ColorIdentifier, 42> kColorIdentifiers;

// Integer conversion of a stored text. Accepted, after any leading blanks:
//   - an optional "-" or "+" and decimal digits, or
//   - a hexadecimal prefix ("$", "x", "X", "0x", "0X") and 1 to 8 hexadecimal
//     digits of either case; 8 digits may give a negative value ("$FFFFFFFF"
//     is -1).
// The result must fit a signed 32-bit integer. Empty text, a sign before a
// hexadecimal prefix, trailing characters and overflow are all failures.
std::optional<std::int32_t> TryStringToInt(std::string_view text);

// As TryStringToInt, but a failure raises ConversionError naming the text.
std::int32_t StringToInt(std::string_view text);

// The identifier of the first table entry holding `color`, else "$" and the 32
// bits as exactly 8 upper-case hexadecimal digits (-1 gives "$FFFFFFFF").
std::string ColorToString(base::Color color);

// An identifier of the table, matched ignoring ASCII letter case ("CLRED"), else
// the integer conversion of the text ("255", "$000000FF"); nothing when neither
// applies.
std::optional<base::Color> TryStringToColor(std::string_view text);

// As TryStringToColor, but a failure raises ConversionError naming the text.
base::Color StringToColor(std::string_view text);

// Reads a layer's Left or Top offset: an optional sign and decimal digits, or
// "$" and 1 to 8 hexadecimal digits. Any other text (empty, blanks, junk,
// overflow) counts as 0; reading an offset never fails.
std::int32_t ReadOffset(std::string_view text);

}  // namespace vorbel::document

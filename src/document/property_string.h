#pragma once
// Lookup in a layer's property string.
//
// A property string is a run of pairs "Key=Value;" such as
// "Highlight=clWhite;Shadow=clGray;Pen=1;". There is no parser: every reader
// asks for one key at a time through GetPropValue, and its search rules decide
// what any string, well formed or not, reads as.

#include <string>
#include <string_view>

namespace vorbel::document {

// Returns the value of `key` in `props`, or `def` when that value is empty.
//
// The search is a case-insensitive (ASCII letters only) substring search for
// key + "=" anywhere in the string, not tied to pair boundaries: the leftmost
// occurrence wins, even at the end of a longer key ("ShadowColor=" answers a
// lookup of "Color" when it stands first) or inside an earlier value. The value
// runs from just after the "=" up to the next ";" or the end of the string, in
// its stored letter case, blanks kept. A missing key, an empty value and a value
// cut to nothing all give `def`. Never fails.
std::string GetPropValue(std::string_view key, std::string_view props, std::string_view def);

// Reads a yes/no flag: true when the value holds the letter "y" or "Y" anywhere
// ("Yes", "Y", "Maybe"), false for anything else ("No", "on", "1", "True", "").
bool YesNoToBool(std::string_view value);

// The texts the writers put into property strings for a flag.
inline const char* BoolToYesNo(bool value) { return value ? "Yes" : "No"; }

}  // namespace vorbel::document

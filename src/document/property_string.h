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

// Returns `props` with the value of `key` replaced by `value`: the value that
// GetPropValue reads (the text after the first key + "=" up to the next ";"
// or the end) is replaced in place, so every other pair, and what every other
// lookup reads, stays as it was unless the new value itself holds a key. A
// key that is not there is appended as key + "=" + value + ";", after a ";"
// that closes a last pair written without one. `key` must not be empty and
// neither it nor `value` may hold ";" (a value with ";" would be read cut
// there); callers check.
std::string SetPropValue(std::string_view key, std::string_view props, std::string_view value);

// Reads a yes/no flag: true when the value holds the letter "y" or "Y" anywhere
// ("Yes", "Y", "Maybe"), false for anything else ("No", "on", "1", "True", "").
bool YesNoToBool(std::string_view value);

// The texts the writers put into property strings for a flag.
inline const char* BoolToYesNo(bool value) { return value ? "Yes" : "No"; }

}  // namespace vorbel::document

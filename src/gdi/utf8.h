#pragma once
// Decoding of UTF-8 text that may be malformed.

#include <string>
#include <string_view>
#include <vector>

namespace vorbel::gdi {

// The replacement character drawn for every malformed piece of UTF-8.
constexpr char32_t kReplacementChar = 0xFFFD;

// The code points of utf8. Never fails: each maximal ill-formed subsequence
// (a stray continuation byte, a truncated sequence, an overlong form, a
// surrogate or a value above U+10FFFF) becomes one kReplacementChar, the way
// Unicode recommends, and decoding goes on with the next byte.
std::u32string DecodeUtf8(std::string_view utf8);

// utf8 cut to at most maxCodePoints code points, with every malformed piece
// replaced by U+FFFD and everything from the first NUL on left out: a string
// that C interfaces can take as it is.
std::string SanitizeUtf8(std::string_view utf8, std::size_t maxCodePoints);

}  // namespace vorbel::gdi

#pragma once
// Text in UTF-8, which the program holds and writes, and in Windows-1252,
// which layout files from older systems hold.
//
// One rule decides what well-formed UTF-8 is everywhere: no stray
// continuation bytes, no truncated, overlong or surrogate sequences, nothing
// above U+10FFFF.

#include <cstddef>
#include <string>
#include <string_view>

namespace vorbel::base {

// The replacement character that stands for a malformed piece of UTF-8.
inline constexpr char32_t kReplacementChar = 0xFFFD;

// True when `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// The code points of utf8. Never fails: each maximal ill-formed subsequence
// (a stray continuation byte, a truncated sequence, an overlong form, a
// surrogate or a value above U+10FFFF) becomes one kReplacementChar, the way
// Unicode recommends, and decoding goes on with the next byte.
std::u32string DecodeUtf8(std::string_view utf8);

// The UTF-8 form of code points; a surrogate or a value above U+10FFFF
// becomes kReplacementChar.
std::string EncodeUtf8(std::u32string_view text);

// utf8 cut to at most maxCodePoints code points, with every malformed piece
// replaced by U+FFFD and everything from the first NUL on left out: a string
// that C interfaces can take as it is.
std::string SanitizeUtf8(std::string_view utf8, std::size_t maxCodePoints);

// The first `maxChars` characters of well-formed UTF-8 text (all of it when it
// is shorter). Never cuts a character in two.
std::string_view Utf8Prefix(std::string_view utf8, std::size_t maxChars);

// The UTF-8 form of Windows-1252 text. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
// the same number, so no byte is lost.
std::string Windows1252ToUtf8(std::string_view text);

// `text` made well-formed: valid UTF-8 sequences are kept, every byte that is
// not part of one is read as Windows-1252.
std::string ToValidUtf8(std::string_view text);

}  // namespace vorbel::base

#pragma once
// The two text encodings layout files come in: UTF-8, which we write, and
// Windows-1252, which layout files from older systems hold.

#include <cstddef>
#include <string>
#include <string_view>

namespace vorbel {

// True when `text` is well-formed UTF-8: no stray continuation bytes, no
// truncated, overlong or surrogate sequences, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The UTF-8 form of Windows-1252 text. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
// the same number, so no byte is lost.
std::string Windows1252ToUtf8(std::string_view text);

// The first `maxChars` characters of well-formed UTF-8 text (all of it when it
// is shorter). Never cuts a character in two.
std::string_view Utf8Prefix(std::string_view utf8, std::size_t maxChars);

// `text` made well-formed: valid UTF-8 sequences are kept, every byte that is
// not part of one is read as Windows-1252.
std::string ToValidUtf8(std::string_view text);

}  // namespace vorbel

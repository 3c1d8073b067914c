#pragma once
// Letter-case changes that touch only the ASCII letters a to z / A to Z.
//
// Property keys, layer type keywords and colour identifiers are compared this
// way. Every other byte, UTF-8 sequences included, is kept as it is, so a
// position in the changed copy is the same position in the original text.

#include <string>
#include <string_view>

namespace vorbel {

std::string UpperCaseAscii(std::string_view text);
std::string LowerCaseAscii(std::string_view text);

// True when the two texts are equal once their ASCII letters are upper-cased.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace vorbel

#pragma once
// Letter case and blanks in texts whose meaningful characters are ASCII.
//
// Property keys, layer type keywords, colour identifiers, INI names and help
// fields are compared this way. Every other byte, UTF-8 sequences included, is
// kept as it is, so a position in the changed copy is the same position in the
// original text.

#include <string>
#include <string_view>

namespace vorbel::base {

constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string UpperCaseAscii(std::string_view text);
std::string LowerCaseAscii(std::string_view text);

// True when the two texts are equal once their ASCII letters are upper-cased.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// `text` without the spaces and tabs at both ends.
std::string_view TrimBlanks(std::string_view text);

// `text` made safe inside the text and quoted attributes of XML and HTML: the
// five markup characters as entity references, every other byte as it is.
std::string EscapeMarkup(std::string_view text);

}  // namespace vorbel::base

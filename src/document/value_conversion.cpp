#include "document/value_conversion.h"

#include <cstdio>

#include "base/ascii_text.h"

namespace vorbel::document {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// 1 to 8 hexadecimal digits and nothing else; the 32 bits are taken as signed.
std::optional<std::int32_t> ParseHexDigits(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return static_cast<std::int32_t>(value);
}

// An optional sign and at least one decimal digit, and nothing else; the value
// must fit 32 signed bits.
std::optional<std::int32_t> ParseSignedDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (!IsDecimalDigit(c)) return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

const std::array<ColorIdentifier, 42> kColorIdentifiers = {{
    {"clBlack", base::Color{0x00000000}},
    {"clMaroon", base::Color{0x00000080}},
    {"clGreen", base::Color{0x00008000}},
    {"clOlive", base::Color{0x00008080}},
    {"clNavy", base::Color{0x00800000}},
    {"clPurple", base::Color{0x00800080}},
    {"clTeal", base::Color{0x00808000}},
    {"clGray", base::Color{0x00808080}},
    {"clSilver", base::Color{0x00C0C0C0}},
    {"clRed", base::Color{0x000000FF}},
    {"clLime", base::Color{0x0000FF00}},
    {"clYellow", base::Color{0x0000FFFF}},
    {"clBlue", base::Color{0x00FF0000}},
    {"clFuchsia", base::Color{0x00FF00FF}},
    {"clAqua", base::Color{0x00FFFF00}},
    {"clWhite", base::Color{0x00FFFFFF}},
    {"clScrollBar", base::Color::System(0x00)},
    {"clBackground", base::Color::System(0x01)},
    {"clActiveCaption", base::Color::System(0x02)},
    {"clInactiveCaption", base::Color::System(0x03)},
    {"clMenu", base::Color::System(0x04)},
    {"clWindow", base::Color::System(0x05)},
    {"clWindowFrame", base::Color::System(0x06)},
    {"clMenuText", base::Color::System(0x07)},
    {"clWindowText", base::Color::System(0x08)},
    {"clCaptionText", base::Color::System(0x09)},
    {"clActiveBorder", base::Color::System(0x0A)},
    {"clInactiveBorder", base::Color::System(0x0B)},
    {"clAppWorkSpace", base::Color::System(0x0C)},
    {"clHighlight", base::Color::System(0x0D)},
    {"clHighlightText", base::Color::System(0x0E)},
    {"clBtnFace", base::Color::System(0x0F)},
    {"clBtnShadow", base::Color::System(0x10)},
    {"clGrayText", base::Color::System(0x11)},
    {"clBtnText", base::Color::System(0x12)},
    {"clInactiveCaptionText", base::Color::System(0x13)},
    {"clBtnHighlight", base::Color::System(0x14)},
    {"cl3DDkShadow", base::Color::System(0x15)},
    {"cl3DLight", base::Color::System(0x16)},
    {"clInfoText", base::Color::System(0x17)},
    {"clInfoBk", base::Color::System(0x18)},
    {"clNone", base::Color{0x1FFFFFFF}},
}};

std::optional<std::int32_t> TryStringToInt(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  std::string_view rest = text.substr(start);
  if (rest.empty()) return std::nullopt;
  if (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X') {
    return ParseHexDigits(rest.substr(1));
  }
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    return ParseHexDigits(rest.substr(2));
  }
  return ParseSignedDecimal(rest);
}

std::int32_t StringToInt(std::string_view text) {
  const std::optional<std::int32_t> value = TryStringToInt(text);
  if (!value) throw ConversionError(text);
  return *value;
}

std::string ColorToString(base::Color color) {
  for (const ColorIdentifier& entry : kColorIdentifiers) {
    if (entry.value == color) return entry.name;
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(color.Value())));
  return buffer;
}

std::optional<base::Color> TryStringToColor(std::string_view text) {
  for (const ColorIdentifier& entry : kColorIdentifiers) {
    if (base::EqualsIgnoringAsciiCase(text, entry.name)) return entry.value;
  }
  const std::optional<std::int32_t> value = TryStringToInt(text);
  if (!value) return std::nullopt;
  return base::Color{*value};
}

base::Color StringToColor(std::string_view text) {
  const std::optional<base::Color> color = TryStringToColor(text);
  if (!color) throw ConversionError(text);
  return *color;
}

std::int32_t ReadOffset(std::string_view text) {
  std::optional<std::int32_t> value;
  if (!text.empty() && text.front() == '$') {
    value = ParseHexDigits(text.substr(1));
  } else {
    value = ParseSignedDecimal(text);
  }
  return value.value_or(0);
}

}  // namespace vorbel::document

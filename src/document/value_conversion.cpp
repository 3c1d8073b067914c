#include "document/value_conversion.h"

#include <cstdio>

#include "base/ascii_text.h"

namespace vorbel::document {

namespace {

constexpr base::TColor SystemColor(std::uint32_t index) { return static_cast<base::TColor>(0x80000000u | index); }

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
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clScrollBar", SystemColor(0x00)},
    {"clBackground", SystemColor(0x01)},
    {"clActiveCaption", SystemColor(0x02)},
    {"clInactiveCaption", SystemColor(0x03)},
    {"clMenu", SystemColor(0x04)},
    {"clWindow", SystemColor(0x05)},
    {"clWindowFrame", SystemColor(0x06)},
    {"clMenuText", SystemColor(0x07)},
    {"clWindowText", SystemColor(0x08)},
    {"clCaptionText", SystemColor(0x09)},
    {"clActiveBorder", SystemColor(0x0A)},
    {"clInactiveBorder", SystemColor(0x0B)},
    {"clAppWorkSpace", SystemColor(0x0C)},
    {"clHighlight", SystemColor(0x0D)},
    {"clHighlightText", SystemColor(0x0E)},
    {"clBtnFace", SystemColor(0x0F)},
    {"clBtnShadow", SystemColor(0x10)},
    {"clGrayText", SystemColor(0x11)},
    {"clBtnText", SystemColor(0x12)},
    {"clInactiveCaptionText", SystemColor(0x13)},
    {"clBtnHighlight", SystemColor(0x14)},
    {"cl3DDkShadow", SystemColor(0x15)},
    {"cl3DLight", SystemColor(0x16)},
    {"clInfoText", SystemColor(0x17)},
    {"clInfoBk", SystemColor(0x18)},
    {"clNone", 0x1FFFFFFF},
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

std::string ColorToString(base::TColor color) {
  for (const ColorIdentifier& entry : kColorIdentifiers) {
    if (entry.value == color) return entry.name;
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(color)));
  return buffer;
}

base::TColor StringToColor(std::string_view text) {
  for (const ColorIdentifier& entry : kColorIdentifiers) {
    if (base::EqualsIgnoringAsciiCase(text, entry.name)) return entry.value;
  }
  return StringToInt(text);
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

#include "gdi/utf8.h"

namespace vorbel::gdi {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Decodes one code point at s[i], advancing i past it (or past the ill-formed
// subsequence it replaces).
char32_t DecodeOne(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int length = 0;
  char32_t cp = 0;
  // The allowed range of the second byte, which rules out overlong forms,
  // surrogates and values above U+10FFFF in one check.
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    ++i;  // a continuation byte without a lead, or a byte that never occurs
    return kReplacementChar;
  }
  ++i;
  for (int k = 1; k < length; ++k) {
    if (i >= s.size()) return kReplacementChar;
    const auto b = static_cast<unsigned char>(s[i]);
    if (k == 1 ? (b < lo || b > hi) : !IsContinuation(b)) return kReplacementChar;
    cp = (cp << 6) | (b & 0x3F);
    ++i;
  }
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) out += DecodeOne(utf8, i);
  return out;
}

std::string SanitizeUtf8(std::string_view utf8, std::size_t maxCodePoints) {
  std::string out;
  std::size_t i = 0;
  for (std::size_t n = 0; n < maxCodePoints && i < utf8.size(); ++n) {
    const char32_t cp = DecodeOne(utf8, i);
    if (cp == 0) break;
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace vorbel::gdi

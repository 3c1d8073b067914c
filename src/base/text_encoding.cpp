#include "base/text_encoding.h"

#include <cstdint>
#include <cstring>

namespace vorbel::base {
namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// What stands at text[i]: a well-formed sequence of `bytes` bytes encoding
// `code_point` (complete), or the maximal ill-formed subsequence there, of
// `bytes` bytes (not complete).
struct Sequence {
  std::size_t bytes = 1;
  bool complete = false;
  char32_t code_point = 0;
};

Sequence ScanSequence(std::string_view text, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) return {1, true, b0};
  std::size_t length = 0;
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
    return {};  // a continuation byte without a lead, or a byte that never occurs
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (i + k >= text.size()) return {k, false, 0};
    const auto b = static_cast<unsigned char>(text[i + k]);
    if (k == 1 ? (b < lo || b > hi) : !IsContinuation(b)) return {k, false, 0};
    cp = (cp << 6) | (b & 0x3F);
  }
  return {length, true, cp};
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

// Code points of 0x80..0x9F in Windows-1252; the undefined ones map to
// themselves.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendWindows1252(std::string& out, unsigned char byte) {
  AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
}

// Index of the first byte at or after `i` that is not ASCII, eight at a time.
std::size_t SkipAscii(std::string_view text, std::size_t i) {
  while (i + 8 <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word & 0x8080808080808080ull) break;
    i += 8;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while ((i = SkipAscii(text, i)) < text.size()) {
    const Sequence sequence = ScanSequence(text, i);
    if (!sequence.complete) return false;
    i += sequence.bytes;
  }
  return true;
}

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const Sequence sequence = ScanSequence(utf8, i);
    out += sequence.complete ? sequence.code_point : kReplacementChar;
    i += sequence.bytes;
  }
  return out;
}

std::string SanitizeUtf8(std::string_view utf8, std::size_t maxCodePoints) {
  std::string out;
  std::size_t i = 0;
  for (std::size_t n = 0; n < maxCodePoints && i < utf8.size(); ++n) {
    const Sequence sequence = ScanSequence(utf8, i);
    i += sequence.bytes;
    const char32_t cp = sequence.complete ? sequence.code_point : kReplacementChar;
    if (cp == 0) break;
    AppendUtf8(out, cp);
  }
  return out;
}

std::string_view Utf8Prefix(std::string_view utf8, std::size_t maxChars) {
  if (utf8.size() <= maxChars) return utf8;  // never more characters than bytes
  std::size_t chars = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (IsContinuation(static_cast<unsigned char>(utf8[i]))) continue;
    if (chars == maxChars) return utf8.substr(0, i);
    ++chars;
  }
  return utf8;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) AppendWindows1252(out, static_cast<unsigned char>(c));
  return out;
}

std::string ToValidUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  std::size_t i = 0;
  while (i < text.size()) {
    const Sequence sequence = ScanSequence(text, i);
    if (sequence.complete) {
      out.append(text, i, sequence.bytes);
      i += sequence.bytes;
    } else {
      AppendWindows1252(out, static_cast<unsigned char>(text[i]));
      ++i;
    }
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t cp : text) {
    AppendUtf8(out, (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF ? kReplacementChar : cp);
  }
  return out;
}

}  // namespace vorbel::base

#include "gdi/utf8.h"

#include <gtest/gtest.h>

namespace vorbel::gdi {
namespace {

constexpr char32_t R = kReplacementChar;

TEST(Utf8, DecodesWellFormedText) {
  EXPECT_EQ(DecodeUtf8(""), U"");
  EXPECT_EQ(DecodeUtf8("E-Mail me"), U"E-Mail me");
  EXPECT_EQ(DecodeUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"\u00E9\u20AC\U0001F600");
  EXPECT_EQ(DecodeUtf8("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"), U"\uFFFF\U0010FFFF");
}

// Each maximal ill-formed piece becomes one replacement character, and the
// bytes after it are decoded afresh.
TEST(Utf8, ReplacesEachMalformedPiece) {
  struct Case {
    const char* bytes;
    std::u32string expected;
  };
  const Case cases[] = {
      {"\x80", {R}},                          // continuation without a lead
      {"\xFF" "a", {R, U'a'}},                // a byte that never occurs
      {"\xC3", {R}},                          // cut short at the end
      {"\xE2\x82" "a", {R, U'a'}},            // cut short before a plain byte
      {"\xC0\xAF", {R, R}},                   // overlong form of '/'
      {"\xE0\x80\xAF", {R, R, R}},            // overlong three-byte form
      {"\xED\xA0\x80", {R, R, R}},            // a surrogate
      {"\xF4\x90\x80\x80", {R, R, R, R}},     // above U+10FFFF
      {"\xF0\x9F\x98", {R}},                  // four-byte form cut short
      {"a\xF0\x9F" "b\xC3\xA9", {U'a', R, U'b', U'\u00E9'}},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeUtf8(c.bytes), c.expected) << "input: " << c.bytes;
  // Embedded NULs are characters like any other for drawing.
  EXPECT_EQ(DecodeUtf8(std::string_view("a\0b", 3)), (std::u32string{U'a', 0, U'b'}));
}

TEST(Utf8, SanitizeCutsAtCodePointsAndNul) {
  EXPECT_EQ(SanitizeUtf8("Tahoma", 31), "Tahoma");
  EXPECT_EQ(SanitizeUtf8("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");  // never splits a character
  EXPECT_EQ(SanitizeUtf8(std::string_view("Sans\0Serif", 10), 31), "Sans");
  EXPECT_EQ(SanitizeUtf8("a\xFF" "b", 31), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(SanitizeUtf8(std::string(100000, 'x'), 31), std::string(31, 'x'));
}

}  // namespace
}  // namespace vorbel::gdi

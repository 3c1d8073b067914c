// UTF-8 decoding and validation, and the Windows-1252 text of older layout
// files.

#include <gtest/gtest.h>

#include "base/ascii_text.h"
#include "base/text_encoding.h"

namespace vorbel::base {
namespace {

constexpr char32_t R = kReplacementChar;

TEST(TextEncoding, DecodesAndEncodesWellFormedText) {
  EXPECT_EQ(DecodeUtf8(""), U"");
  EXPECT_EQ(DecodeUtf8("E-Mail me"), U"E-Mail me");
  EXPECT_EQ(DecodeUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"\u00E9\u20AC\U0001F600");
  EXPECT_EQ(DecodeUtf8("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"), U"\uFFFF\U0010FFFF");
  EXPECT_EQ(EncodeUtf8(U"E\u00E9\u20AC\U0001F600\U0010FFFF"), "E\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
  EXPECT_EQ(EncodeUtf8(std::u32string{0xD800, 0x110000}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

// Each maximal ill-formed piece becomes one replacement character, and the
// bytes after it are decoded afresh.
TEST(TextEncoding, ReplacesEachMalformedPiece) {
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

TEST(TextEncoding, SanitizeCutsAtCodePointsAndNul) {
  EXPECT_EQ(SanitizeUtf8("Tahoma", 31), "Tahoma");
  EXPECT_EQ(SanitizeUtf8("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");  // never splits a character
  EXPECT_EQ(SanitizeUtf8(std::string_view("Sans\0Serif", 10), 31), "Sans");
  EXPECT_EQ(SanitizeUtf8("a\xFF" "b", 31), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(SanitizeUtf8(std::string(100000, 'x'), 31), std::string(31, 'x'));
}


TEST(TextEncoding, Utf8ValidationRejectsEveryIllFormedSequence) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ASCII text, long enough for the word-at-a-time path"));
  EXPECT_TRUE(IsValidUtf8("\xC3\x9C" "ber \xE2\x82\xAC \xF0\x9F\x98\x80"));  // Über € 😀
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));                              // U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xDC" "ber"));           // Windows-1252 Ü
  EXPECT_FALSE(IsValidUtf8("ab\x80"));               // stray continuation
  EXPECT_FALSE(IsValidUtf8("\xC3"));                 // truncated at the end
  EXPECT_FALSE(IsValidUtf8("\xE2\x82 x"));           // truncated inside
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));             // overlong two-byte
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));         // overlong three-byte
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));         // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));     // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xFF"));
}

TEST(TextEncoding, Windows1252MapsEveryByte) {
  EXPECT_EQ(Windows1252ToUtf8("\xDC" "ber"), "\xC3\x9C" "ber");
  EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Windows1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
  EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");      // undefined: kept as U+0081
  EXPECT_EQ(Windows1252ToUtf8("\xFF"), "\xC3\xBF");
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_TRUE(IsValidUtf8(Windows1252ToUtf8(all)));
}

TEST(TextEncoding, PrefixCountsCharactersNotBytes) {
  EXPECT_EQ(Utf8Prefix("abc", 5), "abc");
  EXPECT_EQ(Utf8Prefix("abcdef", 3), "abc");
  EXPECT_EQ(Utf8Prefix("\xC3\x9C\xC3\x9C\xC3\x9C", 2), "\xC3\x9C\xC3\x9C");
  EXPECT_EQ(Utf8Prefix("a\xF0\x9F\x98\x80" "b", 2), "a\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8Prefix("abc", 0), "");
}

TEST(TextEncoding, MakingTextValidKeepsGoodSequencesAndWidensBadBytes) {
  EXPECT_EQ(ToValidUtf8("\xC3\x9C" "ber"), "\xC3\x9C" "ber");
  EXPECT_EQ(ToValidUtf8("\xC3\x9C \xDC"), "\xC3\x9C \xC3\x9C");
}

TEST(TextEncoding, MarkupEscapingCoversTextAndBothQuotes) {
  // Captions go into HTML text and attributes, MIME descriptions into XML.
  EXPECT_EQ(EscapeMarkup("<b title=\"x\">Tom & Jerry's</b>"),
            "&lt;b title=&quot;x&quot;&gt;Tom &amp; Jerry&#39;s&lt;/b&gt;");
  const std::string umlaut = std::string("\xC3\x9C") + "ber";
  EXPECT_EQ(EscapeMarkup(umlaut), umlaut);
}

}  // namespace
}  // namespace vorbel::base

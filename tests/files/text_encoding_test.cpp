// Encoding detection and conversion for layout files.

#include <gtest/gtest.h>

#include "files/text_encoding.h"

namespace vorbel {
namespace {

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

}  // namespace
}  // namespace vorbel

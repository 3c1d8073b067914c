#include "document/value_conversion.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

namespace vorbel::document {
namespace {

using namespace base::literals;

void ExpectConversionError(std::string_view text) {
  try {
    StringToInt(text);
    ADD_FAILURE() << "'" << text << "' converted";
  } catch (const ConversionError& e) {
    EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
    EXPECT_EQ(e.text(), text);
  }
}

TEST(StringToInt, DecimalWithOptionalSignAndLeadingBlanks) {
  EXPECT_EQ(StringToInt("0"), 0);
  EXPECT_EQ(StringToInt("42"), 42);
  EXPECT_EQ(StringToInt("+42"), 42);
  EXPECT_EQ(StringToInt("-42"), -42);
  EXPECT_EQ(StringToInt("   007"), 7);
  EXPECT_EQ(StringToInt("2147483647"), INT_MAX);
  EXPECT_EQ(StringToInt("-2147483648"), INT_MIN);
  EXPECT_EQ(StringToInt("000000000000000000012"), 12);
}

TEST(StringToInt, HexadecimalPrefixesAndWidths) {
  EXPECT_EQ(StringToInt("$FF"), 255);
  EXPECT_EQ(StringToInt("xff"), 255);
  EXPECT_EQ(StringToInt("XfF"), 255);
  EXPECT_EQ(StringToInt("0x10"), 16);
  EXPECT_EQ(StringToInt("0X10"), 16);
  EXPECT_EQ(StringToInt("  $7FFFFFFF"), INT_MAX);
  EXPECT_EQ(StringToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StringToInt("$80000000"), INT_MIN);
  EXPECT_EQ(StringToInt("$00000001"), 1);
}

TEST(StringToInt, EverythingElseFailsWithTheTextInTheMessage) {
  for (const char* bad : {"", " ", "-", "+", "abc", "12a", "12 ", " 1 2", "1.5", "--1", "+-1", "$", "x", "0x",
                          "-$10", "+0x10", "$123456789", "$00000000F", "$FG", "2147483648", "-2147483649",
                          "99999999999999999999", " clRed", "red", "\t1"}) {
    ExpectConversionError(bad);
  }
  // A NUL byte is a trailing character like any other.
  try {
    StringToInt(std::string_view("1\0", 2));
    ADD_FAILURE();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.text(), std::string_view("1\0", 2));
  }
}

TEST(ColorToString, FirstIdentifierElseEightHexDigits) {
  EXPECT_EQ(ColorToString(0x00C0C0C0_color), "clSilver");
  EXPECT_EQ(ColorToString(0x00808080_color), "clGray");
  EXPECT_EQ(ColorToString(base::Color::System(0x0F)), "clBtnFace");
  EXPECT_EQ(ColorToString(0x1FFFFFFF_color), "clNone");
  EXPECT_EQ(ColorToString(0x00C0C0C1_color), "$00C0C0C1");
  EXPECT_EQ(ColorToString(0x00123456_color), "$00123456");
  EXPECT_EQ(ColorToString(base::Color{-1}), "$FFFFFFFF");
  EXPECT_EQ(ColorToString(base::Color::System(0x19)), "$80000019");
}

TEST(StringToColor, IdentifiersIgnoringCaseThenIntegers) {
  EXPECT_EQ(StringToColor("clRed"), 0x000000FF_color);
  EXPECT_EQ(StringToColor("CLRED"), 0x000000FF_color);
  EXPECT_EQ(StringToColor("clred"), 0x000000FF_color);
  EXPECT_EQ(StringToColor("clBtnFace"), base::Color::System(0x0F));
  EXPECT_EQ(StringToColor("255"), 0x000000FF_color);
  EXPECT_EQ(StringToColor("$000000FF"), 0x000000FF_color);
  EXPECT_EQ(StringToColor("$FFFFFFFF"), base::Color{-1});
  EXPECT_THROW(StringToColor("red"), ConversionError);
  EXPECT_THROW(StringToColor(""), ConversionError);
  EXPECT_THROW(StringToColor("clRed "), ConversionError);
  try {
    StringToColor(" clRed");
    ADD_FAILURE();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "' clRed' is not a valid integer value");
  }
}

TEST(ColorIdentifiers, TableRoundTripsAndNamesAreUnique) {
  std::set<std::string> names;
  for (const ColorIdentifier& entry : kColorIdentifiers) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    EXPECT_EQ(StringToColor(entry.name), entry.value) << entry.name;
    // Every value in the table is held by one entry only, so writing gives the name back.
    EXPECT_EQ(ColorToString(entry.value), entry.name);
  }
  EXPECT_STREQ(kColorIdentifiers.front().name, "clBlack");
  EXPECT_STREQ(kColorIdentifiers[31].name, "clBtnFace");
  EXPECT_EQ(kColorIdentifiers[40].value, base::Color::System(0x18));
}

TEST(ReadOffset, DecimalOrDollarHexElseZero) {
  EXPECT_EQ(ReadOffset("12"), 12);
  EXPECT_EQ(ReadOffset("-7"), -7);
  EXPECT_EQ(ReadOffset("+7"), 7);
  EXPECT_EQ(ReadOffset("$1F"), 31);
  EXPECT_EQ(ReadOffset("$FFFFFFFF"), -1);
  EXPECT_EQ(ReadOffset("-2147483648"), INT_MIN);
  for (const char* zero : {"", "abc", "-", "12abc", " 12", "0x10", "-$10", "$", "2147483648", "$123456789"}) {
    EXPECT_EQ(ReadOffset(zero), 0) << zero;
  }
}

}  // namespace
}  // namespace vorbel::document

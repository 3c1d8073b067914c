#include "document/property_string.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/ascii_text.h"

namespace vorbel::document {
namespace {

TEST(GetPropValue, EmptyOrMissingValueGivesDefaultUnchanged) {
  const char* props = "Color=clRed;Image=;Stretch=Yes;";
  EXPECT_EQ(GetPropValue("Image", props, "none"), "none");
  EXPECT_EQ(GetPropValue("Image", props, ""), "");
  EXPECT_EQ(GetPropValue("Missing", props, " d "), " d ");
  EXPECT_EQ(GetPropValue("Color", "", "clBtnFace"), "clBtnFace");
  // A value cut to nothing by an immediate ";" reads like a missing one.
  EXPECT_EQ(GetPropValue("Pen", "Pen=;Pen=3;", "2"), "2");
}

TEST(GetPropValue, KeysMatchIgnoringAsciiCaseButValuesKeepTheirCase) {
  EXPECT_EQ(GetPropValue("color", "Color=clRed;", ""), "clRed");
  EXPECT_EQ(GetPropValue("Color", "color=clRed;", ""), "clRed");
  EXPECT_EQ(GetPropValue("TEXT", "text=MiXeD;", ""), "MiXeD");
}

TEST(GetPropValue, FirstOccurrenceAnywhereWinsEvenInsideALongerKey) {
  EXPECT_EQ(GetPropValue("Color", "ShadowColor=clRed;Color=clBlue;", ""), "clRed");
  EXPECT_EQ(GetPropValue("Color", "Color=clBlue;ShadowColor=clRed;", ""), "clBlue");
  // A key hidden in an earlier value answers the lookup.
  EXPECT_EQ(GetPropValue("Angle", "Text=Angle=45;FontSize=8;Angle=0;", "0"), "45");
  // Of two pairs with the same key, the first wins.
  EXPECT_EQ(GetPropValue("Pen", "Pen=1;Pen=2;", ""), "1");
}

TEST(GetPropValue, KeyThatOnlyBeginsAnotherKeyDoesNotMatchIt) {
  EXPECT_EQ(GetPropValue("Edge", "EdgeDraw=Yes;Edge=clBlue;", ""), "clBlue");
  EXPECT_EQ(GetPropValue("Gradient", "GradientStart=clLime;GradientEnd=clYellow;Gradient=No;", ""), "No");
  EXPECT_EQ(GetPropValue("Shadow", "ShadowClr=a;ShadowColor=b;ShadowOffset=c;Shadowed=d;", "none"), "none");
}

TEST(GetPropValue, ValueRunsToSemicolonOrEnd) {
  EXPECT_EQ(GetPropValue("Pen", "Highlight=clWhite;Shadow=clGray;Pen=3", "2"), "3");
  EXPECT_EQ(GetPropValue("Text", "Text=a=b;", ""), "a=b");
  EXPECT_EQ(GetPropValue("Text", "Text=Buy; now;", ""), "Buy");
  EXPECT_EQ(GetPropValue("Seed", "Seed= 20 ;", ""), " 20 ");
  // Bytes beyond ASCII pass through; their case is not touched.
  EXPECT_EQ(GetPropValue("text", "TEXT=\xC3\xA9t\xC3\xA9;", ""), "\xC3\xA9t\xC3\xA9");
  // Only ASCII letters change case: a non-ASCII byte in the key must match exactly.
  EXPECT_EQ(GetPropValue("\xC3\xA9", "\xC3\x89=x;\xC3\xA9=y;", ""), "y");
}

// The lookup searches in place; it must answer exactly as the plain rule does:
// upper-case both, find key + "=" anywhere, cut at ";", default when empty.
TEST(GetPropValue, AgreesWithThePlainRuleOnRandomStrings) {
  const auto plain = [](const std::string& key, const std::string& props, const std::string& def) {
    const std::string k = vorbel::base::UpperCaseAscii(key) + "=";
    const std::size_t at = vorbel::base::UpperCaseAscii(props).find(k);
    std::string value = at == std::string::npos ? "" : props.substr(at + k.size());
    value = value.substr(0, value.find(';'));
    return value.empty() ? def : value;
  };
  std::mt19937 gen(20261207);
  const std::string alphabet = "aAbB=;= cC\xc3";
  auto text = [&](std::size_t max) {
    std::string t(gen() % (max + 1), ' ');
    for (char& c : t) c = alphabet[gen() % alphabet.size()];
    return t;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string key = text(3), props = text(24), def = text(2);
    ASSERT_EQ(GetPropValue(key, props, def), plain(key, props, def))
        << "key '" << key << "' props '" << props << "'";
  }
}

TEST(SetPropValue, ReplacesWhatTheLookupReadsAndAppendsAMissingKey) {
  // In place, at the first occurrence, other pairs untouched.
  EXPECT_EQ(SetPropValue("Pen", "Highlight=clWhite;Pen=1;Shadow=clGray;", "4"),
            "Highlight=clWhite;Pen=4;Shadow=clGray;");
  EXPECT_EQ(SetPropValue("color", "ShadowColor=clRed;Color=clBlue;", "x"), "ShadowColor=x;Color=clBlue;");
  EXPECT_EQ(SetPropValue("Image", "Image=;Stretch=Yes;", "a.bmp"), "Image=a.bmp;Stretch=Yes;");
  EXPECT_EQ(SetPropValue("Pen", "Pen=3", "5"), "Pen=5");
  // A missing key goes at the end, after a ";" that closes an open last pair.
  EXPECT_EQ(SetPropValue("Align", "Text=Hi;", "5"), "Text=Hi;Align=5;");
  EXPECT_EQ(SetPropValue("Align", "Pen=3", "5"), "Pen=3;Align=5;");
  EXPECT_EQ(SetPropValue("Align", "", "5"), "Align=5;");
  // Whatever the string, the key then reads the new value.
  std::mt19937 gen(7);
  const std::string alphabet = "aAbB=;= c";
  for (int i = 0; i < 5000; ++i) {
    std::string props(gen() % 21, ' ');
    for (char& c : props) c = alphabet[gen() % alphabet.size()];
    const std::string key = i % 2 ? "a" : "B b";
    ASSERT_EQ(GetPropValue(key, SetPropValue(key, props, "v"), "d"), "v") << "props '" << props << "'";
  }
}

TEST(YesNoToBool, TrueExactlyWhenAYIsPresent) {
  for (const char* yes : {"Yes", "yes", "Y", "y", "Maybe", "xyz"}) EXPECT_TRUE(YesNoToBool(yes)) << yes;
  for (const char* no : {"No", "on", "1", "True", "", "N"}) EXPECT_FALSE(YesNoToBool(no)) << no;
  EXPECT_TRUE(YesNoToBool(GetPropValue("Draw3D", "Draw3D=maybe;", "N")));
  EXPECT_FALSE(YesNoToBool(GetPropValue("Draw3D", "Draw3D=on;", "N")));
}

}  // namespace
}  // namespace vorbel::document

#include "document/layer_schema.h"

#include <gtest/gtest.h>

namespace vorbel::document {
namespace {

// What a reader makes of one key: the text it reads, whether that converts by
// the key's form, and for a flag its value.
struct Reading {
  std::string text;
  bool converts = false;
  bool flag = false;
};

Reading Read(const PropertyKey& key, std::string_view props, PropertyReader reader) {
  switch (key.form) {
    case ValueForm::Color: {
      const ColorValue v = ReadColor(key, props, reader);
      return {v.Text(), v.Converts()};
    }
    case ValueForm::Integer: {
      const IntegerValue v = ReadInteger(key, props, reader);
      return {v.Text(), v.Converts()};
    }
    case ValueForm::Flag: {
      const FlagValue v = ReadFlag(key, props, reader);
      return {v.Text(), v.Converts(), v.Value()};
    }
    default: return {ReadText(key, props, reader).Text(), true};
  }
}

// Every lookup rule decides what stored layouts draw, quirks included.
TEST(LayerSchema, ReadsEachKeyByTheLookupRulesWithTheReadersDefaults) {
  constexpr PropertyReader kDrawer = PropertyReader::Drawer;
  constexpr PropertyReader kEditor = PropertyReader::Editor;
  const struct {
    const PropertyKey& key;
    const char* props;
    PropertyReader reader;
    const char* text;
    bool converts;
    bool flag = false;
  } cases[] = {
      // The first "Key=" anywhere wins: at the end of a longer key, inside an
      // earlier value, or the first of two pairs.
      {text_keys::kColor, "ShadowColor=clRed;Color=clBlue;", kDrawer, "clRed", true},
      {text_keys::kAngle, "Text=Angle=45;Angle=0;", kDrawer, "45", true},
      {bevel_keys::kPen, "Pen=1;Pen=2;", kDrawer, "1", true},
      // A key that only begins another key never matches inside it.
      {background_keys::kEdge, "EdgeDraw=Yes;Edge=clBlue;", kDrawer, "clBlue", true},
      {bevel_keys::kShadow, "ShadowClr=a;ShadowColor=b;ShadowOffset=c;Shadowed=d;", kDrawer, "clBtnShadow", true},
      // Keys match in any ASCII case; values keep theirs.
      {text_keys::kColor, "color=CLRED;", kEditor, "CLRED", true},
      // The value ends at ";" or at the end of the string.
      {text_keys::kText, "Text=Buy; now;", kDrawer, "Buy", true},
      {text_keys::kText, "Text=a=b;", kDrawer, "a=b", true},
      {bevel_keys::kPen, "Highlight=clWhite;Pen=3", kDrawer, "3", true},
      // Missing, empty and cut to nothing all read the reader's default.
      {bevel_keys::kPen, "Pen=;Pen=3;", kDrawer, "2", true},
      {background_keys::kStretch, "", kDrawer, "Y", true, true},
      {background_keys::kStretch, "Stretch=;", kEditor, "N", true, false},
      {text_keys::kShadowColor, "", kDrawer, "clBtnShadow", true},
      {text_keys::kShadowColor, "", kEditor, "clGray", true},
      {text_keys::kFontFace, "", kDrawer, "MS San Serif", true},
      // The drawer's edge default is no colour: an edge without one fails.
      {background_keys::kEdge, "EdgeDraw=Yes;", kDrawer, "N", false},
      {background_keys::kEdge, "EdgeDraw=Yes;", kEditor, "clBlack", true},
      // Blanks stay part of the value, except where the drawer takes a value
      // of blanks as missing.
      {text_keys::kColor, "Color= clRed;", kDrawer, " clRed", false},
      {background_keys::kSeed, "Seed=10 ;", kDrawer, "10 ", false},
      {background_keys::kSeed, "Seed= ;", kDrawer, "20", true},
      {background_keys::kSeed, "Seed= ;", kEditor, " ", false},
      {text_keys::kAngle, "Angle=\t ;", kDrawer, "0", true},
      {text_keys::kAngle, "Angle=abc;", kEditor, "abc", false},
      // Colours are identifiers in any case or integers; flags hold a "y".
      {bevel_keys::kHighlight, "Highlight=$000000FF;", kDrawer, "$000000FF", true},
      {bevel_keys::kHighlight, "Highlight=red;", kDrawer, "red", false},
      {background_keys::kDraw3D, "Draw3D=maybe;", kDrawer, "maybe", true, true},
      {background_keys::kDraw3D, "Draw3D=on;", kDrawer, "on", true, false},
  };
  for (const auto& c : cases) {
    const Reading got = Read(c.key, c.props, c.reader);
    const std::string what =
        std::string(c.key.name) + " in \"" + c.props + "\"" + (c.reader == kDrawer ? " (drawer)" : " (editor)");
    EXPECT_EQ(got.text, c.text) << what;
    EXPECT_EQ(got.converts, c.converts) << what;
    if (c.key.form == ValueForm::Flag) {
      EXPECT_EQ(got.flag, c.flag) << what;
    }
  }
  // A value that does not convert raises the conversion error naming its text
  // where it is used.
  const BevelProperties bevel = ReadBevelProperties("Shadow=x y;", PropertyReader::Drawer);
  EXPECT_EQ(bevel.pen.Value(), 2);
  EXPECT_THROW(
      {
        try {
          (void)bevel.shadow.Value();
        } catch (const ConversionError& e) {
          EXPECT_EQ(e.text(), "x y");
          throw;
        }
      },
      ConversionError);
}

}  // namespace
}  // namespace vorbel::document

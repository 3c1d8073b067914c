// What a set takes from outside: captions, slugs, lists of states and
// scales, and property overrides.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "commands/button_set.h"
#include "commands/set_input.h"

namespace vorbel::commands {
namespace {

using Strings = std::vector<std::string>;

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const SetError& e) {
    return e.what();
  }
  return {};
}

TEST(SetInput, SlugsAreSafeLowerCaseNamesMadeUnique) {
  EXPECT_EQ(CaptionSlug("Über uns"), "uber-uns");
  EXPECT_EQ(CaptionSlug("a/b"), "a-b");
  EXPECT_EQ(CaptionSlug(""), "button");
  EXPECT_EQ(CaptionSlug("../.."), "button");
  EXPECT_EQ(CaptionSlug("  Don't & Do!  "), "dont-and-do");
  EXPECT_EQ(CaptionSlug("Straße Ærø"), "strasse-aero");
  EXPECT_EQ(CaptionSlug("\xFF\xFEMail"), "mail");
  EXPECT_EQ(CaptionSlug(std::string(100, 'x') + " y").size(), kMaxSlugLength);
  EXPECT_EQ(UniqueSlugs({"Home", "home", "Home 2", "HOME"}), (Strings{"home", "home-2", "home-2-2", "home-3"}));
  // Captions in other scripts, or without a letter, are named by their place.
  EXPECT_EQ(UniqueSlugs({"\u0627\u0644\u0633\u0648\u0642", "Shop \u0627\u0644\u0633\u0648\u0642", "\u65E5\u672C",
                         "../..", "42"}),
            (Strings{"button-1", "shop", "button-3", "button-4", "button-5"}));
}

TEST(SetInput, CaptionListsAndFilesTakeOneCaptionAnItem) {
  EXPECT_EQ(ParseCaptionList(" Home, Products ,,Contact,"), (Strings{"Home", "Products", "Contact"}));
  EXPECT_EQ(ParseCaptionList(""), Strings{});
  EXPECT_EQ(ParseCaptionsFile("\xEF\xBB\xBFHome\r\n\r\n  Über uns \r\nA, B\n", "f"),
            (Strings{"Home", "Über uns", "A, B"}));
  EXPECT_EQ(ErrorOf([] { ParseCaptionsFile("Home\nTab\there\n", "caps.txt"); }),
            "caps.txt: line 2 holds a control character");
  EXPECT_EQ(ErrorOf([] { ParseCaptionsFile("Home\n\xC3(\n", "caps.txt"); }), "caps.txt: line 2 is not UTF-8 text");
  EXPECT_NE(ErrorOf([] { ParseCaptionList(std::string(300, 'a')); }).find("longer than 256"), std::string::npos);
  std::string many;
  for (std::size_t i = 0; i <= kMaxCaptions; ++i) many += "c\n";
  EXPECT_NE(ErrorOf([&] { ParseCaptionsFile(many, "f"); }).find("at most 1000"), std::string::npos);
}

TEST(SetInput, StatesScalesAndFormatsReadAsTheyAreNamed) {
  EXPECT_EQ(ParseStates("normal, HOVER,pressed"),
            (std::vector<render::ButtonState>{render::ButtonState::Normal, render::ButtonState::Hover,
                                              render::ButtonState::Pressed}));
  EXPECT_EQ(ParseScales("2x,1"), (std::vector<int>{2, 1}));
  EXPECT_EQ(ParseFormatName("JPEG"), ExportFormat::Jpeg);
  EXPECT_EQ(ErrorOf([] { ParseStates("normal,active"); }),
            "unknown state \"active\": the states are normal, hover, pressed and disabled");
  EXPECT_EQ(ErrorOf([] { ParseStates(" , "); }), "the list of states is empty");
  EXPECT_EQ(ErrorOf([] { ParseScales("1,4"); }), "unknown scale \"4\": the scales are 1, 2 and 3");
  EXPECT_EQ(ErrorOf([] { ParseScales("2,2x"); }), "the scale \"2x\" is given twice");
  EXPECT_NE(ErrorOf([] { ParseFormatName("tiff"); }), "");
}

TEST(SetInput, OverridesNameALayerAKeyAndAValueWithoutASemicolon) {
  EXPECT_EQ(ParsePropertyOverride("2:Color=clRed"), (PropertyOverride{2, "Color", "clRed"}));
  EXPECT_EQ(ParsePropertyOverride("0:Text=a=b, c"), (PropertyOverride{0, "Text", "a=b, c"}));
  EXPECT_EQ(ParsePropertyOverride("0:Image="), (PropertyOverride{0, "Image", ""}));
  EXPECT_EQ(ParsePropertyOverride("button:Smooth=Yes"), (PropertyOverride{PropertyOverride::kButton, "Smooth", "Yes"}));
  for (const char* bad : {"Color=clRed", "x:Color=red", "-1:Color=red", "1:=red", "1:Color", "1:Co lor=red",
                          "1:Text=a;Color=clRed", "1:Text=a\nb", "9999999:Pen=1"}) {
    EXPECT_NE(ErrorOf([&] { ParsePropertyOverride(bad); }), "") << bad;
  }
  document::ButtonDocument doc;
  doc.AppendRow(document::LayerRow::Make("Bevel", "Pen=1;Shadow=clGray;"));
  ApplyPropertyOverride(doc, {0, "pen", "3"});
  ApplyPropertyOverride(doc, {0, "Highlight", "clRed"});
  ApplyPropertyOverride(doc, {0, "shadow", ""});
  EXPECT_EQ(doc.Row(0).Properties(), "Pen=3;Shadow=;Highlight=clRed;");
  // Only the keys of the layer's kind, and colours and numbers that convert:
  // either mistake would otherwise show only as a picture that is wrong.
  EXPECT_EQ(ErrorOf([&] {
              ApplyPropertyOverride(doc, {0, "Colour", "clRed"});
            }),
            "--set 0:Colour=clRed: layer 0 (Bevel) has no key \"Colour\"; its keys are Highlight, Shadow, Pen");
  EXPECT_EQ(ErrorOf([&] {
              ApplyPropertyOverride(doc, {0, "Pen", "3px"});
            }),
            "--set 0:Pen=3px: '3px' is not a valid integer value");
  EXPECT_EQ(ErrorOf([&] {
              ApplyPropertyOverride(doc, {0, "Shadow", "grey"});
            }),
            "--set 0:Shadow=grey: 'grey' is not a valid integer value");
  EXPECT_EQ(doc.Row(0).Properties(), "Pen=3;Shadow=;Highlight=clRed;");
  EXPECT_EQ(ErrorOf([&] {
              ApplyPropertyOverride(doc, {1, "Pen", "3"});
            }),
            "--set 1:Pen=3: the layout has no layer 1 (its layers are 0 to 0)");
  // The button's own keys.
  ApplyPropertyOverride(doc, {PropertyOverride::kButton, "Transparency", "Unpainted"});
  ApplyPropertyOverride(doc, {PropertyOverride::kButton, "Matte", "clWhite"});
  EXPECT_EQ(doc.TransparencyRule(), document::Transparency::Unpainted);
  EXPECT_EQ(doc.Matte(), base::Color::FromRgb(255, 255, 255));
  EXPECT_EQ(ErrorOf([&] {
              ApplyPropertyOverride(doc, {PropertyOverride::kButton, "Width", "30"});
            }),
            "--set Button:Width=30: the button has no key Width: it has Transparency, Smooth and Matte");
  doc.AppendRow(document::LayerRow::Make("Shape", ""));
  EXPECT_EQ(ErrorOf([&] {
              ApplyPropertyOverride(doc, {1, "Pen", "3"});
            }),
            "--set 1:Pen=3: layer 1 is of the Type \"Shape\", which is not drawn and has no keys");
}

}  // namespace
}  // namespace vorbel::commands

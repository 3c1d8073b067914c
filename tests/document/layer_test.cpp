#include <gtest/gtest.h>

#include "document/layer_row.h"
#include "document/layer_type.h"

namespace vorbel::document {
namespace {

LayerKinds Kinds(bool background, bool text, bool bevel, bool image) {
  return LayerKinds{background, text, bevel, image};
}

TEST(LayerKinds, RenderAndEditFindKeywordsAsUpperCaseSubstrings) {
  EXPECT_EQ(KindsForRender("Background"), Kinds(true, false, false, false));
  EXPECT_EQ(KindsForRender("background layer"), Kinds(true, false, false, false));
  EXPECT_EQ(KindsForRender("MY BACKGROUND"), Kinds(true, false, false, false));
  EXPECT_EQ(KindsForRender("Context"), Kinds(false, true, false, false));
  EXPECT_EQ(KindsForRender("BackgroundImage"), Kinds(true, false, false, true));
  EXPECT_EQ(KindsForRender("bevel"), Kinds(false, false, true, false));
  EXPECT_FALSE(KindsForRender("Shape").Any());
  EXPECT_FALSE(KindsForRender("").Any());
  // Upper-casing touches only ASCII letters: a dotless i does not become "I".
  EXPECT_FALSE(KindsForRender("\xC4\xB1mage").image);
  for (const char* type : {"Background", "Context", "BackgroundImage", "Shape", "Backg"}) {
    EXPECT_EQ(KindsForEdit(type), KindsForRender(type)) << type;
  }
}

TEST(LayerKinds, AddAndOffsetControlsUseTheirOwnShorterKeywords) {
  // "BACKG" is enough for Add, but the render pass needs "BACKGR".
  EXPECT_TRUE(KindsForAdd("Backg").background);
  EXPECT_FALSE(KindsForRender("Backg").background);
  EXPECT_EQ(KindsForAdd("Image"), Kinds(false, false, false, true));

  EXPECT_TRUE(HasOffsetControls("Text"));
  EXPECT_TRUE(HasOffsetControls("Context"));
  EXPECT_TRUE(HasOffsetControls("Image"));
  EXPECT_TRUE(HasOffsetControls("Imagery"));
  EXPECT_TRUE(HasOffsetControls("imag"));
  EXPECT_FALSE(HasOffsetControls("Background"));
  EXPECT_FALSE(HasOffsetControls("Bevel"));
}

TEST(LayerRow, IncompleteRowFailsForDrawingButListsAsEmpty) {
  LayerRow row;
  row.type = "Text";
  EXPECT_FALSE(row.IsComplete());
  EXPECT_THROW(row.Properties(), MissingSubItemError);
  EXPECT_THROW(row.Top(), MissingSubItemError);
  EXPECT_EQ(row.SubItemText(SubItem::Properties), "");
  EXPECT_EQ(row.SubItemText(SubItem::Top), "");

  row.SetSubItem(SubItem::Top, "5");
  ASSERT_TRUE(row.IsComplete());
  EXPECT_EQ(row.Properties(), "");
  EXPECT_EQ(row.Left(), "");
  EXPECT_EQ(row.Top(), "5");
}

TEST(LayerRow, OnlyMinusOneIsHidden) {
  EXPECT_TRUE(LayerRow::Make("Text", "", "", "", 0).IsVisible());
  EXPECT_TRUE(LayerRow::Make("Text", "", "", "", 3).IsVisible());
  EXPECT_FALSE(LayerRow::Make("Text", "", "", "", -1).IsVisible());
}

}  // namespace
}  // namespace vorbel::document

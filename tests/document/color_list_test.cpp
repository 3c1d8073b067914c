#include "document/color_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorbel::document {
namespace {

using namespace base::literals;

std::vector<std::string> Names(const ColorList& list) {
  std::vector<std::string> names;
  for (const ColorEntry& entry : list.Entries()) names.push_back(entry.name);
  return names;
}

std::vector<std::string> StandardNames() {
  std::vector<std::string> names;
  for (const StandardColor& c : kStandardColors) names.emplace_back(c.name);
  return names;
}

struct RecordingObserver : ColorListObserver {
  std::vector<std::string> events;
  void ColorEntriesChanged() override { events.push_back("entries"); }
  void ColorSelectionChanged(SelectionSource source) override {
    events.push_back(source == SelectionSource::User ? "user" : "program");
  }
  void ColorWidthChanged() override { events.push_back("width"); }
};

TEST(ColorList, FillGivesTheStandardEighteenInOrder) {
  ColorList list;
  list.AddColor("Pink", 1_color);
  FillColorList(list);
  ASSERT_EQ(list.Count(), 18);
  EXPECT_EQ(list.Entry(0), (ColorEntry{"Aqua", 0x00FFFF00_color}));
  EXPECT_EQ(list.Entry(7), (ColorEntry{"Lime green", 0x0000FF00_color}));
  EXPECT_EQ(list.Entry(15), (ColorEntry{"Teal", 0x00808000_color}));
  EXPECT_EQ(list.Entry(17), (ColorEntry{"Yellow", 0x0000FFFF_color}));
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_THROW(list.Entry(18), std::out_of_range);
}

TEST(ColorList, SelectionFindsTheFirstMatchAndIgnoresMisses) {
  ColorList list;
  EXPECT_EQ(list.GetSelectedColor(), base::Color{-1});
  EXPECT_FALSE(list.SelectColor(0_color));
  EXPECT_FALSE(list.SelectColorName("Red"));
  FillColorList(list);
  EXPECT_FALSE(list.SelectColor(base::Color::System(0x0F)));
  EXPECT_EQ(list.GetSelectedColor(), base::Color{-1});

  ASSERT_TRUE(list.SelectColor(0x00808080_color));
  EXPECT_EQ(list.Entry(list.ItemIndex()).name, "Dark Gray");
  ASSERT_TRUE(list.SelectColor(0x00C0C0C0_color));
  EXPECT_EQ(list.Entry(list.ItemIndex()).name, "Light Gray");

  ASSERT_TRUE(list.SelectColorName("Silver"));
  EXPECT_EQ(list.ItemIndex(), 14);
  EXPECT_FALSE(list.SelectColorName("red"));
  EXPECT_FALSE(list.SelectColor(0x00123456_color));
  EXPECT_EQ(list.ItemIndex(), 14);
  EXPECT_EQ(list.Count(), 18);

  list.AddColor("Silver", 0x00010203_color);
  ASSERT_TRUE(list.SelectColorName("Silver"));
  EXPECT_EQ(list.ItemIndex(), 14);

  list.Clear();
  EXPECT_EQ(list.GetSelectedColor(), base::Color{-1});
}

TEST(ColorList, SortByColorOrdersSignedAndKeepsTiesAndTheSelectedColor) {
  ColorList list;
  FillColorList(list);
  list.SelectColorName("Silver");
  list.SetSortOrder(ColorSortOrder::Color);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Black", "Maroon", "Red", "Green", "Olive green", "Lime green",
                                                   "Yellow", "Navy blue", "Purple", "Teal", "Dark Gray", "Gray",
                                                   "Light Gray", "Silver", "Blue", "Fuchsia", "Aqua", "White"}));
  // The selection follows the colour and lands on the first entry holding it.
  EXPECT_EQ(list.Entry(list.ItemIndex()).name, "Light Gray");

  // New entries go after equal keys; a system colour is negative and sorts first.
  EXPECT_EQ(list.AddColor("Button face", base::Color::System(0x0F)), 0);
  EXPECT_EQ(list.Entry(list.ItemIndex()).name, "Light Gray");
  EXPECT_EQ(list.AddColor("Grey", 0x00808080_color), 13);
  EXPECT_EQ(list.AddColor("Max", 0x7FFFFFFF_color), 20);

  // Unsorted keeps the sorted order and appends.
  list.SetSortOrder(ColorSortOrder::Unsorted);
  EXPECT_EQ(list.Entry(1).name, "Black");
  EXPECT_EQ(list.AddColor("Last", 0_color), 21);
}

TEST(ColorList, SortByTextMovesOnlyLightGrayAndUsesLowerCasedBytes) {
  ColorList list;
  FillColorList(list);
  list.SetSortOrder(ColorSortOrder::Text);
  std::vector<std::string> expected = StandardNames();
  std::swap(expected[7], expected[8]);
  EXPECT_EQ(Names(list), expected);
  EXPECT_EQ(list.ItemIndex(), -1);

  EXPECT_EQ(list.AddColor("aqua", 1_color), 1);     // equal lower-cased name: after "Aqua"
  EXPECT_EQ(list.AddColor("Aq", 2_color), 0);       // a prefix sorts first
  EXPECT_EQ(list.AddColor("\xC3\xA9", 3_color), 20);  // bytes above 0x7F sort last
}

TEST(ColorList, AddColorToEmptyListAppendsWhateverTheMode) {
  for (ColorSortOrder mode : {ColorSortOrder::Unsorted, ColorSortOrder::Color, ColorSortOrder::Text}) {
    ColorList list;
    list.SetSortOrder(mode);
    EXPECT_EQ(list.AddColor("Only", 5_color), 0);
    EXPECT_EQ(list.Count(), 1);
  }
}

TEST(ColorList, ColorWidthRefusesBelowFiveAndVersionIsFixed) {
  ColorList list;
  RecordingObserver observer;
  const ColorListSubscription subscription = list.Subscribe(&observer);
  EXPECT_EQ(list.ColorWidth(), 18);
  list.SetColorWidth(4);
  EXPECT_EQ(list.ColorWidth(), 18);
  list.SetColorWidth(18);
  list.SetColorWidth(5);
  EXPECT_EQ(list.ColorWidth(), 5);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"width"}));
  EXPECT_STREQ(ColorList::Version(), "1.00.00");
}

TEST(ColorList, NotifiesEntriesAndSelectionWithItsSource) {
  ColorList list;
  RecordingObserver observer;
  ColorListSubscription subscription = list.Subscribe(&observer);
  list.AddColor("A", 1_color);
  list.AddColor("B", 2_color);
  list.SelectColor(2_color);
  list.SelectColor(2_color);  // no change, no notification
  list.SelectColor(99_color);
  list.SetItemIndex(0, SelectionSource::User);
  list.SetItemIndex(-1);
  EXPECT_THROW(list.SetItemIndex(2), std::out_of_range);
  list.SetItemIndex(1);
  list.AssignEntries({{"C", 3_color}});
  EXPECT_EQ(list.ItemIndex(), -1);
  subscription.Reset();
  list.Clear();
  EXPECT_EQ(observer.events, (std::vector<std::string>{"entries", "entries", "program", "user", "program",
                                                       "program", "entries", "program"}));
}

}  // namespace
}  // namespace vorbel::document

#include "document/button_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorbel::document {
namespace {

using namespace base::literals;

struct RecordingObserver : DocumentObserver {
  std::vector<std::string> events;
  void SettingsChanged(DocumentSetting setting) override {
    static const char* names[] = {"height", "width", "workarea", "border", "caption"};
    events.push_back(std::string("setting ") + names[static_cast<int>(setting)]);
  }
  void RowAboutToBeInserted(int row) override { events.push_back("inserting " + std::to_string(row)); }
  void RowInserted(int row) override { events.push_back("inserted " + std::to_string(row)); }
  void RowAboutToBeRemoved(int row) override { events.push_back("removing " + std::to_string(row)); }
  void RowRemoved(int row) override { events.push_back("removed " + std::to_string(row)); }
  void RowsExchanged(int first) override { events.push_back("exchanged " + std::to_string(first)); }
  void RowChanged(int row) override { events.push_back("changed " + std::to_string(row)); }
  void RowsAboutToBeReset() override { events.push_back("resetting"); }
  void RowsReset() override { events.push_back("reset"); }
  void SelectionChanged(int previous, int current) override {
    events.push_back("selected " + std::to_string(previous) + "->" + std::to_string(current));
  }
};

// A document with rows "A", "B", "C" (Type = name, Properties = name + "=1;").
void AddThreeRows(ButtonDocument& doc) {
  for (const char* name : {"A", "B", "C"}) doc.AppendRow(LayerRow::Make(name, std::string(name) + "=1;"));
}

std::string Types(const ButtonDocument& doc) {
  std::string types;
  for (const LayerRow& row : doc.Rows()) types += row.type;
  return types;
}

TEST(ButtonDocument, StartsUntitledWithDefaults) {
  ButtonDocument doc;
  EXPECT_EQ(doc.Height(), 30);
  EXPECT_EQ(doc.Width(), 90);
  EXPECT_EQ(doc.HeightText(), "30");
  EXPECT_EQ(doc.WorkAreaColor(), 0x00808000_color);
  EXPECT_EQ(doc.WorkArea().Entry(doc.WorkArea().ItemIndex()).name, "Teal");
  EXPECT_EQ(doc.WorkArea().Count(), 18);
  EXPECT_FALSE(doc.Border());
  EXPECT_FALSE(doc.Loading());
  EXPECT_EQ(doc.RowCount(), 0);
  EXPECT_EQ(doc.SelectedRow(), -1);
  EXPECT_EQ(doc.SelectedLayer(), nullptr);
  EXPECT_EQ(doc.Caption(), "Vorbel - [untitled.vrb]");
  EXPECT_EQ(doc.GetDocumentFileName(), "untitled.vrb");
}

TEST(ButtonDocument, SizeTextThatIsNotAnIntegerReadsZero) {
  ButtonDocument doc;
  doc.SetHeightText("-");
  EXPECT_EQ(doc.Height(), 0);
  doc.SetWidthText("");
  EXPECT_EQ(doc.Width(), 0);
  doc.SetWidthText("12a");
  EXPECT_EQ(doc.Width(), 0);
  doc.SetHeightText("$20");
  EXPECT_EQ(doc.Height(), 32);
  doc.SetHeight(-5);
  EXPECT_EQ(doc.HeightText(), "-5");
  EXPECT_EQ(doc.Height(), -5);
}

TEST(ButtonDocument, WorkAreaKeepsEveryColorItIsGiven) {
  ButtonDocument doc;
  EXPECT_TRUE(doc.SetWorkAreaColor(0x00123456_color));
  EXPECT_EQ(doc.WorkAreaColor(), 0x00123456_color);
  EXPECT_EQ(doc.WorkArea().Count(), 19);
  EXPECT_TRUE(doc.SetWorkAreaColor(0x000000FF_color));
  EXPECT_EQ(doc.WorkAreaColor(), 0x000000FF_color);
  EXPECT_FALSE(doc.SetWorkAreaColor(base::Color{-1}));  // no colour: nothing changes
  EXPECT_EQ(doc.WorkAreaColor(), 0x000000FF_color);
  doc.ResetButtonSettings();
  EXPECT_EQ(doc.WorkAreaColor(), 0x00808000_color);
  EXPECT_EQ(doc.WorkArea().Count(), 18);
  doc.WorkArea().SetItemIndex(-1);
  EXPECT_EQ(doc.WorkAreaColor(), base::Color{-1});
}

TEST(ButtonDocument, FileNameComesFromTheBracketsOfTheCaption) {
  ButtonDocument doc;
  doc.SetDocumentFileName("/home/ann/buttons/go.vrb");
  EXPECT_EQ(doc.Caption(), "Vorbel - [/home/ann/buttons/go.vrb]");
  EXPECT_EQ(doc.GetDocumentFileName(), "/home/ann/buttons/go.vrb");
  doc.SetDocumentFileName("/data/a]b/go.vrb");
  EXPECT_EQ(doc.GetDocumentFileName(), "/data/a");
  doc.SetDocumentFileName("/data/a[1]/go.vrb");
  EXPECT_EQ(doc.GetDocumentFileName(), "/data/a[1");
  doc.SetCaption("Vorbel - [no closing");
  EXPECT_EQ(doc.GetDocumentFileName(), "untitled.vrb");
  doc.SetCaption("x] [tail");  // "]" only before the "[": present, but nothing closes the name
  EXPECT_EQ(doc.GetDocumentFileName(), "");
  doc.SetCaption("[]");
  EXPECT_EQ(doc.GetDocumentFileName(), "");
  doc.SetUntitled();
  EXPECT_EQ(doc.GetDocumentFileName(), "untitled.vrb");
}

TEST(ButtonDocument, AppendKeepsSelectionAndAllowsAnIncompleteRow) {
  ButtonDocument doc;
  AddThreeRows(doc);
  doc.SelectRow(0);
  LayerRow waiting;
  waiting.type = "Text";
  EXPECT_EQ(doc.AppendRow(waiting), 3);
  EXPECT_EQ(doc.SelectedRow(), 0);
  EXPECT_EQ(Types(doc), "ABCText");
  EXPECT_THROW(doc.Row(3).Properties(), MissingSubItemError);
  EXPECT_EQ(doc.Row(3).SubItemText(SubItem::Left), "");
  doc.SetRowSubItems(3, "Text=Hi;", "", "");
  EXPECT_EQ(doc.Row(3).Properties(), "Text=Hi;");
  EXPECT_THROW(doc.Row(4), std::out_of_range);
  EXPECT_THROW(doc.SelectRow(4), std::out_of_range);
}

TEST(ButtonDocument, MoveExchangesWholeRowsAndTheSelectionFollows) {
  ButtonDocument doc;
  AddThreeRows(doc);
  doc.SetRowImageIndex(1, -1);
  doc.SetRowSubItem(1, SubItem::Left, "7");

  EXPECT_FALSE(doc.MoveSelectedUp());  // nothing selected
  doc.SelectRow(1);
  ASSERT_TRUE(doc.MoveSelectedUp());
  EXPECT_EQ(Types(doc), "BAC");
  EXPECT_EQ(doc.SelectedRow(), 0);
  EXPECT_EQ(doc.Row(0), LayerRow::Make("B", "B=1;", "7", "", -1));
  EXPECT_EQ(doc.Row(1).image_index, 0);
  EXPECT_FALSE(doc.MoveSelectedUp());  // first row stays
  EXPECT_EQ(doc.SelectedRow(), 0);

  ASSERT_TRUE(doc.MoveSelectedDown());
  ASSERT_TRUE(doc.MoveSelectedDown());
  EXPECT_EQ(Types(doc), "ACB");
  EXPECT_EQ(doc.SelectedRow(), 2);
  EXPECT_FALSE(doc.MoveSelectedDown());  // last row stays
  EXPECT_EQ(doc.SelectedRow(), 2);
}

TEST(ButtonDocument, DeleteSelectedLeavesNoSelection) {
  ButtonDocument doc;
  AddThreeRows(doc);
  EXPECT_FALSE(doc.DeleteSelected());
  doc.SelectRow(1);
  EXPECT_TRUE(doc.DeleteSelected());
  EXPECT_EQ(Types(doc), "AC");
  EXPECT_EQ(doc.SelectedRow(), -1);
  // Removing an earlier row keeps the selection on its row.
  doc.SelectRow(1);
  doc.RemoveRow(0);
  EXPECT_EQ(doc.SelectedRow(), 0);
  EXPECT_EQ(doc.SelectedLayer()->type, "C");
}

TEST(ButtonDocument, ToggleMakesAnyValueVisibleBeforeHidingIt) {
  ButtonDocument doc;
  EXPECT_FALSE(doc.ToggleSelectedVisibility());
  doc.AppendRow(LayerRow::Make("Image", "", "", "", 3));
  doc.SelectRow(0);
  ASSERT_TRUE(doc.Row(0).IsVisible());
  doc.ToggleSelectedVisibility();
  EXPECT_EQ(doc.Row(0).image_index, 0);
  doc.ToggleSelectedVisibility();
  EXPECT_EQ(doc.Row(0).image_index, -1);
  EXPECT_FALSE(doc.Row(0).IsVisible());
  doc.ToggleSelectedVisibility();
  EXPECT_EQ(doc.Row(0).image_index, 0);
}

TEST(ButtonDocument, ClearAndReplaceDropTheSelectionButKeepTheSettings) {
  ButtonDocument doc;
  doc.SetHeight(40);
  doc.SetBorder(true);
  AddThreeRows(doc);
  doc.SelectRow(2);
  doc.ClearRows();
  EXPECT_EQ(doc.RowCount(), 0);
  EXPECT_EQ(doc.SelectedRow(), -1);
  EXPECT_EQ(doc.Height(), 40);
  EXPECT_TRUE(doc.Border());
  doc.ReplaceRows({LayerRow::Make("Bevel", "Pen=1;")});
  EXPECT_EQ(Types(doc), "Bevel");
}

TEST(ButtonDocument, ObserversHearChangesInOrder) {
  ButtonDocument doc;
  RecordingObserver observer;
  DocumentSubscription subscription = doc.Subscribe(&observer);

  doc.SetHeight(30);  // unchanged: silent
  doc.SetHeight(31);
  doc.SetWidthText("-");
  doc.SetBorder(true);
  doc.SetWorkAreaColor(0x000000FF_color);
  doc.SetWorkAreaColor(0x000000FF_color);  // unchanged: silent
  doc.WorkArea().SetItemIndex(0, SelectionSource::User);
  doc.SetDocumentFileName("a.vrb");
  AddThreeRows(doc);
  doc.SelectRow(1);
  doc.MoveSelectedDown();
  doc.ToggleSelectedVisibility();
  doc.SetRowSubItem(0, SubItem::Top, "");  // unchanged: silent
  doc.SetRowSubItem(0, SubItem::Top, "4");
  doc.DeleteSelected();
  doc.SelectRow(1);
  doc.ClearRows();

  EXPECT_EQ(observer.events,
            (std::vector<std::string>{"setting height", "setting width", "setting border", "setting workarea",
                                      "setting workarea", "setting caption", "inserting 0", "inserted 0",
                                      "inserting 1", "inserted 1", "inserting 2", "inserted 2", "selected -1->1",
                                      "exchanged 1", "selected 1->2", "changed 2", "changed 0", "removing 2",
                                      "removed 2", "selected 2->-1", "selected -1->1", "resetting", "reset",
                                      "selected 1->-1"}));

  subscription.Reset();
  doc.SetHeight(99);
  EXPECT_EQ(observer.events.back(), "selected 1->-1");
}

TEST(ButtonDocument, ObserverMayUnregisterWhileBeingTold) {
  struct OneShot : DocumentObserver {
    DocumentSubscription subscription;
    int calls = 0;
    void SettingsChanged(DocumentSetting) override {
      ++calls;
      subscription.Reset();
    }
  };
  ButtonDocument doc;
  OneShot first;
  RecordingObserver second;
  first.subscription = doc.Subscribe(&first);
  const DocumentSubscription subscription = doc.Subscribe(&second);
  doc.SetBorder(true);
  doc.SetBorder(false);
  EXPECT_EQ(first.calls, 1);
  EXPECT_EQ(second.events.size(), 2u);
}

// A view and its document may go in either order: a subscription that
// outlives its document does nothing when it ends, and an observer taken off
// by another while both are being told is not told any more.
TEST(ButtonDocument, SubscriptionsOutliveTheirDocumentAndStopAtOnce) {
  struct Silencer : DocumentObserver {
    DocumentSubscription* other = nullptr;
    void SettingsChanged(DocumentSetting) override { other->Reset(); }
  };
  RecordingObserver late;
  DocumentSubscription outliving;
  {
    ButtonDocument doc;
    Silencer silencer;
    DocumentSubscription silencing = doc.Subscribe(&silencer);
    outliving = doc.Subscribe(&late);
    silencer.other = &outliving;
    doc.SetBorder(true);
    EXPECT_TRUE(late.events.empty());
    outliving = doc.Subscribe(&late);
  }
  outliving.Reset();  // the document is gone: nothing to do
  EXPECT_TRUE(late.events.empty());
}

}  // namespace
}  // namespace vorbel::document

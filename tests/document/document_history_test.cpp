// The undo history: steps, labels, merging, the cap and the modified state.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "document/document_history.h"

namespace vorbel::document {
namespace {

class DocumentHistoryTest : public ::testing::Test {
 protected:
  DocumentHistoryTest() {
    doc.AppendRow(LayerRow::Make("Background", "Color=clRed;", "0", "0"));
    doc.AppendRow(LayerRow::Make("Text", "Text=Go;", "4", "5", kHiddenImage));
    history.Reset();
    history.MarkSaved();
  }

  ButtonDocument doc;
  DocumentHistory history{doc};
};

TEST_F(DocumentHistoryTest, EachChangeIsAStepThatUndoAndRedoTakeBackAndMakeAgain) {
  const DocumentState start = CaptureState(doc);
  doc.SetHeight(44);
  doc.SetBorder(true);
  doc.SetWorkAreaColor(base::Color::FromRgb(255, 255, 255));
  doc.SelectRow(1);
  {
    DocumentHistory::Step step(history, "Delete Layer");
    doc.DeleteSelected();
    step.Commit();
  }
  const DocumentState end = CaptureState(doc);
  ASSERT_EQ(history.StepCount(), 4u);
  EXPECT_EQ(history.UndoLabel(), "Delete Layer");
  EXPECT_TRUE(history.IsModified());

  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(doc.RowCount(), 2);
  EXPECT_EQ(doc.SelectedRow(), 1);  // the deleted layer comes back selected
  EXPECT_EQ(history.RedoLabel(), "Delete Layer");
  EXPECT_EQ(history.UndoLabel(), "Change Work Area Color");
  while (history.Undo()) {
  }
  EXPECT_TRUE(CaptureState(doc).SameContent(start));
  EXPECT_FALSE(history.IsModified());  // back where the file was
  while (history.Redo()) {
  }
  EXPECT_TRUE(CaptureState(doc).SameContent(end));
  EXPECT_EQ(doc.Row(0).image_index, kVisibleImage);
  EXPECT_FALSE(history.CanRedo());
}

TEST_F(DocumentHistoryTest, AStepGroupsItsChangesAndANetChangeOfNothingIsNoStep) {
  {
    DocumentHistory::Step step(history, "Add Layer");
    const int row = doc.AppendRow(LayerRow{"Image", {}, kVisibleImage});
    doc.SetRowSubItems(row, "Image=a.bmp;", "1", "2");
    step.Commit();
  }
  EXPECT_EQ(history.StepCount(), 1u);
  {
    DocumentHistory::Step step(history, "Add Layer");
    const int row = doc.AppendRow(LayerRow{"Image", {}, kVisibleImage});
    doc.RemoveRow(row);  // a cancelled editor
    step.Commit();
  }
  EXPECT_EQ(history.StepCount(), 1u);
  EXPECT_EQ(history.UndoLabel(), "Add Layer");
}

TEST_F(DocumentHistoryTest, AStepThatFailsBeforeItsCommitLeavesNeitherChangesNorAStep) {
  doc.SelectRow(0);
  const DocumentState before = CaptureState(doc);
  try {
    DocumentHistory::Step outer(history, "Edit Layer");
    doc.SetRowSubItem(0, SubItem::Properties, "Color=clBlue;");
    {
      DocumentHistory::Step inner(history, "Change Layer");
      doc.SetHeight(60);
      inner.Commit();
    }
    doc.DeleteSelected();
    throw std::runtime_error("editor failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(CaptureState(doc).SameContent(before));
  EXPECT_EQ(doc.SelectedRow(), 0);
  EXPECT_EQ(history.StepCount(), 0u);
  EXPECT_FALSE(history.IsModified());
  doc.SetWidth(12);  // the history goes on as before
  EXPECT_EQ(history.StepCount(), 1u);
}

TEST_F(DocumentHistoryTest, ChangesWithTheSameMergeKeyBecomeOneStepUntilTheRunIsBroken) {
  doc.SetHeightText("4");
  doc.SetHeightText("45");  // typing
  EXPECT_EQ(history.StepCount(), 1u);
  history.BreakMerge();
  doc.SetHeightText("46");
  EXPECT_EQ(history.StepCount(), 2u);
  history.BreakMerge();
  doc.SetHeightText("4");
  doc.SetHeightText("46");  // typed back: the run is no step
  EXPECT_EQ(history.StepCount(), 2u);
  doc.SetWidth(12);
  doc.SetHeight(50);  // another setting in between starts a new run
  EXPECT_EQ(history.StepCount(), 4u);
  history.Undo();
  history.Undo();
  history.Undo();
  EXPECT_EQ(doc.HeightText(), "45");
  history.Undo();
  EXPECT_EQ(doc.HeightText(), "30");
}

TEST_F(DocumentHistoryTest, TheLookOfThePicturesIsUndoneLikeEveryOtherSetting) {
  doc.SetTransparencyRule(Transparency::Unpainted);
  doc.SetSmooth(true);
  doc.SetMatte(base::Color::FromRgb(1, 2, 3));
  EXPECT_TRUE(history.IsModified());
  EXPECT_EQ(history.UndoLabel(), "Change Matte");
  history.Undo();
  history.Undo();
  EXPECT_FALSE(doc.Smooth());
  EXPECT_FALSE(doc.Matte());
  history.Undo();
  EXPECT_EQ(doc.TransparencyRule(), Transparency::WorkAreaColor);
  EXPECT_FALSE(history.IsModified());
}

TEST_F(DocumentHistoryTest, ModifiedFollowsWhatTheFileWouldHold) {
  doc.SetBorder(true);  // not part of the file
  EXPECT_FALSE(history.IsModified());
  EXPECT_TRUE(history.CanUndo());
  doc.SetHeightText("030");  // saves as 30
  EXPECT_FALSE(history.IsModified());
  doc.SetRowSubItem(0, SubItem::Left, "7");
  EXPECT_TRUE(history.IsModified());
  history.MarkSaved();
  EXPECT_FALSE(history.IsModified());
  history.Undo();
  EXPECT_TRUE(history.IsModified());
}

TEST_F(DocumentHistoryTest, LoadingIsNoStepAndTheOldestStepsGoFirst) {
  doc.SetLoading(true);
  doc.SetHeight(99);
  doc.SetLoading(false);
  EXPECT_EQ(history.StepCount(), 0u);

  for (std::size_t i = 0; i < DocumentHistory::kMaxSteps + 5; ++i) {
    history.BreakMerge();
    doc.SetHeight(static_cast<std::int32_t>(i));
  }
  EXPECT_EQ(history.StepCount(), DocumentHistory::kMaxSteps);
  while (history.Undo()) {
  }
  EXPECT_EQ(doc.Height(), 4);  // the first five steps were dropped
}

TEST_F(DocumentHistoryTest, AStepCostsWhatItChangedAndTheByteBoundHoldsForAHugeLayout) {
  // About 4 MB of rows: each step that changes one row adds about that row.
  const std::string big(4000, 'x');
  std::vector<LayerRow> rows(1000, LayerRow::Make("Text", "Text=" + big + ";"));
  doc.ReplaceRows(rows);
  history.Reset();
  const std::size_t start = history.Bytes();
  for (int i = 0; i < 100; ++i) {
    history.BreakMerge();
    doc.SetRowSubItem(i, SubItem::Left, std::to_string(i));
  }
  EXPECT_EQ(history.StepCount(), 100u);
  // Less than 1 % of the layout a step.
  EXPECT_LT(history.Bytes() - start, start);

  // Replacing every row makes steps of the whole layout: the oldest go, and
  // the kept states stay within the bound.
  for (int i = 0; i < 10; ++i) {
    for (LayerRow& row : rows) row.type = "Text" + std::to_string(i);
    doc.ReplaceRows(rows);
  }
  EXPECT_LE(history.Bytes(), DocumentHistory::kMaxBytes);
  EXPECT_GE(history.StepCount(), 1u);
  EXPECT_LT(history.StepCount(), 10u);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(doc.Row(999).type, "Text8");
}

}  // namespace
}  // namespace vorbel::document

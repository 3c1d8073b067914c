// The question before a modified document is replaced, and the list of
// recent files.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>

#include "base/atomic_file.h"
#include "commands/file_commands.h"
#include "commands/recent_files.h"
#include "layout/layout_file.h"
#include "support/test_support.h"

namespace vorbel::commands {
namespace {

class AnsweringDialogs : public FileDialogs {
 public:
  std::optional<std::string> OpenDialog() override { return open; }
  std::optional<std::string> SaveLayoutDialog() override {
    ++saves;
    return save;
  }
  SaveChangesAnswer AskSaveChanges(const std::string& name) override {
    asked.push_back(name);
    return answer;
  }

  std::optional<std::string> open;
  std::optional<std::string> save;
  SaveChangesAnswer answer = SaveChangesAnswer::Cancel;
  std::deque<std::string> asked;
  int saves = 0;
};

class UnsavedChangesTest : public ::testing::Test {
 protected:
  UnsavedChangesTest() { doc.AppendRow(document::LayerRow::Make("Bevel", "Pen=2;", "", "")); }

  document::ButtonDocument doc;
  document::DocumentHistory history{doc};
  AnsweringDialogs dialogs;
  FileCommands commands{doc, dialogs, {}, &history};
  test::ScratchDir dir;
};

TEST_F(UnsavedChangesTest, EachAnswerKeepsOrReplacesTheDocument) {
  EXPECT_TRUE(history.IsModified());  // the row was added after the start
  dialogs.answer = SaveChangesAnswer::Cancel;
  EXPECT_FALSE(commands.New());
  EXPECT_EQ(dialogs.asked.front(), "untitled.vrb");
  EXPECT_EQ(doc.RowCount(), 1);

  // Save, but the name chooser is cancelled: nothing happens either.
  dialogs.answer = SaveChangesAnswer::Save;
  EXPECT_FALSE(commands.New());
  EXPECT_EQ(dialogs.saves, 1);
  EXPECT_EQ(doc.RowCount(), 1);

  // A save that fails raises, and the document stays.
  dialogs.save = dir.File("missing/a.vrb");
  EXPECT_THROW(commands.New(), base::FileWriteError);
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_TRUE(history.IsModified());

  dialogs.save = dir.File("kept.vrb");
  EXPECT_TRUE(commands.New());
  EXPECT_EQ(doc.RowCount(), 0);
  document::ButtonDocument back;
  layout::LoadLayout(back, dir.File("kept.vrb"));
  EXPECT_EQ(back.RowCount(), 1);
  EXPECT_FALSE(history.IsModified());
  EXPECT_FALSE(history.CanUndo());  // New is no step

  // Unmodified: nothing is asked.
  dialogs.asked.clear();
  EXPECT_TRUE(commands.ConfirmDiscard());
  EXPECT_TRUE(dialogs.asked.empty());

  doc.SetHeight(12);
  dialogs.answer = SaveChangesAnswer::Discard;
  dialogs.open = dir.File("kept.vrb");
  EXPECT_TRUE(commands.Open());
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_FALSE(history.IsModified());
  doc.SetHeight(13);
  EXPECT_EQ(commands.DisplayName(), "kept.vrb");
  dialogs.answer = SaveChangesAnswer::Cancel;
  EXPECT_FALSE(commands.Open());
  EXPECT_EQ(dialogs.asked.back(), "kept.vrb");
  EXPECT_EQ(doc.Height(), 13);
}

TEST(RecentFiles, NewestFirstWithoutCopiesAndAtMostEight) {
  RecentFiles recent;
  recent.SetFiles({"/a", "", "/b", "/a"});
  EXPECT_EQ(recent.Files(), (std::vector<std::string>{"/a", "/b"}));
  recent.Add("/b");
  EXPECT_EQ(recent.Files(), (std::vector<std::string>{"/b", "/a"}));
  for (int i = 0; i < 10; ++i) recent.Add("/f" + std::to_string(i));
  ASSERT_EQ(recent.Files().size(), RecentFiles::kMaxFiles);
  EXPECT_EQ(recent.Files().front(), "/f9");
  EXPECT_EQ(recent.Files().back(), "/f2");
  recent.Remove("/f5");
  EXPECT_EQ(recent.Files().size(), RecentFiles::kMaxFiles - 1);
}

}  // namespace
}  // namespace vorbel::commands

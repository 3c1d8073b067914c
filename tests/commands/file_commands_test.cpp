// New, Open, Save and Save as with scripted dialogs.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>

#include "base/atomic_file.h"
#include "commands/file_commands.h"
#include "layout/layout_file.h"
#include "support/test_support.h"

namespace vorbel::commands {
namespace {

using test::ScratchDir;

// Dialogs that answer from a script and count how often they were shown.
class ScriptedDialogs : public FileDialogs {
 public:
  std::optional<std::string> OpenDialog() override { return Next(opens); }
  std::optional<std::string> SaveLayoutDialog() override { return Next(saves); }

  std::deque<std::optional<std::string>> answers;
  int opens = 0;
  int saves = 0;

 private:
  std::optional<std::string> Next(int& counter) {
    ++counter;
    if (answers.empty()) {
      ADD_FAILURE() << "a dialog was shown that the test did not expect";
      return std::nullopt;
    }
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class FileCommandsTest : public ::testing::Test {
 protected:
  document::ButtonDocument doc;
  ScriptedDialogs dialogs;
  int redraws = 0;
  FileCommands commands{doc, dialogs, [this] { ++redraws; }};
  ScratchDir dir;
};

TEST_F(FileCommandsTest, NewRemovesTheRowsKeepsTheSettingsAndRedraws) {
  doc.SetHeight(50);
  doc.SetBorder(true);
  doc.SetDocumentFileName("/somewhere/x.vrb");
  doc.AppendRow(document::LayerRow::Make("Bevel", ""));
  commands.New();
  EXPECT_EQ(doc.RowCount(), 0);
  EXPECT_EQ(doc.Height(), 50);
  EXPECT_TRUE(doc.Border());
  EXPECT_EQ(doc.Caption(), "Vorbel - [untitled.vrb]");
  EXPECT_EQ(redraws, 1);
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing) {
  doc.AppendRow(document::LayerRow::Make("Bevel", ""));
  dialogs.answers = {std::nullopt, std::nullopt, std::nullopt};
  EXPECT_FALSE(commands.Open());
  EXPECT_FALSE(commands.Save());
  EXPECT_FALSE(commands.SaveAs());
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(doc.Caption(), "Vorbel - [untitled.vrb]");
  EXPECT_EQ(redraws, 0);
  EXPECT_TRUE(dir.Entries().empty());
}

TEST_F(FileCommandsTest, UntitledSaveAsksOnceAndLaterSavesGoToTheSameFile) {
  const std::string file = dir.File("b.vrb");
  dialogs.answers = {file};
  EXPECT_TRUE(commands.Save());
  EXPECT_EQ(doc.Caption(), "Vorbel - [" + file + "]");
  doc.SetHeight(77);
  EXPECT_TRUE(commands.Save());  // no dialog this time
  EXPECT_EQ(dialogs.saves, 1);
  EXPECT_EQ(redraws, 0);  // saving never redraws

  document::ButtonDocument back;
  layout::LoadLayout(back, file);
  EXPECT_EQ(back.Height(), 77);
}

TEST_F(FileCommandsTest, OpenLoadsAndSaveWritesBackWithoutAsking) {
  const std::string file = dir.File("untitled.vrb");  // the name alone is not "untitled"
  document::ButtonDocument other;
  other.AppendRow(document::LayerRow::Make("Text", "Text=Hi;"));
  layout::SaveLayout(other, file);

  dialogs.answers = {file};
  EXPECT_TRUE(commands.Open());
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(redraws, 1);
  EXPECT_TRUE(commands.Save());
  EXPECT_EQ(dialogs.saves, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("untitled.bak")));
}

TEST_F(FileCommandsTest, TheBareUntitledNameAlwaysAsks) {
  const std::string file = dir.File("named.vrb");
  for (const char* bare : {"untitled.vrb", "UNTITLED.VRB", "Untitled.Vrb"}) {
    doc.SetDocumentFileName(bare);
    dialogs.answers = {file};
    EXPECT_TRUE(commands.Save()) << bare;
  }
  EXPECT_EQ(dialogs.saves, 3);
}

TEST_F(FileCommandsTest, APathWithABracketIsNeverSavedUnderItsCutOffName) {
  std::filesystem::create_directory(dir.File("odd]dir"));
  const std::string file = dir.File("odd]dir/a.vrb");
  dialogs.answers = {file};
  EXPECT_TRUE(commands.SaveAs());
  EXPECT_EQ(doc.GetDocumentFileName(), dir.File("odd"));
  // The commands remember the full path: Save writes there without asking.
  EXPECT_TRUE(commands.Save());
  EXPECT_EQ(dialogs.saves, 1);
  EXPECT_TRUE(std::filesystem::exists(dir.File("odd]dir/a.bak")));

  // Another such file loaded behind the commands' back: the caption is all
  // there is, and it cannot give the path back, so Save asks.
  layout::LoadLayout(doc, dir.File("odd]dir/b.vrb"));
  const std::string other = dir.File("other.vrb");
  dialogs.answers = {other};
  EXPECT_TRUE(commands.Save());
  EXPECT_EQ(dialogs.saves, 2);
  EXPECT_TRUE(std::filesystem::exists(other));
  EXPECT_FALSE(std::filesystem::exists(dir.File("odd")));
}

TEST_F(FileCommandsTest, TheFirstArgumentIsOpenedAtStartWhenItNamesAFile) {
  document::ButtonDocument other;
  other.AppendRow(document::LayerRow::Make("Bevel", ""));
  layout::SaveLayout(other, dir.File("start.vrb"));
  doc.SetHeight(44);

  EXPECT_FALSE(commands.OpenStartupFile({}));
  EXPECT_FALSE(commands.OpenStartupFile({dir.File("none.vrb"), dir.File("start.vrb")}));
  EXPECT_FALSE(commands.OpenStartupFile({dir.path().string()}));
  EXPECT_EQ(doc.Caption(), "Vorbel - [untitled.vrb]");
  EXPECT_EQ(doc.Height(), 44);
  EXPECT_EQ(redraws, 0);

  // The name stays as given, here with a redundant "./" in it.
  const std::string asGiven = dir.path().string() + "/./start.vrb";
  EXPECT_TRUE(commands.OpenStartupFile({asGiven, dir.File("none.vrb")}));
  EXPECT_EQ(doc.Caption(), "Vorbel - [" + asGiven + "]");
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(redraws, 1);
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheCaptionAndAsksAgainNextTime) {
  const std::string bad = dir.File("missing/a.vrb");
  dialogs.answers = {bad};
  EXPECT_THROW(commands.Save(), base::FileWriteError);
  EXPECT_EQ(doc.Caption(), "Vorbel - [untitled.vrb]");
  dialogs.answers = {dir.File("good.vrb")};
  EXPECT_TRUE(commands.Save());
  EXPECT_EQ(dialogs.saves, 2);
}

}  // namespace
}  // namespace vorbel::commands

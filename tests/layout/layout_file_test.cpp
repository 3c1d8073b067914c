// Layout files on disk: round trips, the reading defaults, the backup rule and
// saves that fail without harming the previous file.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "document/button_document.h"
#include "layout/layout_file.h"
#include "support/test_support.h"

namespace vorbel::layout {
namespace {

using namespace base::literals;

using test::ScratchDir;

constexpr base::Color kWhite = 0x00FFFFFF_color;
constexpr base::Color kTeal = 0x00808000_color;

void WriteText(const std::string& path, const std::string& text) {
  test::WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string ReadText(const std::string& path) {
  const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// Loads a layout text from a file into a fresh document.
void LoadText(document::ButtonDocument& doc, const std::string& text) {
  ScratchDir dir;
  WriteText(dir.File("in.vrb"), text);
  LoadLayout(doc, dir.File("in.vrb"));
}

TEST(LayoutFile, WritesSectionsAndKeysInOrderWithCrLf) {
  document::ButtonDocument doc;
  doc.AppendRow(document::LayerRow::Make("Bevel", "Pen=2;", "", "$1F", document::kHiddenImage));
  EXPECT_EQ(FormatLayout(doc),
            "[Button]\r\nHeight=30\r\nWidth=90\r\nWorkArea=8421376\r\nLayers=1\r\n"
            "[Layer0]\r\nType=Bevel\r\nProperties=Pen=2;\r\nX=\r\nY=$1F\r\nVisible=-1\r\n");

  document::ButtonDocument empty;
  empty.WorkArea().SetItemIndex(-1);
  EXPECT_EQ(FormatLayout(empty), "[Button]\r\nHeight=30\r\nWidth=90\r\nWorkArea=-1\r\nLayers=0\r\n");
}

TEST(LayoutFile, EveryKindOfRowSavesAndLoadsBackIdentical) {
  ScratchDir dir;
  document::ButtonDocument doc;
  doc.SetHeight(-7);
  doc.SetWidth(1234);
  doc.SetWorkAreaColor(kWhite);
  std::vector<document::LayerRow> rows = {
      document::LayerRow::Make("Background", "Color=clNavy;Shape=RoundRect;Seed=14;Draw3D=Yes;", "", ""),
      document::LayerRow::Make("Bevel", "Highlight=clTeal;Shadow=clNavy;Pen=1;", "0", "0", document::kHiddenImage),
      document::LayerRow::Make("Text", "Text=Caf\xC3\xA9 = 5;FontSize=12;", "$10", "-3", 5),
      document::LayerRow::Make("Image", "Image=/pictures/a b.bmp;Transparent=Yes;", "0x1F", "12abc"),
      document::LayerRow::Make("MY BACKGROUND", "", "", ""),
      document::LayerRow::Make("Shape", " leading and trailing blanks ", " 1", "2 "),
      document::LayerRow::Make("", "[Layer9]", "=", "[x]"),
      document::LayerRow::Make("\xC3\x9C" "ber", "Text=\xE2\x82\xAC;", "", "", -1),
  };
  for (const document::LayerRow& row : rows) doc.AppendRow(row);
  SaveLayout(doc, dir.File("all.vrb"));
  EXPECT_EQ(doc.Caption(), "Vorbel - [" + dir.File("all.vrb") + "]");

  document::ButtonDocument back;
  back.SetWorkAreaColor(0x000000FF_color);  // Red, so that the loaded colour shows
  LoadLayout(back, dir.File("all.vrb"));
  EXPECT_EQ(back.Rows(), rows);
  EXPECT_EQ(back.Height(), -7);
  EXPECT_EQ(back.Width(), 1234);
  EXPECT_EQ(back.WorkAreaColor(), kWhite);
  EXPECT_EQ(back.Caption(), doc.Caption());
}

TEST(LayoutFile, ReadsPresentLayerSectionsBelowTheCountInNumberOrder) {
  document::ButtonDocument doc;
  LoadText(doc,
           "[Layer2]\nType=Text\nX=5\n"
           "[Layer3]\nType=Bevel\n"      // beyond Layers=3
           "[layer0]\nVISIBLE=0x10\nTYPE=Background\nProperties=Color=clRed;\n"
           "[Layer1]\nType=*\n"          // no layer
           "[Layer01]\nType=Image\n"     // not the name of layer 1
           "[Button]\nLayers=3\n");
  ASSERT_EQ(doc.RowCount(), 2);
  EXPECT_EQ(doc.Row(0), document::LayerRow::Make("Background", "Color=clRed;", "0", "0", 16));
  EXPECT_EQ(doc.Row(1), document::LayerRow::Make("Text", "", "5", "0", 0));
}

// The captions of a set travel in a section of their own, which a layout
// without them does not have; a load replaces what the document held.
TEST(LayoutFile, SetCaptionsAreReadAndWrittenAsTheSetSectionHoldsThem) {
  document::ButtonDocument doc;
  LoadText(doc, "[Button]\nLayers=0\n[Set]\nCaptions=4\nCaption1= Home \nCaption2=\nCaption3=Über uns\n"
                "Caption5=Beyond the count\n");
  EXPECT_EQ(doc.SetCaptions(), (std::vector<std::string>{"Home", "Über uns"}));
  EXPECT_TRUE(FormatLayout(doc).ends_with("[Set]\r\nCaptions=2\r\nCaption1=Home\r\nCaption2=Über uns\r\n"));
  LoadText(doc, "[Button]\nLayers=0\n");
  EXPECT_TRUE(doc.SetCaptions().empty());
  EXPECT_EQ(FormatLayout(doc).find("[Set]"), std::string::npos);
}

// An editor that leaves a blank after a number must not lose the layers: the
// next save would write the empty document over the file.
TEST(LayoutFile, NumbersFollowedByBlanksAreRead) {
  document::ButtonDocument doc;
  LoadText(doc, "[Button]\r\nHeight=40 \r\nLayers=1 \r\n[Layer0]\r\nType=Bevel\r\nVisible=-1\t\r\n");
  EXPECT_EQ(doc.Height(), 40);
  ASSERT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(doc.Row(0).image_index, document::kHiddenImage);
}

// A file gives the same button whatever was open before: missing or
// unreadable keys read as a new window's settings, and a work-area colour
// outside the list is kept in an entry of its own.
TEST(LayoutFile, ButtonKeysStartFromANewWindowsSettings) {
  document::ButtonDocument doc;
  doc.SetHeightText("45");
  doc.SetWidthText("");
  doc.SetWorkAreaColor(kWhite);
  doc.AppendRow(document::LayerRow::Make("Bevel", ""));
  LoadText(doc, "[Button]\nWidth=abc\nLayers=x\n");
  EXPECT_EQ(doc.HeightText(), "30");
  EXPECT_EQ(doc.WidthText(), "90");
  EXPECT_EQ(doc.WorkAreaColor(), kTeal);
  EXPECT_EQ(doc.RowCount(), 0);  // the rows are replaced even so

  LoadText(doc, "[Button]\nWorkArea=1193046\nHeight=0x20\n");
  EXPECT_EQ(doc.WorkAreaColor(), base::Color{0x00123456});
  EXPECT_EQ(doc.WorkArea().Entry(doc.WorkArea().ItemIndex()).name, "$00123456");
  EXPECT_EQ(doc.Height(), 32);
  EXPECT_NE(FormatLayout(doc).find("WorkArea=1193046\r\n"), std::string::npos);
  // The next file starts from the standard list again; -1 names no colour.
  LoadText(doc, "[Button]\nWorkArea=-1\n");
  EXPECT_EQ(doc.WorkAreaColor(), kTeal);
  EXPECT_EQ(doc.WorkArea().Count(), 18);
}

// The look of the pictures: written only when it is not the default, read in
// any letter case, and a layout without the keys gets the defaults whatever
// the document had.
TEST(LayoutFile, TheLooksKeysRoundTripAndDefaultWhenMissing) {
  struct Case {
    const char* keys;
    document::Transparency rule;
    bool smooth;
    std::optional<base::Color> matte;
    const char* written;
  };
  const Case cases[] = {
      {"", document::Transparency::WorkAreaColor, false, std::nullopt, ""},
      {"Transparency=unpainted\nSmooth=Yes\nMatte=clWhite\n", document::Transparency::Unpainted, true, kWhite,
       "Transparency=Unpainted\r\nSmooth=Yes\r\nMatte=clWhite\r\n"},
      {"Transparency=WorkAreaColor\nSmooth=No\nMatte=#FF8000\n", document::Transparency::WorkAreaColor, false,
       base::Color::FromRgb(255, 128, 0), "Matte=$000080FF\r\n"},
      {"Transparency=Sometimes\nSmooth=\nMatte=nothing\n", document::Transparency::WorkAreaColor, false, std::nullopt,
       ""},
  };
  for (const Case& c : cases) {
    document::ButtonDocument doc;
    doc.SetTransparencyRule(document::Transparency::Unpainted);
    doc.SetSmooth(true);
    doc.SetMatte(kTeal);
    LoadText(doc, std::string("[Button]\nLayers=0\n") + c.keys);
    EXPECT_EQ(doc.TransparencyRule(), c.rule) << c.keys;
    EXPECT_EQ(doc.Smooth(), c.smooth) << c.keys;
    EXPECT_EQ(doc.Matte(), c.matte) << c.keys;
    const std::string text = FormatLayout(doc);
    const std::size_t from = text.find("Layers=0\r\n") + 10;
    EXPECT_EQ(text.substr(from, text.find('[', from) - from), c.written) << c.keys;
  }
  document::ButtonDocument doc;
  SetButtonKey(doc, "smooth", "Yes");
  SetButtonKey(doc, "Transparency", "Unpainted");
  EXPECT_TRUE(doc.Smooth());
  EXPECT_EQ(doc.TransparencyRule(), document::Transparency::Unpainted);
  EXPECT_THROW(SetButtonKey(doc, "Transparency", "Always"), LayoutReadError);
  EXPECT_THROW(SetButtonKey(doc, "Matte", "#12345"), LayoutReadError);
  EXPECT_THROW(SetButtonKey(doc, "Layers", "3"), LayoutReadError);
}

TEST(LayoutFile, LongPropertyStringsAreSavedWholeAndReadBackCut) {
  ScratchDir dir;
  std::string props;
  while (props.size() < 3000) props += "Text=" + std::to_string(props.size()) + ";";
  props.resize(3000);
  document::ButtonDocument doc;
  doc.AppendRow(document::LayerRow::Make("Text", props));
  SaveLayout(doc, dir.File("long.vrb"));
  EXPECT_NE(ReadText(dir.File("long.vrb")).find("Properties=" + props + "\r\n"), std::string::npos);

  document::ButtonDocument back;
  LoadLayout(back, dir.File("long.vrb"));
  ASSERT_EQ(back.RowCount(), 1);
  EXPECT_EQ(back.Row(0).Properties(), props.substr(0, 2047));
}

TEST(LayoutFile, LegacyWindows1252FilesLoadAsUnicode) {
  document::ButtonDocument doc;
  LoadText(doc, "[Button]\r\nLayers=1\r\n[Layer0]\r\nType=Text\r\nProperties=Text=\xDC" "ber uns;\r\n");
  ASSERT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(doc.Row(0).Properties(), "Text=\xC3\x9C" "ber uns;");
}

TEST(LayoutFile, BackupNameReplacesTheExtensionOfTheFileName) {
  EXPECT_EQ(BackupFileName("dir/Home.vrb"), "dir/Home.bak");
  EXPECT_EQ(BackupFileName("Home"), "Home.bak");
  EXPECT_EQ(BackupFileName("a.tar.gz"), "a.tar.bak");
  EXPECT_EQ(BackupFileName("my.folder/layout"), "my.folder/layout.bak");
  EXPECT_EQ(BackupFileName("dir/.hidden"), "dir/.bak");
  EXPECT_EQ(BackupFileName("x.bak"), "x.bak");
}

TEST(LayoutFile, FirstSaveKeepsTheOldVersionAndLaterSavesLeaveThatBackup) {
  ScratchDir dir;
  const std::string file = dir.File("a.vrb");
  WriteText(file, "original");
  document::ButtonDocument doc;
  doc.SetHeight(1);
  SaveLayout(doc, file);
  EXPECT_EQ(ReadText(dir.File("a.bak")), "original");
  EXPECT_NE(ReadText(file).find("Height=1\r\n"), std::string::npos);

  doc.SetHeight(2);
  SaveLayout(doc, file);
  EXPECT_EQ(ReadText(dir.File("a.bak")), "original");  // the first save's version is gone
  EXPECT_NE(ReadText(file).find("Height=2\r\n"), std::string::npos);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"a.bak", "a.vrb"}));

  // A save to a new name makes no backup.
  SaveLayout(doc, dir.File("b.vrb"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("b.bak")));
}

TEST(LayoutFile, SavingThroughALinkReplacesTheFileItNames) {
  ScratchDir dir;
  WriteText(dir.File("real.vrb"), "old");
  std::filesystem::create_symlink(dir.File("real.vrb"), dir.File("link.vrb"));
  document::ButtonDocument doc;
  SaveLayout(doc, dir.File("link.vrb"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.vrb")));
  EXPECT_EQ(ReadText(dir.File("link.vrb")), FormatLayout(doc));
  EXPECT_EQ(ReadText(dir.File("real.bak")), "old");
  EXPECT_EQ(doc.Caption(), "Vorbel - [" + dir.File("link.vrb") + "]");
}

// A limit on the size of files this process writes, as a full disk would set one.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit previous_{};
  sighandler_t previous_handler_;
};

// A save keeps what it replaces: the permission bits of the file (never
// setuid or setgid), and, when the folder may not be written but the file may,
// the file itself, written in place. The writer there is another user than the
// folder's owner: "nobody" when the tests run as root, else the test's user
// with the folder made read-only.
TEST(LayoutFileDeathTest, SaveKeepsPermissionsAndWritesInPlaceWhereItCannotReplace) {
  ScratchDir dir;
  const std::string file = dir.File("a.vrb");
  WriteText(file, "[Button]\r\nHeight=11\r\n");
  ::chmod(file.c_str(), 06640);
  document::ButtonDocument doc;
  doc.SetHeight(1);
  SaveLayout(doc, file);
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  const bool root = ::geteuid() == 0;
  const std::string folder = dir.File("locked");
  const std::string locked = folder + "/b.vrb";
  const std::string old = "[Button]\r\nHeight=22\r\n";
  std::filesystem::create_directory(folder);
  WriteText(locked, old);
  ::chmod(locked.c_str(), 0666);
  ::chmod(dir.path().c_str(), 0755);
  ::chmod(folder.c_str(), root ? 0755 : 0555);
  ASSERT_EQ(::stat(locked.c_str(), &st), 0);
  const auto saveAsAnotherUser = [&] {
    if (root && (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0 ||
                 ::setresuid(65534, 65534, 65534) != 0)) {
      ::_exit(2);
    }
    document::ButtonDocument big;
    big.AppendRow(document::LayerRow::Make("Text", std::string(20000, 'x')));
    {
      // The new text does not fit: nothing of the old one may change.
      FileSizeLimit limit(4096);
      try {
        SaveLayout(big, locked);
        ::_exit(3);
      } catch (const base::FileWriteError&) {
      }
    }
    if (ReadText(locked) != old) ::_exit(4);
    SaveLayout(big, locked);
    ::_exit(ReadText(locked) == FormatLayout(big) ? 0 : 5);
  };
  EXPECT_EXIT(saveAsAnotherUser(), ::testing::ExitedWithCode(0), "");
  struct stat after {};
  ASSERT_EQ(::stat(locked.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, st.st_ino);
  EXPECT_NE(ReadText(locked).find(std::string(20000, 'x')), std::string::npos);
  EXPECT_EQ(std::filesystem::exists(folder + "/b.bak"), false);
}

// A FIFO or a device is written, never moved to the backup name nor replaced;
// a socket cannot be written and the message says why.
TEST(LayoutFile, SaveWritesFifosAndRefusesSockets) {
  ScratchDir dir;
  const std::string fifo = dir.File("pipe.vrb");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  document::ButtonDocument doc;
  SaveLayout(doc, fifo);
  std::string got(1000, '\0');
  got.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, got.data(), got.size()))));
  ::close(reader);
  EXPECT_EQ(got, FormatLayout(doc));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"pipe.vrb"});

  const std::string socketPath = dir.File("socket.vrb");
  const int sock = test::BindUnixSocket(socketPath);
  ASSERT_GE(sock, 0);
  try {
    SaveLayout(doc, socketPath);
    ADD_FAILURE() << "saved to a socket";
  } catch (const base::FileWriteError& e) {
    EXPECT_STREQ(e.what(), ("Unable to write to " + socketPath + ": it is a socket").c_str());
  }
  ::close(sock);
}

// A save that cannot create its file says so, and the caption stays. The
// tests run as root, which ignores permission bits, so the folders used are
// ones that cannot hold a new file for other reasons: a path below a regular
// file, a folder that does not exist, and /proc.
TEST(LayoutFile, SaveIntoAFolderThatCannotBeWrittenReportsItAndChangesNothing) {
  ScratchDir dir;
  WriteText(dir.File("file"), "content");
  document::ButtonDocument doc;
  const std::string caption = doc.Caption();
  for (const std::string& name :
       {dir.File("file/sub/x.vrb"), dir.File("missing/x.vrb"), std::string("/proc/vorbel-test.vrb")}) {
    try {
      SaveLayout(doc, name);
      ADD_FAILURE() << "saved to " << name;
    } catch (const base::FileWriteError& e) {
      EXPECT_STREQ(e.what(), ("Unable to write to " + name).c_str());
    }
    EXPECT_EQ(doc.Caption(), caption);
  }
  EXPECT_EQ(ReadText(dir.File("file")), "content");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"file"});
}

// A full disk, simulated with a file-size limit: the new text does not fit, so
// the save fails after the old file has been moved to the backup name. The old
// file must be back in place byte for byte, with no backup and no temporary
// file left over.
TEST(LayoutFile, FailedSaveLeavesThePreviousFileAndBackupUntouched) {
  ScratchDir dir;
  const std::string file = dir.File("a.vrb");
  const std::string old = "[Button]\r\nHeight=11\r\n";
  WriteText(file, old);
  document::ButtonDocument doc;
  doc.AppendRow(document::LayerRow::Make("Text", std::string(20000, 'x')));
  const std::string caption = doc.Caption();
  {
    FileSizeLimit limit(4096);
    EXPECT_THROW(SaveLayout(doc, file), base::FileWriteError);
  }
  EXPECT_EQ(ReadText(file), old);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"a.vrb"});
  EXPECT_EQ(doc.Caption(), caption);

  // With a backup already there, neither file changes.
  WriteText(dir.File("a.bak"), "older");
  {
    FileSizeLimit limit(4096);
    EXPECT_THROW(SaveLayout(doc, file), base::FileWriteError);
  }
  EXPECT_EQ(ReadText(file), old);
  EXPECT_EQ(ReadText(dir.File("a.bak")), "older");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"a.bak", "a.vrb"}));
}

// Watches the document while it loads.
class LoadWatcher : public document::DocumentObserver {
 public:
  explicit LoadWatcher(const document::ButtonDocument& doc) : doc_(doc) {}
  void SettingsChanged(document::DocumentSetting) override { changesWhileLoading += doc_.Loading() ? 1 : 0; }
  void RowsReset() override { changesWhileLoading += doc_.Loading() ? 1 : 0; }
  int changesWhileLoading = 0;

 private:
  const document::ButtonDocument& doc_;
};

TEST(LayoutFile, LoadingIsSuspendedUntilTheSingleRedrawAtTheEnd) {
  ScratchDir dir;
  WriteText(dir.File("l.vrb"), "[Button]\nHeight=10\nWidth=20\nWorkArea=16777215\nLayers=1\n[Layer0]\nType=Bevel\n");
  document::ButtonDocument doc;
  LoadWatcher watcher(doc);
  document::DocumentSubscription watching = doc.Subscribe(&watcher);
  int redraws = 0;
  LoadLayout(doc, dir.File("l.vrb"), [&] {
    EXPECT_FALSE(doc.Loading());
    EXPECT_EQ(doc.RowCount(), 1);
    ++redraws;
  });
  watching.Reset();
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(watcher.changesWhileLoading, 6);  // height, width, work area, rows, caption, folder
  EXPECT_FALSE(doc.Loading());
}

TEST(LayoutFile, LoadAndSaveTakeTheFilesFolderForItsPictures) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "sub");
  WriteText(dir.File("l.vrb"), "[Button]\nLayers=0\n");
  document::ButtonDocument doc;
  LoadLayout(doc, dir.File("l.vrb"));
  EXPECT_EQ(doc.LayoutFolder(), dir.path().string());
  SaveLayout(doc, dir.File("sub/m.vrb"));
  EXPECT_EQ(doc.LayoutFolder(), (dir.path() / "sub").string());
  // A failed save keeps the folder; a relative name counts from the working folder.
  EXPECT_THROW(SaveLayout(doc, dir.File("missing/m.vrb")), base::FileWriteError);
  EXPECT_EQ(doc.LayoutFolder(), (dir.path() / "sub").string());
  EXPECT_EQ(LayoutFolderOf("m.vrb"), std::filesystem::current_path().string());
  doc.SetUntitled();
  EXPECT_EQ(doc.LayoutFolder(), "");
}

TEST(LayoutFile, AMissingFileLoadsEmptyOrIsAnErrorWhenItMustExist) {
  ScratchDir dir;
  document::ButtonDocument doc;
  doc.SetHeight(12);
  doc.AppendRow(document::LayerRow::Make("Bevel", ""));
  int redraws = 0;
  LoadLayout(doc, dir.File("none.vrb"), [&] { ++redraws; });
  EXPECT_EQ(doc.RowCount(), 0);
  EXPECT_EQ(doc.Height(), 30);  // what a new window starts with
  EXPECT_EQ(doc.Caption(), "Vorbel - [" + dir.File("none.vrb") + "]");
  EXPECT_EQ(redraws, 1);

  doc.AppendRow(document::LayerRow::Make("Bevel", ""));
  for (const std::string& name : {dir.File("none.vrb"), dir.path().string()}) {
    EXPECT_THROW(LoadLayout(doc, name, [&] { ++redraws; }, MissingLayout::IsAnError), LayoutReadError) << name;
  }
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(redraws, 1);
  EXPECT_FALSE(doc.Loading());
}

// A picture or some other file opened by mistake is refused, so that the next
// save cannot put layout text over it, and the open document stays as it was.
TEST(LayoutFile, FilesThatAreNoLayoutsAreRefusedAndTheDocumentStays) {
  ScratchDir dir;
  // A PNG's first bytes, with a section head after them for good measure.
  constexpr char kPng[] = "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0[Button]\n";
  const std::string png(kPng, sizeof kPng - 1);
  WriteText(dir.File("picture.png"), png);
  WriteText(dir.File("notes.txt"), "Shopping list\r\n[Monday]\r\nbread=2\r\n");
  document::ButtonDocument doc;
  doc.SetHeight(12);
  doc.AppendRow(document::LayerRow::Make("Bevel", ""));
  const std::string caption = doc.Caption();
  for (const std::string name : {"picture.png", "notes.txt"}) {
    for (const MissingLayout missing : {MissingLayout::LoadsEmpty, MissingLayout::IsAnError}) {
      try {
        LoadLayout(doc, dir.File(name), {}, missing);
        ADD_FAILURE() << name << " was loaded";
      } catch (const LayoutReadError& e) {
        EXPECT_EQ(e.what(), "Cannot open file " + dir.File(name) + ": the file is not a layout file");
      }
    }
  }
  EXPECT_EQ(doc.Height(), 12);
  EXPECT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(doc.Caption(), caption);
  EXPECT_EQ(ReadText(dir.File("picture.png")), png);

  // An empty or blank file is a new layout, and a layer section alone is one.
  for (const std::string text : {"", " \r\n\r\n", "[Layer0]\r\nType=Text\r\n"}) {
    LoadText(doc, text);
    EXPECT_EQ(doc.RowCount(), 0) << text;
  }
}

// A FIFO (or a device) named as a layout is refused at once: opening it to
// read would wait for a writer forever. The alarm ends the test should it
// wait.
TEST(LayoutFileDeathTest, AFifoIsRefusedWithoutWaitingForAWriter) {
  ScratchDir dir;
  const std::string fifo = dir.File("pipe.vrb");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto loadEach = [&fifo] {
    ::alarm(10);
    int refused = 0;
    for (const std::string& name : {fifo, std::string("/dev/null")}) {
      for (const MissingLayout missing : {MissingLayout::LoadsEmpty, MissingLayout::IsAnError}) {
        document::ButtonDocument doc;
        try {
          LoadLayout(doc, name, {}, missing);
        } catch (const LayoutReadError& e) {
          refused += e.what() == "Cannot open file " + name + ": not a regular file" ? 1 : 0;
        }
      }
    }
    ::_exit(refused == 4 ? 0 : 1);
  };
  EXPECT_EXIT(loadEach(), ::testing::ExitedWithCode(0), "");
}

// Lines that end in a bare CR, as some editors write them, are read in time
// proportional to the text. Run under a limit on CPU time rather than a clock:
// the six megabytes take a fraction of a second (about three under the
// sanitizers, which build the 100,000 layers slowly), where looking for an LF
// from each line to the end of the text took minutes.
TEST(LayoutFileDeathTest, BareCrLinesAreReadInLinearTime) {
  constexpr int kLayers = 100000;
  std::string text = "[Button]\rLayers=" + std::to_string(kLayers) + "\r";
  for (int i = 0; i < kLayers; ++i) {
    text += "[Layer" + std::to_string(i) + "]\rType=Bevel\rProperties=Pen=1;\rX=\rY=\rVisible=-1\r";
  }
  ScratchDir dir;
  const std::string file = dir.File("cr.vrb");
  WriteText(file, text);
  const auto loadWithinTwentySeconds = [&file] {
    const rlimit cpu{20, 21};
    ::setrlimit(RLIMIT_CPU, &cpu);
    document::ButtonDocument doc;
    LoadLayout(doc, file);
    ::_exit(doc.RowCount() == kLayers ? 0 : 1);
  };
  EXPECT_EXIT(loadWithinTwentySeconds(), ::testing::ExitedWithCode(0), "");
}

// Fifty megabytes of random bytes (all but NUL) with one layer section in the middle and a
// layer count of 2^31 - 1: the load visits the sections that are there, not two
// billion numbers, and finds exactly the one layer.
TEST(LayoutFile, HugeRandomFileLoadsQuicklyWithSaneResults) {
  ScratchDir dir;
  std::string bytes(50u << 20, '\0');
  std::mt19937_64 random(20240607);
  for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
    const std::uint64_t word = random();
    std::memcpy(bytes.data() + i, &word, 8);
  }
  std::replace(bytes.begin(), bytes.end(), '\0', '\1');  // a NUL byte would make it no layout at all
  const std::string layout = "\n[Button]\nLayers=2147483647\nHeight=12\n[Layer7]\nType=Text\nX=3\n[Other]\n";
  bytes.replace(bytes.size() / 2, layout.size(), layout);
  const std::string file = dir.File("random.vrb");
  WriteText(file, bytes);

  document::ButtonDocument doc;
  const auto start = std::chrono::steady_clock::now();
  LoadLayout(doc, file);
  const auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
  std::printf("loaded 50 MB of random bytes in %.1f ms\n", elapsed.count());
  EXPECT_EQ(doc.Height(), 12);
  ASSERT_EQ(doc.RowCount(), 1);
  EXPECT_EQ(doc.Row(0).type, "Text");
  EXPECT_EQ(doc.Row(0).Left(), "3");
  // Only a reader that is quadratic in the file takes minutes here; the bound is
  // that loose so that a sanitizer build on a loaded machine never trips it.
  EXPECT_LT(elapsed.count(), 60000.0);
}

}  // namespace
}  // namespace vorbel::layout

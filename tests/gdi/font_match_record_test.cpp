#include "gdi/font_match_record.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace vorbel::gdi {
namespace {

namespace fs = std::filesystem;

constexpr const char* kContext = "fontconfig 1; LANG=C";

// A folder with a configuration file, a configuration folder and a font
// folder with two font files, all dated an hour back, so that a match made
// now counts as settled.
class FontMatchRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeTree(); }
  void TearDown() override { fs::remove_all(root_); }

  void MakeTree() {
    std::string pattern = (fs::temp_directory_path() / "vorbel-font-record-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "conf.d");
    fs::create_directories(root_ / "fonts");
    Write(root_ / "fonts.conf", "<fontconfig/>");
    Write(root_ / "fonts" / "a.ttf", "font a");
    Write(root_ / "fonts" / "b.ttf", "font b");
    for (const char* name : {"fonts.conf", "fonts/a.ttf", "fonts/b.ttf", "conf.d", "fonts"}) Age(root_ / name);
  }

  static void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  // Sets the modification time an hour back; the change time stays now, so
  // matches are remembered with loadedAt() an hour ahead.
  static void Age(const fs::path& path) {
    fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1));
  }
  static std::int64_t LoadedAt() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return (std::int64_t{now.tv_sec} + 3600) * 1'000'000'000;
  }

  std::string File() const { return (root_ / "cache" / "vorbel" / "font-matches").string(); }
  std::vector<std::string> Configuration() const {
    return {(root_ / "fonts.conf").string(), (root_ / "conf.d").string(), (root_ / "user.conf").string()};
  }
  std::vector<FontFileRef> Candidates() const {
    // Names with the characters that separate fields and lines in the file.
    return {{(root_ / "fonts" / "a.ttf").string(), 0, "Fam\tily \\ One"},
            {(root_ / "fonts" / "b.ttf").string(), 3, "Two\nLines"}};
  }
  std::vector<std::string> Folders() const { return {(root_ / "fonts").string()}; }
  void RememberSans() {
    FontMatchRecord record(File(), kContext);
    record.Remember("Sans\x01", Candidates(), Configuration(), Folders(), LoadedAt());
  }
  std::optional<std::vector<FontFileRef>> FindSans(const std::string& context = kContext) {
    FontMatchRecord record(File(), context);
    return record.Find("Sans\x01");
  }

  fs::path root_;
};

bool SameRefs(const std::vector<FontFileRef>& a, const std::vector<FontFileRef>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].path != b[i].path || a[i].index != b[i].index || a[i].family != b[i].family) return false;
  }
  return true;
}

TEST_F(FontMatchRecordTest, AMatchIsFoundByALaterRunWhileNothingChanged) {
  EXPECT_FALSE(FindSans().has_value());  // no file yet
  RememberSans();
  const auto found = FindSans();
  ASSERT_TRUE(found.has_value());
  EXPECT_TRUE(SameRefs(*found, Candidates()));
  FontMatchRecord record(File(), kContext);
  EXPECT_FALSE(record.Find("Serif").has_value());
  // Folders a user may read are not made world-readable.
  EXPECT_EQ(fs::status(root_ / "cache").permissions() & fs::perms::others_all, fs::perms::none);
}

TEST_F(FontMatchRecordTest, AnyChangeItDependsOnMakesItUnused) {
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"edited configuration", [&] { Write(root_ / "fonts.conf", "<fontconfig></fontconfig>"); }},
      {"new file in a configuration folder", [&] { Write(root_ / "conf.d" / "10-new.conf", ""); }},
      {"missing configuration created", [&] { Write(root_ / "user.conf", ""); }},
      {"replaced candidate",
       [&] { fs::rename(root_ / "fonts" / "a.ttf", root_ / "old.ttf"), Write(root_ / "fonts" / "a.ttf", "font a"); }},
      {"removed candidate", [&] { fs::remove(root_ / "fonts" / "b.ttf"); }},
  };
  for (const auto& [what, change] : changes) {
    fs::remove_all(root_);
    MakeTree();
    RememberSans();
    ASSERT_TRUE(FindSans().has_value()) << what;
    change();
    EXPECT_FALSE(FindSans().has_value()) << what;
  }
  fs::remove_all(root_);
  MakeTree();
  RememberSans();
  EXPECT_FALSE(FindSans("fontconfig 1; LANG=de_DE.UTF-8").has_value()) << "other context";
}

TEST_F(FontMatchRecordTest, DamagedOrCutShortRecordsAreIgnored) {
  RememberSans();
  std::ifstream in(File(), std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(FindSans().has_value());
  for (std::size_t length = 0; length < whole.size(); ++length) {
    Write(File(), whole.substr(0, length));
    ASSERT_FALSE(FindSans().has_value()) << "cut at " << length;
  }
  for (std::size_t at = 0; at < whole.size(); ++at) {
    std::string damaged = whole;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
    Write(File(), damaged);
    ASSERT_FALSE(FindSans().has_value()) << "byte " << at;
  }
  Write(File(), whole + "face\tSerif\n");  // after the last line
  EXPECT_FALSE(FindSans().has_value());
}

TEST_F(FontMatchRecordTest, RecentChangesAreNotRecorded) {
  FontMatchRecord record(File(), kContext);
  Write(root_ / "fonts.conf", "<fontconfig/>");  // written now: may be newer than what was read
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  record.Remember("Sans\x01", Candidates(), Configuration(), Folders(), std::int64_t{now.tv_sec} * 1'000'000'000);
  EXPECT_FALSE(fs::exists(File()));
}

TEST_F(FontMatchRecordTest, KeepsTheMostRecentFaces) {
  {
    FontMatchRecord record(File(), kContext);
    for (std::size_t i = 0; i <= FontMatchRecord::kMaxFaces; ++i) {
      record.Remember("Face " + std::to_string(i), Candidates(), Configuration(), Folders(), LoadedAt());
    }
  }
  FontMatchRecord record(File(), kContext);
  EXPECT_FALSE(record.Find("Face 0").has_value());
  EXPECT_TRUE(record.Find("Face 1").has_value());
  EXPECT_TRUE(record.Find("Face " + std::to_string(FontMatchRecord::kMaxFaces)).has_value());
}

// The record is read from the user's cache, where anything may have been put
// in its place: a forged record that passes every check of the file itself
// must still not make a run open what is no font file in a font folder.
std::string Forged(std::string text, const std::string& font, const std::string& target) {
  const auto stamp = [](const FileStamp& s) {
    return std::to_string(s.device) + ":" + std::to_string(s.inode) + ":" + std::to_string(s.size) + ":" +
           std::to_string(s.mtimeNs) + ":" + std::to_string(s.ctimeNs);
  };
  const std::size_t at = text.find("\t" + font + "\n");
  const std::size_t stampAt = text.rfind("font\t", at) + 5;
  const std::size_t stampEnd = text.find('\t', stampAt);
  text.replace(at + 1, font.size(), target);
  text.replace(stampAt, stampEnd - stampAt, stamp(FileStamp::Of(target)));
  text.erase(text.rfind("end\t"));
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  char end[32];
  std::snprintf(end, sizeof end, "end\t%llx\n", static_cast<unsigned long long>(hash));
  return text + end;
}

TEST_F(FontMatchRecordTest, ARecordNamingAnythingButAFontFileIsNotUsedAndIsMadeAnew) {
  const fs::path fonts = root_ / "fonts";
  ASSERT_EQ(::mkfifo((fonts / "pipe").c_str(), 0600), 0);
  fs::create_directories(fonts / "folder");
  Write(root_ / "secret", "no font");
  RememberSans();
  std::ifstream in(File(), std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string font = (fonts / "a.ttf").string();
  for (const std::string& target : {(fonts / "pipe").string(), (fonts / "folder").string(), (root_ / "secret").string(),
                                    (fonts / ".." / "secret").string(), std::string("/dev/zero")}) {
    const std::string forged = Forged(good, font, target);
    Write(File(), forged);
    EXPECT_FALSE(FindSans().has_value()) << target;
    // The full match that follows puts a sound record in its place.
    RememberSans();
    ASSERT_TRUE(FindSans().has_value()) << target;
  }
}

TEST_F(FontMatchRecordTest, ARecordIsKeptOnlyInAFolderOfTheUsersOwnAndNeverThroughALink) {
  // A link to a FIFO in the record's place: nothing waits, the link goes.
  fs::create_directories(root_ / "cache" / "vorbel");
  ::chmod((root_ / "cache" / "vorbel").c_str(), 0700);
  ASSERT_EQ(::mkfifo((root_ / "pipe").c_str(), 0600), 0);
  fs::create_symlink(root_ / "pipe", File());
  EXPECT_FALSE(FindSans().has_value());
  RememberSans();
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(File())));
  EXPECT_TRUE(fs::is_fifo(root_ / "pipe"));
  EXPECT_TRUE(FindSans().has_value());

  // A folder that others may write is not used at all: a link planted there
  // by another user leads nowhere.
  Write(root_ / "victim", "the user's own file");
  fs::remove(File());
  fs::create_symlink(root_ / "victim", File());
  ::chmod((root_ / "cache" / "vorbel").c_str(), 0777);
  RememberSans();
  EXPECT_TRUE(fs::is_symlink(File()));
  std::ifstream victim(root_ / "victim");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), {}), "the user's own file");
}

}  // namespace
}  // namespace vorbel::gdi

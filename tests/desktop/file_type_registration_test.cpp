#include "desktop/file_type_registration.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vorbel::desktop {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class FileTypeRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("vorbel_registration_" + std::to_string(getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    data_ = root_ / "share";
    icons_.document_icons_png = {{16, "document16"}, {32, "document32"}};
    icons_.document_icon_svg = "<svg/>";
    icons_.program_icons_png = {{16, "app16"}, {48, "app48"}};
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
  }

  // Registers with a runner that records each command and makes the database
  // the real tool would make in the folder it is given.
  bool Register(const std::string& program, bool thumbnailer = false) {
    return RegisterLayoutFileType(
        program, data_.string(), icons_,
        [this](const std::vector<std::string>& argv) {
          commands_.push_back(argv);
          const bool mime = fs::path(argv[0]).filename() == "update-mime-database";
          std::ofstream(fs::path(argv[1]) / (mime ? "mime.cache" : "mimeinfo.cache")) << "database";
        },
        thumbnailer);
  }

  fs::path Desktop() const { return data_ / "applications/org.vorbel.vorbel.desktop"; }
  fs::path Mime() const { return data_ / "mime/packages/org.vorbel.vorbel.xml"; }
  fs::path DocumentIcon(const std::string& size) const {
    return data_ /
           ("icons/hicolor/" + size + "/mimetypes/application-x-vorbel-layout." + (size == "scalable" ? "svg" : "png"));
  }

  // Puts fake refresh tools on PATH that only record that they ran.
  fs::path FakeTools() {
    const fs::path bin = root_ / "bin";
    fs::create_directories(bin);
    for (const char* name : {"update-mime-database", "update-desktop-database"}) {
      std::ofstream(bin / name) << "#!/bin/sh\n";
      fs::permissions(bin / name, fs::perms::owner_all);
    }
    return bin;
  }

  fs::path root_;
  fs::path data_;
  FileTypeIcons icons_;
  std::vector<std::vector<std::string>> commands_;
};

TEST_F(FileTypeRegistrationTest, WritesTypeEntryAndIcons) {
  ASSERT_TRUE(Register("/opt/vorbel/bin/vorbel"));

  const std::string mime = ReadFile(Mime());
  EXPECT_NE(mime.find("<mime-type type=\"application/x-vorbel-layout\">"), std::string::npos) << mime;
  EXPECT_NE(mime.find("<comment>Vorbel layout file</comment>"), std::string::npos);
  EXPECT_NE(mime.find("<sub-class-of type=\"text/plain\"/>"), std::string::npos);
  EXPECT_NE(mime.find("<glob pattern=\"*.vrb\"/>"), std::string::npos);
  // A layout is known by its first line also without the extension.
  EXPECT_NE(mime.find("<magic priority=\"50\">\n      <match type=\"string\" offset=\"0\" value=\"[Button]\"/>\n"
                      "      <match type=\"string\" offset=\"0\" value=\"\xEF\xBB\xBF[Button]\"/>\n    </magic>"),
            std::string::npos)
      << mime;

  const std::string desktop = ReadFile(Desktop());
  EXPECT_EQ(desktop.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(desktop.find("\nExec=/opt/vorbel/bin/vorbel %f\n"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find("\nTryExec=/opt/vorbel/bin/vorbel\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nMimeType=application/x-vorbel-layout;\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nIcon=org.vorbel.vorbel\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nType=Application\n"), std::string::npos);

  EXPECT_EQ(ReadFile(DocumentIcon("16x16")), "document16");
  EXPECT_EQ(ReadFile(DocumentIcon("32x32")), "document32");
  EXPECT_EQ(ReadFile(DocumentIcon("scalable")), "<svg/>");
  EXPECT_EQ(ReadFile(data_ / "icons/hicolor/16x16/apps/org.vorbel.vorbel.png"), "app16");
  EXPECT_EQ(ReadFile(data_ / "icons/hicolor/48x48/apps/org.vorbel.vorbel.png"), "app48");

  // Readable by everyone, and no temporary files left behind.
  EXPECT_EQ(fs::status(Desktop()).permissions() & fs::perms::others_read, fs::perms::others_read);
  for (const auto& entry : fs::recursive_directory_iterator(data_)) {
    EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
  }
}

TEST_F(FileTypeRegistrationTest, RewritesOnlyWhatChangedAndRefreshesThen) {
  const ScopedEnv path("PATH", FakeTools().string());
  ASSERT_TRUE(Register("/opt/a/vorbel"));
  ASSERT_EQ(commands_.size(), 2u);
  EXPECT_EQ(commands_[0], (std::vector<std::string>{(root_ / "bin/update-mime-database").string(), (data_ / "mime").string()}));
  EXPECT_EQ(commands_[1],
            (std::vector<std::string>{(root_ / "bin/update-desktop-database").string(), (data_ / "applications").string()}));

  // A second start with the same program touches nothing and refreshes nothing.
  struct stat before {};
  ASSERT_EQ(stat(Desktop().c_str(), &before), 0);
  commands_.clear();
  ASSERT_TRUE(Register("/opt/a/vorbel"));
  EXPECT_TRUE(commands_.empty());
  struct stat after {};
  ASSERT_EQ(stat(Desktop().c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);

  // A moved program rewrites the desktop entry; the type itself is unchanged.
  ASSERT_TRUE(Register("/home/me/vorbel"));
  EXPECT_NE(ReadFile(Desktop()).find("\nExec=/home/me/vorbel %f\n"), std::string::npos);
  ASSERT_EQ(commands_.size(), 1u);
  EXPECT_EQ(commands_[0][1], (data_ / "applications").string());

  // Damaged files are repaired.
  std::ofstream(Mime()) << "garbage";
  ASSERT_TRUE(Register("/home/me/vorbel"));
  EXPECT_NE(ReadFile(Mime()).find("*.vrb"), std::string::npos);
}

// Earlier versions registered under the name "vorbel": what of it is ours
// goes, so that menus and file managers list the program once; another
// program's files of that name stay.
TEST_F(FileTypeRegistrationTest, ReplacesTheRegistrationUnderTheFormerName) {
  const ScopedEnv path("PATH", FakeTools().string());
  struct Former {
    std::string path;
    std::string content;
    bool ours;
  };
  const Former files[] = {
      {"applications/vorbel.desktop", "[Desktop Entry]\nExec=/old/vorbel %f\nMimeType=application/x-vorbel-layout;\n",
       true},
      {"mime/packages/vorbel.xml", "<mime-info><mime-type type=\"application/x-vorbel-layout\">", true},
      {"thumbnailers/vorbel.thumbnailer", "[Thumbnailer Entry]\nMimeType=application/x-vorbel-layout;\n", true},
      {"icons/hicolor/16x16/apps/vorbel.png", "app16", true},
      {"icons/hicolor/48x48/apps/vorbel.png", "another program's icon", false},
  };
  for (const bool ours : {true, false}) {
    SCOPED_TRACE(ours ? "our files" : "another program's files");
    fs::remove_all(data_);
    for (const Former& file : files) {
      fs::create_directories((data_ / file.path).parent_path());
      std::string content = file.content;
      if (!ours) content = "[Desktop Entry]\nName=Vorbel Viewer\nMimeType=image/png;\n";
      std::ofstream(data_ / file.path) << content;
    }
    fs::create_directories(data_ / "vorbel/bin");
    fs::create_symlink("/opt/100%/vorbel", data_ / "vorbel/bin/vorbel");
    commands_.clear();
    ASSERT_TRUE(Register("/opt/a/vorbel"));
    for (const Former& file : files) EXPECT_EQ(fs::exists(data_ / file.path), !(ours && file.ours)) << file.path;
    EXPECT_FALSE(fs::exists(data_ / "vorbel")) << "the former program link";
    EXPECT_TRUE(fs::exists(Desktop()));
    EXPECT_EQ(commands_.size(), 2u);
  }
}

// A refresh that never ran, or ran before our files last changed (the tool
// was missing, the start was cut short), is made up for at the next start.
TEST_F(FileTypeRegistrationTest, RefreshesWhenADatabaseIsMissingOrOlderThanOurFile) {
  const ScopedEnv path("PATH", FakeTools().string());
  ASSERT_TRUE(Register("/opt/a/vorbel"));
  commands_.clear();
  fs::remove(data_ / "mime/mime.cache");
  ASSERT_TRUE(Register("/opt/a/vorbel"));
  ASSERT_EQ(commands_.size(), 1u);
  EXPECT_EQ(commands_[0][1], (data_ / "mime").string());

  commands_.clear();
  fs::last_write_time(data_ / "applications/mimeinfo.cache", fs::last_write_time(Desktop()) - std::chrono::seconds(10));
  ASSERT_TRUE(Register("/opt/a/vorbel"));
  ASSERT_EQ(commands_.size(), 1u);
  EXPECT_EQ(commands_[0][1], (data_ / "applications").string());
}

// Desktops built on GLib drop an entry whose program path holds "%" or bytes
// that are not UTF-8; such a program is named through a link in the data home.
TEST_F(FileTypeRegistrationTest, ProgramsUnderPathsDesktopsCannotNameAreStartedThroughALink) {
  const fs::path link = data_ / "org.vorbel.vorbel/bin/org.vorbel.vorbel";
  for (const std::string program : {"/opt/100%/vorbel", "/opt/caf\xE9/vorbel", "/opt/tab\there/vorbel"}) {
    ASSERT_TRUE(Register(program));
    const std::string desktop = ReadFile(Desktop());
    EXPECT_NE(desktop.find("\nExec=" + link.string() + " %f\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("\nTryExec=" + link.string() + "\n"), std::string::npos) << desktop;
    EXPECT_EQ(fs::read_symlink(link).string(), program);
  }
  ASSERT_TRUE(Register("/opt/plain/vorbel"));
  EXPECT_NE(ReadFile(Desktop()).find("\nExec=/opt/plain/vorbel %f\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_TRUE(IsPlainExecPath("/opt/caf\xC3\xA9 bar/vorbel"));
}

// File managers run the program named by the thumbnailer entry, split as a
// shell splits, with %s, %i and %o put in; odd paths go through the link.
TEST_F(FileTypeRegistrationTest, TheCommandLineProgramIsRegisteredAsTheThumbnailer) {
  const fs::path entry = data_ / "thumbnailers/org.vorbel.vorbel.thumbnailer";
  ASSERT_TRUE(Register("/opt/vorbel/bin/vorbel"));
  EXPECT_FALSE(fs::exists(entry)) << "only the launcher makes thumbnails";

  ASSERT_TRUE(Register("/opt/my apps/vorbel", true));
  EXPECT_EQ(ReadFile(entry),
            "[Thumbnailer Entry]\nTryExec=/opt/my apps/vorbel\nExec=\"/opt/my apps/vorbel\" --thumbnail %s %i %o\n"
            "MimeType=application/x-vorbel-layout;\n");
  EXPECT_EQ(fs::status(entry).permissions() & fs::perms::others_read, fs::perms::others_read);

  ASSERT_TRUE(Register("/opt/100%/vorbel", true));
  const fs::path link = data_ / "org.vorbel.vorbel/bin/org.vorbel.vorbel";
  EXPECT_NE(ReadFile(entry).find("\nExec=" + link.string() + " --thumbnail %s %i %o\n"), std::string::npos)
      << ReadFile(entry);
}

// An installed package registers layout files system-wide; the window then
// writes nothing of its own, and removes what it wrote before the package
// came (what is exactly its own only), so that nothing shadows the package
// or outlives its removal. Any other program is still registered per user.
TEST_F(FileTypeRegistrationTest, LeavesTheRegistrationToAnInstalledPackageOfTheSameProgram) {
  const fs::path prefix = root_ / "usr";
  const fs::path system = prefix / "share";
  const auto install = [&](const fs::path& program) {
    fs::create_directories(program.parent_path());
    std::ofstream(program) << "#!/bin/sh\n";
    fs::permissions(program, fs::perms::owner_all);
  };
  install(prefix / "bin/vorbel");
  install(prefix / "lib/vorbel/vorbel-window");
  install(root_ / "elsewhere/vorbel");
  const ScopedEnv path("PATH", FakeTools().string() + ":" + (prefix / "bin").string());
  // What is left under the data home, but the refresh tools' databases.
  const auto userFiles = [&] {
    std::vector<std::string> files;
    if (!fs::exists(data_)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(data_)) {
      const std::string name = fs::relative(entry.path(), data_).string();
      const bool database = (name.rfind("mime/", 0) == 0 && name.rfind("mime/packages/", 0) != 0) ||
                            name == "applications/mimeinfo.cache";
      if (!entry.is_directory() && !database) files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    return files;
  };
  struct Case {
    const char* what;
    std::string package_program;  // what the package's entry starts; "" for no package
    fs::path program;             // what is started
    bool stale;                   // a registration written before the package came
    bool registered;              // whether the user's data home holds one afterwards
  };
  const Case cases[] = {
      {"no package", "", prefix / "bin/vorbel", false, true},
      {"the package's launcher", "vorbel", prefix / "bin/vorbel", false, false},
      {"the package's window started by hand", "vorbel", prefix / "lib/vorbel/vorbel-window", false, false},
      {"the package came after a registration", "vorbel", prefix / "bin/vorbel", true, false},
      {"the package names its program by path", (prefix / "bin/vorbel").string(), prefix / "bin/vorbel", true, false},
      {"another copy of the program", "vorbel", root_ / "elsewhere/vorbel", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(data_);
    fs::remove_all(system);
    const ScopedEnv dirs("XDG_DATA_DIRS", system.string() + ":" + data_.string());
    if (c.stale) {
      ASSERT_TRUE(Register(c.program.string(), true));
      // An icon the user drew over ours is not ours.
      std::ofstream(data_ / "icons/hicolor/16x16/apps/org.vorbel.vorbel.png") << "mine";
    }
    if (!c.package_program.empty()) {
      ASSERT_TRUE(LayoutFileTypeRegistration(c.package_program, icons_, true).Register(system.string(), {}));
    }
    commands_.clear();
    EXPECT_TRUE(Register(c.program.string(), true));
    const std::vector<std::string> left = userFiles();
    if (c.registered) {
      EXPECT_TRUE(fs::exists(Desktop()));
      EXPECT_NE(ReadFile(Desktop()).find("\nTryExec=" + c.program.string() + "\n"), std::string::npos);
    } else if (c.stale) {
      EXPECT_EQ(left, std::vector<std::string>{"icons/hicolor/16x16/apps/org.vorbel.vorbel.png"});
      ASSERT_EQ(commands_.size(), 2u) << "the databases forget the removed files";
    } else {
      EXPECT_TRUE(left.empty()) << left.front();
      EXPECT_TRUE(commands_.empty());
    }
  }

  // An entry or a type a user changed by hand is theirs, and stays.
  fs::remove_all(data_);
  fs::remove_all(system);
  const ScopedEnv dirs("XDG_DATA_DIRS", system.string());
  ASSERT_TRUE(Register((prefix / "bin/vorbel").string(), true));
  std::ofstream(Desktop(), std::ios::app) << "NoDisplay=true\n";
  std::ofstream(Mime(), std::ios::app) << "<!-- mine -->\n";
  ASSERT_TRUE(LayoutFileTypeRegistration("vorbel", icons_, true).Register(system.string(), {}));
  EXPECT_TRUE(Register((prefix / "bin/vorbel").string(), true));
  EXPECT_EQ(userFiles(), (std::vector<std::string>{"applications/org.vorbel.vorbel.desktop",
                                                   "mime/packages/org.vorbel.vorbel.xml"}));
}

TEST_F(FileTypeRegistrationTest, NoRefreshWithoutTheTools) {
  const ScopedEnv path("PATH", (root_ / "nothing-here").string());
  ASSERT_TRUE(Register("/opt/a/vorbel"));
  EXPECT_TRUE(commands_.empty());
}

TEST_F(FileTypeRegistrationTest, QuotesProgramPathsThatNeedIt) {
  ASSERT_TRUE(Register("/opt/my apps/vorbel"));
  const std::string desktop = ReadFile(Desktop());
  EXPECT_NE(desktop.find("\nExec=\"/opt/my apps/vorbel\" %f\n"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find("\nTryExec=/opt/my apps/vorbel\n"), std::string::npos);

  // Inside quotes a backslash becomes \\, which the string escaping of the
  // file doubles again.
  ASSERT_TRUE(Register("/opt/a\\b/$x/vorbel"));
  EXPECT_NE(ReadFile(Desktop()).find("\nExec=\"/opt/a\\\\\\\\b/\\\\$x/vorbel\" %f\n"), std::string::npos)
      << ReadFile(Desktop());
}

TEST(QuoteExecArgument, QuotesReservedCharactersAndDoublesPercent) {
  EXPECT_EQ(QuoteExecArgument("/usr/bin/vorbel"), "/usr/bin/vorbel");
  EXPECT_EQ(QuoteExecArgument("/a b"), "\"/a b\"");
  EXPECT_EQ(QuoteExecArgument("/a\"b"), "\"/a\\\"b\"");
  EXPECT_EQ(QuoteExecArgument("/a`b"), "\"/a\\`b\"");
  EXPECT_EQ(QuoteExecArgument("/a$b"), "\"/a\\$b\"");
  EXPECT_EQ(QuoteExecArgument("/a\\b"), "\"/a\\\\b\"");
  EXPECT_EQ(QuoteExecArgument("/a'b"), "\"/a'b\"");
  EXPECT_EQ(QuoteExecArgument("/100%"), "/100%%");
  EXPECT_EQ(QuoteExecArgument("/a b/100%"), "\"/a b/100%%\"");
  EXPECT_EQ(QuoteExecArgument(""), "\"\"");
  EXPECT_EQ(EscapeDesktopString("a\\b\nc\td"), "a\\\\b\\nc\\td");
}

TEST_F(FileTypeRegistrationTest, UnwritableDataHomeFailsSilently) {
  // A data home below a plain file can never be created, even for root.
  std::ofstream(root_ / "file") << "x";
  data_ = root_ / "file" / "share";
  EXPECT_FALSE(Register("/opt/a/vorbel"));
  EXPECT_TRUE(commands_.empty());

  if (geteuid() != 0) {
    data_ = root_ / "readonly";
    fs::create_directories(data_);
    fs::permissions(data_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(Register("/opt/a/vorbel"));
  }

  EXPECT_FALSE(RegisterLayoutFileType("", (root_ / "share").string(), icons_, {}));
}

TEST_F(FileTypeRegistrationTest, DataHomeFollowsTheXdgVariable) {
  {
    const ScopedEnv xdg("XDG_DATA_HOME", "/somewhere/data");
    EXPECT_EQ(DefaultDataHome(), "/somewhere/data");
  }
  const ScopedEnv home("HOME", "/home/someone");
  {
    const ScopedEnv xdg("XDG_DATA_HOME", "relative/data");  // ignored: not absolute
    EXPECT_EQ(DefaultDataHome(), "/home/someone/.local/share");
  }
  const ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
  EXPECT_EQ(DefaultDataHome(), "/home/someone/.local/share");
}

TEST_F(FileTypeRegistrationTest, SpawnDetachedDoesNotWaitForTheCommand) {
  const fs::path script = root_ / "slow";
  const fs::path done = root_ / "done";
  std::ofstream(script) << "#!/bin/sh\nsleep 1\necho ran > '" << done.string() << "'\n";
  fs::permissions(script, fs::perms::owner_all);

  const auto start = std::chrono::steady_clock::now();
  SpawnDetached({script.string()});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
  EXPECT_FALSE(fs::exists(done));

  for (int i = 0; i < 100 && !fs::exists(done); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(fs::exists(done));

  SpawnDetached({(root_ / "no-such-program").string()});  // nothing happens, nothing thrown
  SpawnDetached({});
}

}  // namespace
}  // namespace vorbel::desktop

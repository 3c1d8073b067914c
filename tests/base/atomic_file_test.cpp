// Safe replacement of files: the target is the old file or the complete new
// one, never a mixture, and no temporary file is left behind.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "base/atomic_file.h"
#include "support/test_support.h"

namespace vorbel::base {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd', '\n'};

void ExpectError(const std::function<void()>& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no error, expected \"" << message << "\"";
  } catch (const FileWriteError& e) {
    EXPECT_EQ(std::string(e.what()).substr(0, message.size()), message);
  }
}

TEST(AtomicFile, CommitReplacesTheTargetWhole) {
  ScratchDir dir;
  const std::string path = dir.File("out.bin");
  WriteBytes(path, kOld);
  {
    AtomicFile f(path);
    f.Write(std::vector<std::uint8_t>(100000, 7));  // beyond the buffer
    f.Write("ab", 2);
    EXPECT_EQ(ReadBytes(path), kOld) << "the target changed before Commit";
    f.Commit();
  }
  auto bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 100002u);
  EXPECT_EQ(bytes[99999], 7);
  EXPECT_EQ(bytes[100001], 'b');
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.bin"});
}

TEST(AtomicFile, UncommittedOrDiscardedWritesLeaveTheOldFile) {
  ScratchDir dir;
  const std::string path = dir.File("keep.txt");
  WriteBytes(path, kOld);
  {
    AtomicFile f(path);
    f.Write("new", 3);
  }  // destroyed without Commit
  EXPECT_EQ(ReadBytes(path), kOld);
  AtomicFile g(path);
  g.Write("new", 3);
  g.Discard();
  EXPECT_FALSE(g.IsOpen());
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"keep.txt"});
  ExpectError([&] { g.Commit(); }, "Unable to write to " + path);
}

TEST(AtomicFile, FolderThatCannotHoldTheFileGivesCannotCreate) {
  ScratchDir dir;
  WriteBytes(dir.path() / "plain", kOld);
  for (const std::string& path : {dir.File("missing/out.gif"), dir.File("plain/out.gif"), dir.path().string(),
                                  dir.File("")}) {
    ExpectError([&] { AtomicFile f(path); }, "Cannot create file " + path);
  }
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"plain"});

  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
  fs::create_directory(dir.path() / "ro");
  fs::permissions(dir.path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  ExpectError([&] { AtomicFile f(dir.File("ro/out.gif")); }, "Cannot create file " + dir.File("ro/out.gif"));
  EXPECT_TRUE(fs::is_empty(dir.path() / "ro"));
  // A read-only file is not replaced behind its owner's back.
  WriteBytes(dir.path() / "locked", kOld);
  fs::permissions(dir.path() / "locked", fs::perms::owner_read);
  ExpectError([&] { AtomicFile f(dir.File("locked")); }, "Cannot create file " + dir.File("locked"));
  EXPECT_EQ(ReadBytes(dir.path() / "locked"), kOld);
}

TEST(AtomicFile, WriteFailureMidwayLeavesOldFileByteForByte) {
  ScratchDir dir;
  const std::string path = dir.File("big.bmp");
  std::vector<std::uint8_t> old(3000);
  for (std::size_t i = 0; i < old.size(); ++i) old[i] = static_cast<std::uint8_t>(i * 7);
  WriteBytes(path, old);

  // A file-size limit makes the write fail part way, as a full disk would.
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &previous);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message;
  try {
    WriteFileAtomically(path, std::vector<std::uint8_t>(200000, 1));
  } catch (const FileWriteError& e) {
    message = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_EQ(message.rfind("Unable to write to " + path + ": ", 0), 0u) << message;
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"big.bmp"});
}

TEST(AtomicFile, KeepsPermissionsAndFollowsLinks) {
  ScratchDir dir;
  const std::string path = dir.File("mode.txt");
  WriteBytes(path, kOld);
  ::chmod(path.c_str(), 0640);
  WriteFileAtomically(path, std::vector<std::uint8_t>{'x'});
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  // A new file: 0666 less the umask.
  const mode_t mask = ::umask(022);
  WriteFileAtomically(dir.File("new.txt"), std::vector<std::uint8_t>{'y'});
  ::umask(mask);
  ASSERT_EQ(::stat(dir.File("new.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);

  // Writing through a link replaces the file it points to; the link stays.
  fs::create_symlink("mode.txt", dir.path() / "link.txt");
  WriteFileAtomically(dir.File("link.txt"), std::vector<std::uint8_t>{'z'});
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.txt"));
  EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>{'z'});
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"link.txt", "mode.txt", "new.txt"}));
}

}  // namespace
}  // namespace vorbel::base

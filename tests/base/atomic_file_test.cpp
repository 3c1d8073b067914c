// Safe replacement of files: the target is the old file or the complete new
// one, never a mixture, and no temporary file is left behind.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
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

// Without /proc an unnamed temporary file cannot be given a name; the
// temporary file then has a short name of its own from the start. Hiding /proc
// takes a private mount namespace, so only the superuser tries it (exit 77:
// no namespace here). Death tests run first, before any file write of this
// process has looked for /proc.
TEST(AtomicFileDeathTest, WithoutProcTheTemporaryFileIsNamedFromTheStart) {
  if (::geteuid() != 0) GTEST_SKIP() << "a mount namespace needs the superuser";
  ScratchDir dir;
  const std::string path = dir.File(std::string(255, 'n'));
  WriteBytes(path, kOld);
  const auto writeWithoutProc = [&] {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("none", "/proc", "tmpfs", 0, nullptr) != 0) {
      ::_exit(77);
    }
    WriteFileAtomically(path, std::vector<std::uint8_t>{'n', 'e', 'w'});
    ::_exit(0);
  };
  EXPECT_EXIT(
      writeWithoutProc(),
      [](int status) { return WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 77); }, "");
  if (ReadBytes(path) == kOld) GTEST_SKIP() << "no private mount namespace here";
  EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{'n', 'e', 'w'}));
  EXPECT_EQ(dir.Entries().size(), 1u);
}

// The replacing file keeps what the old one had: permission bits and, where
// the caller may give them, owner and group; setuid and setgid never survive
// new contents.
TEST(AtomicFile, ReplacementKeepsModeOwnerAndGroupButNeverSetuid) {
  ScratchDir dir;
  const std::string path = dir.File("tool");
  WriteBytes(path, kOld);
  ::chmod(path.c_str(), 06750);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 4242, 4343), 0);
  }
  WriteFileAtomically(path, std::vector<std::uint8_t>{'x'});
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0750u);
  if (root) {
    EXPECT_EQ(st.st_uid, 4242u);
    EXPECT_EQ(st.st_gid, 4343u);
  }
}

// Any name the folder can hold can be written: the temporary name does not
// grow with the target's.
TEST(AtomicFile, ANameOfTheLongestLengthCanBeWritten) {
  ScratchDir dir;
  const std::string path = dir.File(std::string(255, 'n'));
  WriteFileAtomically(path, kOld);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(dir.Entries().size(), 1u);
}

// Character devices and FIFOs are written, never replaced, so that
// /dev/stdout and /dev/null work; other nodes are refused with the reason.
TEST(AtomicFile, DevicesAndFifosAreWrittenInPlaceOtherNodesRefused) {
  ScratchDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  AtomicFile toFifo(fifo);
  toFifo.Write("abc", 3);
  char got[8] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), -1) << "written before Commit";
  toFifo.Commit();
  EXPECT_EQ(::read(reader, got, sizeof got), 3);
  EXPECT_EQ(std::string(got), "abc");
  ::close(reader);
  EXPECT_TRUE(fs::is_fifo(fifo));

  const std::string socketPath = dir.File("socket");
  const int sock = test::BindUnixSocket(socketPath);
  ASSERT_GE(sock, 0);
  ExpectError([&] { WriteFileAtomically(socketPath, kOld); }, "Cannot create file " + socketPath + ": it is a socket");
  ::close(sock);

  if (::geteuid() != 0) GTEST_SKIP() << "device nodes need the superuser";
  const std::string block = dir.File("disk");
  const std::string null = dir.File("null");
  if (::mknod(block.c_str(), S_IFBLK | 0600, makedev(7, 250)) != 0 ||
      ::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "device nodes cannot be made here";
  }
  ExpectError([&] { WriteFileAtomically(block, kOld); }, "Cannot create file " + block + ": it is a block device");
  const int probe = ::open(null.c_str(), O_WRONLY);
  if (probe < 0) GTEST_SKIP() << "devices cannot be opened in this folder";
  ::close(probe);
  WriteFileAtomically(null, kOld);
  EXPECT_TRUE(fs::is_character_file(null));
  EXPECT_TRUE(fs::is_block_file(block));
}

// In a sticky folder that everyone may write, a link is followed only when
// it belongs to the writer or to the folder's owner, as the kernel's
// protected-symlink rule has it: another user's link must not lead our write
// to our own files. Root plays both users, giving the links away with lchown.
TEST(AtomicFile, LinksPlantedByOthersInSharedFoldersAreNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "links of another user need the superuser";
  ScratchDir dir;
  const fs::path shared = dir.path() / "shared";
  fs::create_directory(shared);
  ::chmod(shared.c_str(), 01777);
  const std::string victim = dir.File("victim");
  WriteBytes(victim, kOld);
  const std::string link = (shared / "out.gif").string();
  fs::create_symlink(victim, link);

  ASSERT_EQ(::lchown(link.c_str(), 4242, 4242), 0);
  ExpectError([&] { WriteFileAtomically(link, std::vector<std::uint8_t>{'x'}); },
              "Cannot create file " + link + ": the link " + link + " belongs to another user in the shared folder " +
                  shared.string());
  EXPECT_EQ(ReadBytes(victim), kOld);
  EXPECT_TRUE(fs::is_symlink(link));

  // The folder's owner may place links there for others to follow.
  ASSERT_EQ(::chown(shared.c_str(), 4242, 4242), 0);
  WriteFileAtomically(link, std::vector<std::uint8_t>{'y'});
  EXPECT_EQ(ReadBytes(victim), std::vector<std::uint8_t>{'y'});
  // And the writer's own links are followed anywhere.
  ASSERT_EQ(::lchown(link.c_str(), 0, 0), 0);
  ASSERT_EQ(::chown(shared.c_str(), 4343, 4343), 0);
  WriteFileAtomically(link, std::vector<std::uint8_t>{'z'});
  EXPECT_EQ(ReadBytes(victim), std::vector<std::uint8_t>{'z'});

  // The rule holds for the folders on the way as well, whatever the system's
  // own setting: another user's link to the victim's folder, used as a
  // folder in the middle of the path, leads nowhere.
  ASSERT_EQ(::chown(shared.c_str(), 0, 0), 0);
  const std::string folderLink = (shared / "out").string();
  fs::create_symlink(dir.path(), folderLink);
  ASSERT_EQ(::lchown(folderLink.c_str(), 4242, 4242), 0);
  for (const std::string& path : {folderLink + "/victim", folderLink + "/new.gif", folderLink + "/./../x/../victim"}) {
    ExpectError([&] { WriteFileAtomically(path, std::vector<std::uint8_t>{'w'}); },
                "Cannot create file " + path + ": the link " + folderLink +
                    " belongs to another user in the shared folder " + shared.string());
  }
  EXPECT_EQ(ReadBytes(victim), std::vector<std::uint8_t>{'z'});
  EXPECT_FALSE(fs::exists(dir.File("new.gif")));
}

}  // namespace
}  // namespace vorbel::base

#include "base/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "base/safe_folder.h"
#include "base/translation.h"

namespace vorbel::base {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kNameAttempts = 100;
// The kernel follows at most this many links in one lookup.
constexpr int kMaxLinks = 40;
// Permission bits a replacing file takes over: all but setuid and setgid,
// which new contents must not inherit.
constexpr mode_t kKeptModeBits = 01777;

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the process ignore SIGXFSZ, once, unless it handles the signal itself:
// a write beyond the file-size limit then fails with EFBIG and takes the
// ordinary error path, which removes the temporary file, instead of ending the
// process in the middle of it.
void IgnoreFileSizeSignal() {
  static const bool done = [] {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
      struct sigaction ignore {};
      ignore.sa_handler = SIG_IGN;
      sigemptyset(&ignore.sa_mask);
      ::sigaction(SIGXFSZ, &ignore, nullptr);
    }
    return true;
  }();
  (void)done;
}

// Whether a file made with O_TMPFILE can be given a name: linkat needs
// /proc/self/fd to name it by its descriptor.
bool UnnamedFilesCanBeLinked() {
  static const bool linkable = ::access("/proc/self/fd", X_OK) == 0;
  return linkable;
}

// A short name for a temporary file, ".vorbel-" and sixteen hex
// digits that no other writer in this or another process is likely to pick.
// It fits every folder, whatever the length of the target's own name.
std::string TemporaryName() {
  static std::atomic<std::uint64_t> counter{0};
  std::uint64_t x = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                    (static_cast<std::uint64_t>(::getpid()) << 40) ^ (counter++ * 0x9E3779B97F4A7C15ull);
  // The finaliser of splitmix64 spreads every input bit over the name.
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name = ".vorbel-";
  for (int shift = 60; shift >= 0; shift -= 4) name += kHex[(x >> shift) & 15];
  return name + ".tmp";
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool WriteAllAt(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
  while (size > 0) {
    const ssize_t n = ::pwrite(fd, data, size, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
    offset += n;
  }
  return true;
}

bool ReadAllAt(int fd, std::uint8_t* data, std::size_t size, off_t offset) {
  while (size > 0) {
    const ssize_t n = ::pread(fd, data, size, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
    offset += n;
  }
  return true;
}

// Holds SIGPIPE back while a stream is written: a reader that went away makes
// the write fail with EPIPE instead of ending the process. A signal raised by
// the write is taken off again before the old mask returns.
class PipeSignalBlock {
 public:
  PipeSignalBlock() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    already_pending_ = sigismember(&pending, SIGPIPE) == 1;
    ::pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
  }
  ~PipeSignalBlock() {
    if (!already_pending_) {
      const timespec none{0, 0};
      while (::sigtimedwait(&pipe_, nullptr, &none) < 0 && errno == EINTR) {
      }
    }
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  PipeSignalBlock(const PipeSignalBlock&) = delete;
  PipeSignalBlock& operator=(const PipeSignalBlock&) = delete;

 private:
  sigset_t pipe_;
  sigset_t previous_;
  bool already_pending_ = false;
};

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

FileWriteError AtomicFile::NotOpen() const {
  return FileWriteError(TranslateFormat("Unable to write to %s: the file is not open", {path_}));
}

void AtomicFile::CannotCreate() const { throw FileWriteError(TranslateFormat("Cannot create file %s", {path_})); }

void AtomicFile::Refuse(const std::string& reason) const {
  throw FileWriteError(TranslateFormat("Cannot create file %s: %s", {path_, reason}), reason);
}

// Sets target_ to the file that Commit writes and `st` to what is there;
// false when nothing is.
bool AtomicFile::ResolveTarget(struct stat& st) {
  target_ = path_;
  if (::lstat(path_.c_str(), &st) != 0) {
    if (errno == ENOENT) return false;
    CannotCreate();
  }
  if (!S_ISLNK(st.st_mode)) return true;
  // The link itself is what a rename replaces.
  if (replace_links_) return false;

  // What opening the name reaches, the kernel following every link, also
  // those in /proc that name no path (a pipe behind /dev/stdout).
  struct stat reached {};
  const bool reachable = ::stat(path_.c_str(), &reached) == 0;

  // Follow the links by their text, checking each against the protected-
  // symlink rule, to find the path a replacement is renamed to.
  std::string current = path_;
  std::optional<std::string> end;
  for (int links = 0;; ++links) {
    struct stat own {};
    // The way to the link is held to the same rule as the link itself.
    const std::string folder = DirectoryOf(current);
    std::string refusal;
    const UniqueFd folderFd = OpenFolderSafely(folder, refusal);
    if (!refusal.empty()) Refuse(refusal);
    if (!folderFd.Valid() || ::lstat(current.c_str(), &own) != 0) break;  // a link to nothing, or to no path
    if (!S_ISLNK(own.st_mode)) {
      end = current;
      break;
    }
    if (links == kMaxLinks) CannotCreate();
    if (!MayFollowLinkIn(folderFd.Get(), own.st_uid)) {
      Refuse("the link " + current + " belongs to another user in the shared folder " + folder);
    }
    std::string text(static_cast<std::size_t>(own.st_size > 0 ? own.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), text.data(), text.size());
    if (n < 0 || static_cast<std::size_t>(n) >= text.size()) CannotCreate();
    text.resize(static_cast<std::size_t>(n));
    current = !text.empty() && text.front() == '/' ? text : DirectoryOf(current) + "/" + text;
  }

  // A link to nothing is itself replaced.
  if (!reachable) return false;
  st = reached;
  // A regular file is replaced under the path the links lead to; anything
  // else is opened by its name.
  if (S_ISREG(reached.st_mode)) {
    struct stat endStat {};
    if (!end || ::stat(end->c_str(), &endStat) != 0 || endStat.st_dev != reached.st_dev ||
        endStat.st_ino != reached.st_ino) {
      CannotCreate();
    }
    target_ = *end;
  }
  return true;
}

// Opens the folder of target_ by a walk that refuses other users' links in
// shared folders anywhere on the way; every later step names the file
// relative to it, so the write stays in the folder that was checked.
void AtomicFile::OpenTargetFolder() {
  std::string refusal;
  dir_ = OpenFolderSafely(DirectoryOf(target_), refusal);
  if (!refusal.empty()) Refuse(refusal);
  if (!dir_.Valid()) CannotCreate();
  if (private_folder_ && !IsPrivateFolder(dir_.Get())) {
    Refuse("its folder is not the user's own, or others may write in it");
  }
  const std::size_t slash = target_.rfind('/');
  leaf_ = slash == std::string::npos ? target_ : target_.substr(slash + 1);
}

void AtomicFile::Begin(const std::string& path, Method method) {
  Discard();
  dir_.Reset();
  leaf_.clear();
  IgnoreFileSizeSignal();
  path_ = path;
  target_ = path;
  method_ = method;
  replaced_.reset();
}

void AtomicFile::Open(const std::string& path) {
  Begin(path, Method::Replace);
  if (path.empty() || path.back() == '/') CannotCreate();

  struct stat st {};
  const bool exists = ResolveTarget(st);
  OpenTargetFolder();
  if (exists && replace_links_ && !S_ISREG(st.st_mode)) Refuse("it is not a regular file");
  if (exists) {
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
      OpenStream();
      return;
    }
    if (S_ISDIR(st.st_mode)) CannotCreate();
    if (S_ISBLK(st.st_mode)) Refuse("it is a block device");
    if (S_ISSOCK(st.st_mode)) Refuse("it is a socket");
    if (!S_ISREG(st.st_mode)) Refuse("it is not a regular file");
    // A file the caller may not write is not replaced behind its owner's back.
    if (::faccessat(dir_.Get(), leaf_.c_str(), W_OK, AT_EACCESS) != 0) CannotCreate();
  }

  const int err = OpenTemporary();
  if (err == 0) {
    if (exists) replaced_ = Attributes{st.st_uid, st.st_gid, st.st_mode};
  } else if (exists && (err == EACCES || err == EPERM)) {
    OpenInPlace(st);
  } else {
    CannotCreate();
  }
  buffer_.clear();
  buffer_.reserve(kBufferSize);
}

void AtomicFile::OpenStandardOutput(const std::string& name) {
  Begin(name, Method::Stream);
  struct stat st {};
  if (::fstat(STDOUT_FILENO, &st) != 0) FailWithErrno(errno);
  if (::isatty(STDOUT_FILENO) == 1) {
    throw FileWriteError(
        TranslateFormat("Unable to write to %s: it is a terminal; send it to a file or a pipe", {name}));
  }
  // A descriptor of our own, so that Discard never closes standard output.
  const int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  if (fd < 0) FailWithErrno(errno);
  fd_ = fd;
  buffer_.clear();
}

// Creates the file that Commit renames over the target, in the target's
// folder: unnamed where the file system and /proc allow, so that nothing is
// left behind whatever ends the process, else under a short new name.
// Returns 0, or the errno of the failure.
int AtomicFile::OpenTemporary() {
  // 0666 is narrowed by the umask, as for any new file.
  if (UnnamedFilesCanBeLinked()) {
    const int fd = ::openat(dir_.Get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fd_ = fd;
      return 0;
    }
    // A file system (or kernel) without unnamed files goes on below.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
  }
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = TemporaryName();
    const int fd = ::openat(dir_.Get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      fd_ = fd;
      temp_ = std::move(name);
      return 0;
    }
    if (errno != EEXIST && errno != EINTR) return errno;
  }
  return EEXIST;
}

void AtomicFile::OpenInPlace(const struct stat& st) {
  // O_NONBLOCK: a file swapped for a FIFO meanwhile must not make us wait.
  constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK;
  int fd = ::openat(dir_.Get(), leaf_.c_str(), O_RDWR | kFlags);
  readable_ = fd >= 0;
  if (fd < 0 && errno == EACCES) fd = ::openat(dir_.Get(), leaf_.c_str(), O_WRONLY | kFlags);
  if (fd < 0) CannotCreate();
  struct stat now {};
  if (::fstat(fd, &now) != 0 || !S_ISREG(now.st_mode) || now.st_dev != st.st_dev || now.st_ino != st.st_ino) {
    ::close(fd);
    CannotCreate();
  }
  fd_ = fd;
  method_ = Method::InPlace;
}

void AtomicFile::OpenStream() {
  int fd;
  do {
    fd = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) CannotCreate();
  struct stat now {};
  if (::fstat(fd, &now) != 0 || !(S_ISCHR(now.st_mode) || S_ISFIFO(now.st_mode))) {
    ::close(fd);
    CannotCreate();
  }
  fd_ = fd;
  method_ = Method::Stream;
  buffer_.clear();
}

void AtomicFile::Write(const void* data, std::size_t size) {
  if (fd_ < 0) throw NotOpen();
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  // Written in place, the target must keep its bytes until Commit: everything
  // waits in memory.
  if (method_ != Method::Replace || buffer_.size() + size <= kBufferSize) {
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return;
  }
  Flush();
  if (size < kBufferSize) {
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return;
  }
  if (!WriteAll(fd_, bytes, size)) FailWithErrno(errno);
}

void AtomicFile::Flush() {
  if (!WriteAll(fd_, buffer_.data(), buffer_.size())) FailWithErrno(errno);
  buffer_.clear();
}

void AtomicFile::Commit() {
  if (fd_ < 0) throw NotOpen();
  switch (method_) {
    case Method::Replace: CommitReplace(); break;
    case Method::InPlace: CommitInPlace(); break;
    case Method::Stream: CommitStream(); break;
  }
}

// The replacing file takes the owner, group and permission bits of the file
// it replaces, as far as the caller may give them (a user may keep the group
// of a file only when a member of it); never setuid or setgid.
void AtomicFile::KeepAttributes() {
  if (mode_) {
    if (::fchmod(fd_, static_cast<mode_t>(*mode_)) != 0) FailWithErrno(errno);
    return;
  }
  if (!replaced_) return;
  if (replaced_->uid != ::geteuid() || replaced_->gid != ::getegid()) {
    if (::fchown(fd_, replaced_->uid, replaced_->gid) != 0) (void)::fchown(fd_, static_cast<uid_t>(-1), replaced_->gid);
  }
  // Best effort: a file system without permission bits keeps its own.
  (void)::fchmod(fd_, replaced_->mode & kKeptModeBits);
}

// Gives the unnamed temporary file a short name in the target's folder, so
// that it can be renamed over the target.
void AtomicFile::NameTemporary() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = TemporaryName();
    if (::linkat(AT_FDCWD, self.c_str(), dir_.Get(), name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp_ = std::move(name);
      return;
    }
    if (errno != EEXIST && errno != EINTR) FailWithErrno(errno);
  }
  FailWithErrno(EEXIST);
}

void AtomicFile::CommitReplace() {
  Flush();
  KeepAttributes();
  if (durable_ && ::fsync(fd_) != 0) FailWithErrno(errno);
  if (temp_.empty()) NameTemporary();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 || ::renameat(dir_.Get(), temp_.c_str(), dir_.Get(), leaf_.c_str()) != 0) {
    const int err = errno;
    ::unlinkat(dir_.Get(), temp_.c_str(), 0);
    temp_.clear();
    throw FileWriteError(TranslateFormat("Unable to write to %s: %s", {path_, std::strerror(err)}));
  }
  temp_.clear();
  if (!durable_) return;
  // Make the rename itself durable; a failure here loses nothing already written.
  const int dir = ::openat(dir_.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
}

// Rewrites the file's own bytes. The new contents must fit before anything
// changes: the file-size limit is checked and the blocks are claimed first.
// Only the first min(old, new) bytes are overwritten before the new contents
// are safely written, so those are all that a failure has to put back; the
// old tail goes last, by truncation.
void AtomicFile::CommitInPlace() {
  const std::size_t size = buffer_.size();
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && size > limit.rlim_cur) {
    FailWithErrno(EFBIG);
  }
  if (size > 0 && ::fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG || errno == EIO)) {
    FailWithErrno(errno);
  }
  struct stat old {};
  if (::fstat(fd_, &old) != 0) FailWithErrno(errno);
  const std::size_t oldSize = static_cast<std::size_t>(old.st_size);
  std::vector<std::uint8_t> overwritten(readable_ ? std::min(oldSize, size) : 0);
  const bool restorable = readable_ && ReadAllAt(fd_, overwritten.data(), overwritten.size(), 0);

  if (!WriteAllAt(fd_, buffer_.data(), size, 0) || (durable_ && ::fsync(fd_) != 0) ||
      ::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
    const int err = errno;
    if (restorable) {
      (void)WriteAllAt(fd_, overwritten.data(), overwritten.size(), 0);
      (void)::ftruncate(fd_, static_cast<off_t>(oldSize));
    }
    FailWithErrno(err);
  }
  // The new contents are on the disk; a failure to record the new length
  // there loses nothing already written.
  if (durable_) (void)::fsync(fd_);
  if ((old.st_mode & (S_ISUID | S_ISGID)) != 0) (void)::fchmod(fd_, old.st_mode & kKeptModeBits);
  Discard();
}

void AtomicFile::CommitStream() {
  int err = 0;
  {
    const PipeSignalBlock noPipeSignal;
    if (!WriteAll(fd_, buffer_.data(), buffer_.size())) err = errno;
  }
  if (err != 0) FailWithErrno(err);
  Discard();
}

void AtomicFile::Discard() noexcept {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    ::unlinkat(dir_.Get(), temp_.c_str(), 0);
    temp_.clear();
  }
  buffer_.clear();
}

void AtomicFile::FailWithErrno(int err) {
  Discard();
  throw FileWriteError(TranslateFormat("Unable to write to %s: %s", {path_, std::strerror(err)}));
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  AtomicFile file(path);
  file.Write(bytes);
  file.Commit();
}

}  // namespace vorbel::base

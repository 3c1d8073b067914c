#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace vorbel::base {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kNameAttempts = 100;

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name for the temporary file that no other writer in this or another
// process is likely to pick: ".<target name>.<pid>-<counter>-<clock>.tmp".
std::string TemporaryName(const std::string& target, int attempt) {
  static std::atomic<unsigned> counter{0};
  const auto clock = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  std::string dir = DirectoryOf(target);
  return (dir == "/" ? "" : dir) + "/." + BaseNameOf(target) + "." + std::to_string(::getpid()) + "-" +
         std::to_string(counter++) + "-" + std::to_string((clock + static_cast<unsigned>(attempt)) % 1000000) +
         ".tmp";
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Open(const std::string& path) {
  Discard();
  path_ = path;
  target_ = path;
  const FileWriteError cannotCreate("Cannot create file " + path);
  if (path.empty() || path.back() == '/') throw cannotCreate;

  struct stat st {};
  bool exists = false;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) target_ = resolved;
  }
  if (::stat(target_.c_str(), &st) == 0) {
    exists = true;
    if (S_ISDIR(st.st_mode) || ::access(target_.c_str(), W_OK) != 0) throw cannotCreate;
  }

  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = TemporaryName(target_, attempt);
    // 0666 is narrowed by the umask, as for any new file.
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fd_ = fd;
      temp_ = std::move(name);
      break;
    }
    if (errno != EEXIST && errno != EINTR) throw cannotCreate;
  }
  if (fd_ < 0) throw cannotCreate;
  // Best effort: a file system without permission bits keeps its own.
  if (exists) (void)::fchmod(fd_, st.st_mode & 07777);
  buffer_.clear();
  buffer_.reserve(kBufferSize);
}

void AtomicFile::Write(const void* data, std::size_t size) {
  if (fd_ < 0) throw FileWriteError("Unable to write to " + path_ + ": the file is not open");
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  if (buffer_.size() + size <= kBufferSize) {
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return;
  }
  Flush();
  if (size < kBufferSize) {
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return;
  }
  while (size > 0) {
    ssize_t n = ::write(fd_, bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      FailWithErrno(errno);
    }
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

void AtomicFile::Flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      FailWithErrno(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

void AtomicFile::Commit() {
  if (fd_ < 0) throw FileWriteError("Unable to write to " + path_ + ": the file is not open");
  Flush();
  if (mode_ && ::fchmod(fd_, static_cast<mode_t>(*mode_)) != 0) FailWithErrno(errno);
  if (durable_ && ::fsync(fd_) != 0) FailWithErrno(errno);
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp_.c_str());
    temp_.clear();
    throw FileWriteError("Unable to write to " + path_ + ": " + std::strerror(err));
  }
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    int err = errno;
    ::unlink(temp_.c_str());
    temp_.clear();
    throw FileWriteError("Unable to write to " + path_ + ": " + std::strerror(err));
  }
  temp_.clear();
  if (!durable_) return;
  // Make the rename itself durable; a failure here loses nothing already written.
  int dir = ::open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
}

void AtomicFile::Discard() noexcept {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
  buffer_.clear();
}

void AtomicFile::FailWithErrno(int err) {
  Discard();
  throw FileWriteError("Unable to write to " + path_ + ": " + std::strerror(err));
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  AtomicFile file(path);
  file.Write(bytes);
  file.Commit();
}

}  // namespace vorbel::base

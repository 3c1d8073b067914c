#include "base/file_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "base/translation.h"

namespace vorbel::base {
namespace {

// Closes a file descriptor when the reading ends, also on error.
class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() { ::close(fd_); }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;

 private:
  int fd_;
};

// Reads the whole file open as `fd`, after checking what it is.
std::string ReadOpenFile(int fd, const std::string& path, std::size_t maxBytes) {
  const auto fail = [&path](FileReadFailure failure, const std::string& reason) {
    return FileReadError(failure, path, reason);
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw fail(FileReadFailure::ReadFailed, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) throw fail(FileReadFailure::NotRegularFile, Translate("not a regular file"));
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    throw fail(FileReadFailure::TooLarge, Translate("the file is too large"));
  }

  std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t done = 0;
  char more[4096];
  for (;;) {
    // Read what fstat announced straight into place; a file that has grown
    // since goes on through the small buffer.
    const bool inPlace = done < bytes.size();
    const ssize_t n = inPlace ? ::read(fd, bytes.data() + done, bytes.size() - done) : ::read(fd, more, sizeof more);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw fail(FileReadFailure::ReadFailed, std::strerror(errno));
    }
    if (n == 0) break;
    if (!inPlace) {
      if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
        throw fail(FileReadFailure::TooLarge, Translate("the file is too large"));
      }
      bytes.append(more, static_cast<std::size_t>(n));
    }
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

// Opens without waiting (a FIFO swapped in would wait for a writer) and
// without becoming a controlling terminal.
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

}  // namespace

FileReadError::FileReadError(FileReadFailure failure, const std::string& path, const std::string& reason)
    : Error(TranslateFormat("Cannot open file %s: %s", {path, reason})), failure_(failure), reason_(reason) {}

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  const auto fail = [&path](FileReadFailure failure, const std::string& reason) {
    return FileReadError(failure, path, reason);
  };
  // Only regular files are read. A FIFO or a device is not even opened: the
  // open of a FIFO waits for a writer, and opening a device may act on it. The
  // look before the open spares those; the open itself does not wait, and the
  // look after it catches a file swapped in between.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) throw fail(FileReadFailure::CannotOpen, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) throw fail(FileReadFailure::NotRegularFile, Translate("not a regular file"));
  int fd;
  do {
    fd = ::open(path.c_str(), kReadFlags);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw fail(FileReadFailure::CannotOpen, std::strerror(errno));
  const FdCloser closer(fd);
  return ReadOpenFile(fd, path, maxBytes);
}

std::string ReadWholeFileIn(int folderFd, const std::string& name, std::size_t maxBytes, const std::string& path) {
  int fd;
  do {
    fd = ::openat(folderFd, name.c_str(), kReadFlags | O_NOFOLLOW);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int err = errno;
    throw FileReadError(err == ELOOP ? FileReadFailure::NotRegularFile : FileReadFailure::CannotOpen, path,
                        err == ELOOP ? Translate("it is a link") : std::string(std::strerror(err)));
  }
  const FdCloser closer(fd);
  return ReadOpenFile(fd, path, maxBytes);
}

}  // namespace vorbel::base

namespace vorbel::base {

std::string ReadStandardInput(std::size_t maxBytes, const std::string& name) {
  const auto fail = [&name](FileReadFailure failure, const std::string& reason) {
    return FileReadError(failure, name, reason);
  };
  struct stat st {};
  if (::fstat(STDIN_FILENO, &st) != 0) throw fail(FileReadFailure::CannotOpen, std::strerror(errno));
  // A regular file tells its size: one beyond the limit is refused unread.
  if (S_ISREG(st.st_mode)) {
    const off_t offset = ::lseek(STDIN_FILENO, 0, SEEK_CUR);
    if (offset >= 0 && st.st_size > offset && static_cast<std::uint64_t>(st.st_size - offset) > maxBytes) {
      throw fail(FileReadFailure::TooLarge, Translate("the file is too large"));
    }
  }
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      // Standard input left non-blocking by whoever handed it over: wait
      // until there is more to read.
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        pollfd in{STDIN_FILENO, POLLIN, 0};
        if (::poll(&in, 1, -1) >= 0 || errno == EINTR) continue;
      }
      throw fail(FileReadFailure::ReadFailed, std::strerror(errno));
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
      throw fail(FileReadFailure::TooLarge, Translate("the file is too large"));
    }
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  return bytes;
}

}  // namespace vorbel::base

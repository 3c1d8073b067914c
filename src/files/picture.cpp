#include "files/picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vorbel {

namespace {

// No supported picture within the pixel limit needs more than this many bytes
// (100 million 32-bit pixels plus headers); larger files are refused unread.
constexpr std::int64_t kMaxPictureFileBytes = 1LL << 30;

std::string ErrnoText(int err) { return std::strerror(err); }

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

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw PictureError("Cannot open picture file " + path + ": " + ErrnoText(errno));
  FdCloser closer(fd);

  struct stat st {};
  if (::fstat(fd, &st) != 0) throw PictureError("Unable to read " + path + ": " + ErrnoText(errno));
  if (!S_ISREG(st.st_mode)) throw PictureError("Picture " + path + " is not a regular file");
  if (st.st_size > kMaxPictureFileBytes) throw PictureError("Picture file " + path + " is too large");

  // One read normally fetches everything; the loop covers short reads and a
  // file that shrinks or grows while it is read.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw PictureError("Unable to read " + path + ": " + ErrnoText(errno));
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace

std::uint32_t Picture::TransparentColour() const {
  if (twoColour) return 0xFFFFFF;
  if (width <= 0 || height <= 0 || pixels.empty()) return 0;
  return At(0, height - 1) & 0xFFFFFF;
}

bool IsJpegPath(const std::string& path) {
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  for (std::size_t i = dot + 1; i + 1 < path.size(); ++i) {
    char a = path[i], b = path[i + 1];
    if ((a == 'J' || a == 'j') && (b == 'P' || b == 'p')) return true;
  }
  return false;
}

Picture LoadPicture(const std::string& path) {
  std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  try {
    return IsJpegPath(path) ? DecodeJpeg(bytes) : DecodeBmp(bytes);
  } catch (const PictureError& e) {
    throw PictureError(path + ": " + e.what());
  }
}

}  // namespace vorbel

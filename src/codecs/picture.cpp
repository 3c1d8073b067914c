#include "codecs/picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "base/ascii_text.h"
#include "base/file_name.h"
#include "base/translation.h"
#include "codecs/picture_readers.h"

namespace vorbel::codecs {

namespace {

// No supported picture within the pixel limit needs more than this many bytes
// (100 million 32-bit pixels plus headers); larger files are refused unread.
constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{1} << 30;

// Reads up to `count` bytes at `offset`; fewer only where the file ends.
// Throws PictureError when reading fails.
std::vector<std::uint8_t> ReadAt(int fd, std::uint64_t offset, std::uint64_t count, const std::string& path) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      throw PictureError(base::TranslateFormat("Cannot read picture file %s: %s", {path, std::strerror(errno)}));
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace

base::Pixel Picture::TransparentColour() const {
  if (two_colour) return base::Pixel{0xFFFFFF};
  if (width <= 0 || height <= 0 || pixels.empty()) return base::Pixel{};
  return At(0, height - 1);
}

bool IsJpegPath(const std::string& path) {
  return base::UpperCaseAscii(base::FileExtension(path)).find("JP") != std::string::npos;
}

struct PictureFile::Reader {
  bool header_read = false;
  bool decoded = false;
  PictureSize size;
  detail::BmpLayout bmp;
  std::unique_ptr<detail::JpegReader> jpeg;
};

PictureFile::PictureFile(const std::string& path, bool jpeg) : path_(path), jpeg_(jpeg) {
  const auto refuse = [&](const std::string& reason) {
    return PictureError(base::TranslateFormat("Cannot open picture file %s: %s", {path, reason}));
  };
  // Opened without waiting, then judged by what was opened: a FIFO put in
  // the picture's place would otherwise hold the open until a writer came.
  do {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) throw refuse(std::strerror(errno));
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    const int error = errno;
    ::close(fd_);
    throw refuse(std::strerror(error));
  }
  if (!S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > kMaxPictureFileBytes) {
    ::close(fd_);
    throw refuse(S_ISREG(st.st_mode) ? "the file is too large" : "not a regular file");
  }
  stamp_ = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), st.st_size,
            std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec};
  reader_ = std::make_unique<Reader>();
}

PictureFile::~PictureFile() { ::close(fd_); }

PictureSize PictureFile::ReadHeader() {
  Reader& r = *reader_;
  if (r.header_read) return r.size;
  r.header_read = true;
  const auto size = static_cast<std::uint64_t>(stamp_.size);
  try {
    if (jpeg_) {
      r.jpeg = std::make_unique<detail::JpegReader>(fd_, size);
      r.size = r.jpeg->ReadHeader();
    } else {
      r.bmp = detail::ReadBmpLayout(ReadAt(fd_, 0, std::min<std::uint64_t>(size, detail::kBmpHeadBytes), path_), size);
      r.size = r.bmp.size;
    }
  } catch (const PictureError& e) {
    throw PictureError(path_ + ": " + e.what());
  }
  return r.size;
}

Picture PictureFile::Decode() {
  Reader& r = *reader_;
  ReadHeader();
  if (r.decoded) throw PictureError(path_ + ": the picture was decoded already");
  r.decoded = true;
  try {
    if (jpeg_) return r.jpeg->Decode();
    return DecodeBmp(ReadAt(fd_, 0, r.bmp.bytes_to_read, path_));
  } catch (const PictureError& e) {
    throw PictureError(path_ + ": " + e.what());
  }
}

Picture LoadPicture(const std::string& path) { return PictureFile(path, IsJpegPath(path)).Decode(); }

}  // namespace vorbel::codecs

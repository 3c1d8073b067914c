#pragma once
// A cursor over bytes held in memory that never reads past their end: every
// read first checks that enough bytes remain and throws PictureError, with the
// caller's description of what was being read, when they do not.

#include <cstdint>
#include <span>
#include <string>

#include "codecs/picture.h"

namespace vorbel::codecs {

// Little-endian values at a known position; the caller has checked the bounds.
inline std::uint16_t LoadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Offset() const { return pos_; }
  std::size_t Remaining() const { return bytes_.size() - pos_; }
  bool AtEnd() const { return pos_ >= bytes_.size(); }

  // Throws PictureError("<what> is cut short") unless n more bytes remain.
  void Need(std::size_t n, const char* what) const {
    if (n > Remaining()) throw PictureError(std::string(what) + " is cut short");
  }

  std::uint8_t U8(const char* what) {
    Need(1, what);
    return bytes_[pos_++];
  }
  std::uint16_t U16(const char* what) {
    Need(2, what);
    std::uint16_t v = LoadLe16(bytes_.data() + pos_);
    pos_ += 2;
    return v;
  }
  std::uint32_t U32(const char* what) {
    Need(4, what);
    std::uint32_t v = LoadLe32(bytes_.data() + pos_);
    pos_ += 4;
    return v;
  }
  std::int32_t I32(const char* what) { return static_cast<std::int32_t>(U32(what)); }

  // The next n bytes, which must all be there; the cursor moves past them.
  const std::uint8_t* Take(std::size_t n, const char* what) {
    Need(n, what);
    const std::uint8_t* p = bytes_.data() + pos_;
    pos_ += n;
    return p;
  }
  void Skip(std::size_t n, const char* what) { Take(n, what); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

}  // namespace vorbel::codecs

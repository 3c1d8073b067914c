#include "codecs/picture.h"

#include "base/ascii_text.h"
#include "base/file_name.h"
#include "base/file_reader.h"

namespace vorbel::codecs {

namespace {

// No supported picture within the pixel limit needs more than this many bytes
// (100 million 32-bit pixels plus headers); larger files are refused unread.
constexpr std::size_t kMaxPictureFileBytes = std::size_t{1} << 30;

}  // namespace

base::Pixel Picture::TransparentColour() const {
  if (two_colour) return base::Pixel{0xFFFFFF};
  if (width <= 0 || height <= 0 || pixels.empty()) return base::Pixel{};
  return At(0, height - 1);
}

bool IsJpegPath(const std::string& path) {
  return base::UpperCaseAscii(base::FileExtension(path)).find("JP") != std::string::npos;
}

Picture LoadPicture(const std::string& path) {
  std::string file;
  try {
    file = base::ReadWholeFile(path, kMaxPictureFileBytes);
  } catch (const base::FileReadError& e) {
    throw PictureError("Cannot open picture file " + path + ": " + e.Reason());
  }
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  try {
    return IsJpegPath(path) ? DecodeJpeg(bytes) : DecodeBmp(bytes);
  } catch (const PictureError& e) {
    throw PictureError(path + ": " + e.what());
  }
}

}  // namespace vorbel::codecs

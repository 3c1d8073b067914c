#include "commands/export_formats.h"

#include <algorithm>
#include <array>

#include "base/ascii_text.h"
#include "base/file_name.h"
#include "base/translation.h"
#include "codecs/image_writers.h"

namespace vorbel::commands {
namespace {

std::vector<std::uint8_t> EncodePng(const codecs::PixelView& pixels, base::Pixel workArea, int) {
  return codecs::EncodePng(pixels, workArea);
}
std::vector<std::uint8_t> EncodeGif(const codecs::PixelView& pixels, base::Pixel workArea, int) {
  return codecs::EncodeGif(pixels, workArea);
}
std::vector<std::uint8_t> EncodeJpeg(const codecs::PixelView& pixels, base::Pixel, int quality) {
  return codecs::EncodeJpeg(pixels, quality == kFormatQuality ? codecs::kJpegQuality : quality);
}
std::vector<std::uint8_t> EncodeBmp(const codecs::PixelView& pixels, base::Pixel, int) {
  return codecs::EncodeBmp(pixels);
}
std::vector<std::uint8_t> EncodeWebp(const codecs::PixelView& pixels, base::Pixel workArea, int quality) {
  return codecs::EncodeWebp(pixels, workArea, quality == kFormatQuality ? codecs::kWebpLossless : quality);
}

constexpr std::array<std::string_view, 1> kPngExtensions = {".png"};
constexpr std::array<std::string_view, 1> kGifExtensions = {".gif"};
constexpr std::array<std::string_view, 3> kJpegExtensions = {".jpg", ".jpeg", ".jpe"};
constexpr std::array<std::string_view, 1> kBmpExtensions = {".bmp"};
constexpr std::array<std::string_view, 1> kWebpExtensions = {".webp"};

// clang-format off
constexpr std::array<ExportFormatInfo, 5> kFormats = {{
  // format             name    extensions       dialog text                                  MIME type     encoder     transparent partial alpha quality
  {ExportFormat::Png,  "png",  kPngExtensions,  VORBEL_TRANSLATABLE("PNG image"),           "image/png",  EncodePng,  true,       true,         false},
  {ExportFormat::Gif,  "gif",  kGifExtensions,  VORBEL_TRANSLATABLE("Compuserve GIF file"), "image/gif",  EncodeGif,  true,       false,        false},
  {ExportFormat::Jpeg, "jpg",  kJpegExtensions, VORBEL_TRANSLATABLE("JPEG file"),           "image/jpeg", EncodeJpeg, false,      false,        true},
  {ExportFormat::Bmp,  "bmp",  kBmpExtensions,  VORBEL_TRANSLATABLE("Bitmap file"),         "image/bmp",  EncodeBmp,  false,      false,        false},
  {ExportFormat::Webp, "webp", kWebpExtensions, VORBEL_TRANSLATABLE("WebP image"),          "image/webp", EncodeWebp, true,       true,         true},
}};
// clang-format on

constexpr bool RowsInEnumeratorOrder() {
  for (std::size_t i = 0; i < kFormats.size(); ++i) {
    if (static_cast<std::size_t>(kFormats[i].format) != i) return false;
  }
  return true;
}

}  // namespace

std::span<const ExportFormatInfo> ExportFormats() { return kFormats; }

const ExportFormatInfo& FormatInfo(ExportFormat format) {
  static_assert(RowsInEnumeratorOrder(), "the rows of the format table follow the enumerators");
  return kFormats.at(static_cast<std::size_t>(format));
}

std::optional<ExportFormat> FormatNamed(std::string_view name) {
  const std::string lower = base::LowerCaseAscii(name);
  for (const ExportFormatInfo& row : kFormats) {
    if (lower == row.name) return row.format;
    for (std::string_view extension : row.extensions) {
      if (lower == extension.substr(1)) return row.format;
    }
  }
  return std::nullopt;
}

ExportFormat ExportFormatFor(std::string_view fileName) {
  const std::string extension = base::LowerCaseAscii(base::FileExtension(fileName));
  for (const ExportFormatInfo& row : kFormats) {
    if (std::ranges::find(row.extensions, extension) != row.extensions.end()) return row.format;
  }
  // Names outside the table keep the rule of earlier versions, so that a
  // script's names keep their formats.
  const std::string upper = base::UpperCaseAscii(extension);
  if (upper.find("BMP") != std::string::npos) return ExportFormat::Bmp;
  if (upper.find("JP") != std::string::npos) return ExportFormat::Jpeg;
  return ExportFormat::Gif;
}

std::string FormatNameList() {
  std::string list;
  for (const ExportFormatInfo& row : kFormats) {
    if (!list.empty()) list += ", ";
    list += row.name;
  }
  return list;
}

}  // namespace vorbel::commands

#include "files/export.h"

#include <cstdint>
#include <vector>

#include "document/ascii_case.h"
#include "files/atomic_file.h"
#include "files/image_writers.h"
#include "files/pixel_view.h"
#include "gdi/bitmap.h"
#include "gdi/system_colors.h"

namespace vorbel {
namespace {

std::string SizeText(int w, int h) { return std::to_string(w) + " x " + std::to_string(h) + " pixels"; }

void CheckSize(const std::string& fileName, int w, int h) {
  if (w <= 0 || h <= 0) {
    throw FileWriteError("Nothing was exported to " + fileName + ": the button is " + SizeText(w, h) +
                         "; its width and height must be at least 1");
  }
  if (gdi::SizeTooLarge(w, h)) {
    throw FileWriteError("Nothing was exported to " + fileName + ": the button is " + SizeText(w, h) +
                         ", more than can be drawn (at most " + std::to_string(gdi::kMaxBitmapSide) +
                         " pixels a side and " + std::to_string(gdi::kMaxBitmapPixels) + " pixels in all)");
  }
}

}  // namespace

ExportFormat ExportFormatFor(std::string_view fileName) {
  const std::size_t slash = fileName.rfind('/');
  const std::size_t dot = fileName.rfind('.');
  std::string extension;
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) {
    extension = UpperCaseAscii(fileName.substr(dot));
  }
  if (extension.find("BMP") != std::string::npos) return ExportFormat::kBmp;
  if (extension.find("JP") != std::string::npos) return ExportFormat::kJpeg;
  if (extension == ".PNG") return ExportFormat::kPng;
  return ExportFormat::kGif;
}

void ExportButton(const ButtonDocument& doc, ButtonRenderer& renderer, const std::string& fileName) {
  const int w = doc.Width();
  const int h = doc.Height();
  CheckSize(fileName, w, h);

  const ExportFormat format = ExportFormatFor(fileName);
  const bool transparent = format == ExportFormat::kGif || format == ExportFormat::kPng;
  const gdi::Bitmap& surface = renderer.Surface();
  const bool surfaceCurrent = renderer.LastResult() == RenderResult::Drawn && surface.Width() == w &&
                              surface.Height() == h;
  if (transparent || !surfaceCurrent) {
    if (renderer.RenderButton(doc) != RenderResult::Drawn) {
      throw FileWriteError("Nothing was exported to " + fileName + ": the button could not be drawn");
    }
  }

  const PixelView pixels{surface.Data(), w, h, w};
  const std::uint32_t workArea = gdi::ResolveColor(doc.WorkAreaColor());
  std::vector<std::uint8_t> bytes;
  switch (format) {
    case ExportFormat::kBmp: bytes = EncodeBmp(pixels); break;
    case ExportFormat::kJpeg: bytes = EncodeJpeg(pixels); break;
    case ExportFormat::kPng: bytes = EncodePng(pixels, workArea); break;
    case ExportFormat::kGif: bytes = EncodeGif(pixels, workArea); break;
  }
  // Replaced whole or not at all, but without waiting for the disk: a picture
  // can be exported again, and the wait would cost more than the export.
  AtomicFile file(fileName);
  file.SetDurable(false);
  file.Write(bytes);
  file.Commit();
}

}  // namespace vorbel

#include "commands/export.h"

#include <cstdint>
#include <new>
#include <vector>

#include "base/ascii_text.h"
#include "base/atomic_file.h"
#include "base/file_name.h"
#include "codecs/image_writers.h"
#include "codecs/pixel_view.h"
#include "gdi/bitmap.h"
#include "gdi/system_colors.h"

namespace vorbel::commands {
namespace {

std::string SizeText(int w, int h) { return std::to_string(w) + " x " + std::to_string(h) + " pixels"; }

void CheckSize(const std::string& fileName, int w, int h) {
  if (w <= 0 || h <= 0) {
    throw base::FileWriteError("Nothing was exported to " + fileName + ": the button is " + SizeText(w, h) +
                         "; its width and height must be at least 1");
  }
  if (gdi::SizeTooLarge(w, h)) {
    throw base::FileWriteError("Nothing was exported to " + fileName + ": the button is " + SizeText(w, h) +
                         ", more than can be drawn (at most " + std::to_string(gdi::kMaxBitmapSide) +
                         " pixels a side and " + std::to_string(gdi::kMaxBitmapPixels) + " pixels in all)");
  }
}

}  // namespace

ExportFormat ExportFormatFor(std::string_view fileName) {
  const std::string extension = base::UpperCaseAscii(base::FileExtension(fileName));
  if (extension.find("BMP") != std::string::npos) return ExportFormat::Bmp;
  if (extension.find("JP") != std::string::npos) return ExportFormat::Jpeg;
  if (extension == ".PNG") return ExportFormat::Png;
  return ExportFormat::Gif;
}

std::vector<std::uint8_t> EncodeButton(const gdi::Bitmap& picture, ExportFormat format, gdi::Pixel workArea) {
  const codecs::PixelView pixels{picture.Data(), picture.Width(), picture.Height(), picture.Width()};
  switch (format) {
    case ExportFormat::Bmp: return codecs::EncodeBmp(pixels);
    case ExportFormat::Jpeg: return codecs::EncodeJpeg(pixels);
    case ExportFormat::Png: return codecs::EncodePng(pixels, workArea);
    case ExportFormat::Gif: break;
  }
  return codecs::EncodeGif(pixels, workArea);
}

void ExportButton(const document::ButtonDocument& doc, render::ButtonRenderer& renderer, const std::string& fileName) {
  const int w = doc.Width();
  const int h = doc.Height();
  CheckSize(fileName, w, h);

  const ExportFormat format = ExportFormatFor(fileName);
  // Every format draws the document afresh: the surface may still show a
  // state the document has left since (a deleted or moved layer).
  // A pass its budget cut short (Partial) is exported as drawn.
  const render::RenderResult result = renderer.RenderButton(doc);
  // No memory for the surface is the caller's out-of-memory case as much as
  // an allocation of its own.
  if (result == render::RenderResult::OutOfMemory) throw std::bad_alloc();
  if (result != render::RenderResult::Drawn && result != render::RenderResult::Partial) {
    throw base::FileWriteError("Nothing was exported to " + fileName + ": the button could not be drawn");
  }
  const std::vector<std::uint8_t> bytes =
      EncodeButton(renderer.Surface(), format, gdi::ResolveColor(doc.WorkAreaColor()));
  // Replaced whole or not at all, but without waiting for the disk: a picture
  // can be exported again, and the wait would cost more than the export.
  base::AtomicFile file(fileName);
  file.SetDurable(false);
  file.Write(bytes);
  file.Commit();
}

}  // namespace vorbel::commands

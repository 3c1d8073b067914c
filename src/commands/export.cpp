#include "commands/export.h"

#include <cstdint>
#include <new>
#include <vector>

#include "base/atomic_file.h"
#include "base/translation.h"
#include "codecs/matte.h"
#include "codecs/pixel_view.h"
#include "gdi/bitmap.h"
#include "gdi/system_colors.h"

namespace vorbel::commands {

void CheckExportSize(const std::string& fileName, int w, int h) {
  if (w <= 0 || h <= 0) {
    throw base::FileWriteError(base::TranslateFormat(
        "Nothing was exported to %s: the button is %s x %s pixels; its width and height must be at least 1",
        {fileName, std::to_string(w), std::to_string(h)}));
  }
  if (gdi::SizeTooLarge(w, h)) {
    throw base::FileWriteError(base::TranslateFormat(
        "Nothing was exported to %s: the button is %s x %s pixels, more than can be drawn (at most %s pixels a side "
        "and %s pixels in all)",
        {fileName, std::to_string(w), std::to_string(h), std::to_string(gdi::kMaxBitmapSide),
         std::to_string(gdi::kMaxBitmapPixels)}));
  }
}

std::vector<std::uint8_t> EncodeButton(const gdi::Bitmap& picture, ExportFormat format, gdi::Pixel workArea,
                                       gdi::Pixel matte, int quality) {
  codecs::PixelView pixels{picture.Data(), picture.Width(), picture.Height(), picture.Width()};
  if (picture.KeepsAlpha() && !picture.Empty()) pixels.alpha = picture.AlphaRow(0);
  // What the format cannot keep of the alpha goes onto the matte. The writer
  // of a format that keeps a pixel whole or leaves it out (GIF) reads the
  // surface over the matte itself, which spares a copy of a large picture.
  const ExportFormatInfo& info = FormatInfo(format);
  codecs::FlatPicture flat;
  if (pixels.alpha != nullptr && !info.partial_transparency) {
    if (info.transparent_work_area) {
      pixels.opaque_from = codecs::kGifOpaqueFrom;
      pixels.matte = matte;
    } else {
      flat = codecs::Flatten(pixels, matte, 0);
      pixels = flat.View();
    }
  }
  return info.encode(pixels, workArea, quality);
}

void ExportButton(const document::ButtonDocument& doc, render::ButtonRenderer& renderer, const std::string& fileName,
                  int quality) {
  WritePicture({fileName}, EncodeButton(doc, renderer, ExportFormatFor(fileName), fileName, quality));
}

std::vector<std::uint8_t> EncodeButton(const document::ButtonDocument& doc, render::ButtonRenderer& renderer,
                                       ExportFormat format, const std::string& fileName, int quality) {
  const int w = doc.Width();
  const int h = doc.Height();
  CheckExportSize(fileName, w, h);

  // Every format draws the document afresh: the surface may still show a
  // state the document has left since (a deleted or moved layer).
  // A pass its budget cut short (Partial) is exported as drawn.
  const render::RenderResult result = renderer.RenderButton(doc);
  // No memory for the surface is the caller's out-of-memory case as much as
  // an allocation of its own.
  if (result == render::RenderResult::OutOfMemory) throw std::bad_alloc();
  if (result != render::RenderResult::Drawn && result != render::RenderResult::Partial) {
    throw base::FileWriteError(
        base::TranslateFormat("Nothing was exported to %s: the button could not be drawn", {fileName}));
  }
  return EncodeButton(renderer.Surface(), format, gdi::ResolveColor(doc.WorkAreaColor()),
                      gdi::ResolveColor(doc.MatteOrWorkArea()), quality);
}

void WritePicture(const PictureDestination& to, std::span<const std::uint8_t> bytes) {
  base::AtomicFile file;
  if (to.standard_output) {
    file.OpenStandardOutput(to.name);
  } else {
    file.Open(to.name);
  }
  // Replaced whole or not at all, but without waiting for the disk: a picture
  // can be exported again, and the wait would cost more than the export.
  file.SetDurable(false);
  file.Write(bytes);
  file.Commit();
}

}  // namespace vorbel::commands

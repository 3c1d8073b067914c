#include "commands/thumbnail.h"

#include <new>
#include <stdexcept>

#include "base/atomic_file.h"
#include "base/translation.h"
#include "codecs/image_writers.h"
#include "codecs/pixel_view.h"
#include "codecs/thumbnail_scaler.h"
#include "commands/export.h"
#include "gdi/system_colors.h"

namespace vorbel::commands {

std::vector<std::uint8_t> EncodeThumbnail(const document::ButtonDocument& doc, render::ButtonRenderer& renderer,
                                          int size, const std::string& name) {
  if (size < 1 || size > kMaxThumbnailSize) throw std::invalid_argument("EncodeThumbnail: size out of range");
  const int w = doc.Width();
  const int h = doc.Height();
  // The sides are checked first: their product is then taken in 64 bits of
  // two positive ints.
  CheckExportSize(name, w, h);
  if (std::int64_t{w} * h > kMaxThumbnailButtonPixels) {
    throw base::FileWriteError(base::TranslateFormat(
        "No thumbnail was made for %s: the button is %s x %s pixels, more than the %s pixels a thumbnail is drawn from",
        {name, std::to_string(w), std::to_string(h), std::to_string(kMaxThumbnailButtonPixels)}));
  }
  const render::RenderResult result = renderer.RenderButton(doc);
  if (result == render::RenderResult::OutOfMemory) throw std::bad_alloc();
  if (result != render::RenderResult::Drawn && result != render::RenderResult::Partial) {
    throw base::FileWriteError(
        base::TranslateFormat("No thumbnail was made for %s: the button could not be drawn", {name}));
  }
  const gdi::Bitmap& picture = renderer.Surface();
  codecs::PixelView pixels{picture.Data(), picture.Width(), picture.Height(), picture.Width()};
  if (picture.KeepsAlpha()) pixels.alpha = picture.AlphaRow(0);
  return codecs::EncodePng(codecs::ScaleForThumbnail(pixels, gdi::ResolveColor(doc.WorkAreaColor()), size));
}

}  // namespace vorbel::commands

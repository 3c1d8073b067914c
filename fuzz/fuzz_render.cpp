// Any bytes as a layout, drawn: read as a layout file, the button made small
// (faults are found on small surfaces as well as on large ones, and faster),
// drawn, the text layers placed by every alignment and drawn again, and every
// picture encoded in one of the four export formats or as a thumbnail, each in
// turn. A pass must end with the surface the size of the button, a thumbnail
// must fit its box; any exception that leaves the pass, a crash or a sanitizer
// report is a fault.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/image_writers.h"
#include "codecs/pixel_view.h"
#include "codecs/thumbnail_scaler.h"
#include "document/button_document.h"
#include "document/layer_type.h"
#include "gdi/system_colors.h"
#include "layout/ini_file.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"

namespace {

using namespace vorbel;

// At most this many rows are drawn, and at most kMaxPlaced text rows placed.
constexpr int kMaxRows = 24;
constexpr int kMaxPlaced = 3;

// 1 to 48 pixels, from whatever the layout said.
int Small(std::int32_t value) { return 1 + static_cast<int>(static_cast<std::uint32_t>(value) % 48); }

void DrawAndEncode(render::ButtonRenderer& renderer, const document::ButtonDocument& doc, int format) {
  const render::RenderResult result = renderer.RenderButton(doc);
  if (result != render::RenderResult::Drawn && result != render::RenderResult::Partial) std::abort();
  const gdi::Bitmap& surface = renderer.Surface();
  if (surface.Width() != doc.Width() || surface.Height() != doc.Height()) std::abort();
  const codecs::PixelView pixels{surface.Data(), surface.Width(), surface.Height(), surface.Width()};
  const gdi::Pixel workArea = gdi::ResolveColor(doc.WorkAreaColor());
  std::vector<std::uint8_t> bytes;
  switch (format % 5) {
    case 0: bytes = codecs::EncodeBmp(pixels); break;
    case 1: bytes = codecs::EncodeJpeg(pixels); break;
    case 2: bytes = codecs::EncodePng(pixels, workArea); break;
    case 3: bytes = codecs::EncodeGif(pixels, workArea); break;
    default: {
      // Boxes from 1 to 64 pixels: both enlarged and reduced buttons.
      const int box = 1 + (format * 13 + doc.Width()) % 64;
      const codecs::RgbaImage thumbnail = codecs::ScaleForThumbnail(pixels, workArea, box);
      const bool fits =
          std::max(thumbnail.width, thumbnail.height) <= box && thumbnail.width >= 1 && thumbnail.height >= 1;
      if (!fits) std::abort();
      bytes = codecs::EncodePng(thumbnail);
    }
  }
  if (bytes.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const layout::IniFile ini(std::string(reinterpret_cast<const char*>(data), size));
  document::ButtonDocument doc;
  layout::ReadLayout(doc, ini);
  doc.SetWidth(Small(doc.Width()));
  doc.SetHeight(Small(doc.Height()));
  if (doc.RowCount() > kMaxRows) {
    std::vector<document::LayerRow> rows(doc.Rows().begin(), doc.Rows().begin() + kMaxRows);
    doc.ReplaceRows(std::move(rows));
  }

  render::ButtonRenderer renderer;
  int format = 0;
  DrawAndEncode(renderer, doc, format++);
  for (int code = 0; code <= 9; ++code) {
    int placed = 0;
    for (int i = 0; i < doc.RowCount() && placed < kMaxPlaced; ++i) {
      if (!document::KindsForRender(doc.Row(i).type).text) continue;
      ++placed;
      std::string left, top;
      try {
        renderer.PlaceTextLayer(doc, doc.Row(i).Properties(), code, left, top);
      } catch (const base::Error&) {
        continue;  // a font size that is no number, or a font that cannot be had
      }
      doc.SetRowSubItems(i, doc.Row(i).Properties(), std::move(left), std::move(top));
    }
    if (placed == 0) break;
    DrawAndEncode(renderer, doc, format++);
  }
  return 0;
}

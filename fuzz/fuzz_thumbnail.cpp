// Any bytes as a layout file, made into a thumbnail as the thumbnailer makes
// it: read from a file with the thumbnail's size limit, drawn by a renderer
// held to the thumbnail's budget, scaled and encoded as PNG. It must give a
// PNG picture that fits its box or raise one of the errors it documents.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "commands/thumbnail.h"
#include "document/button_document.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"

namespace {

const std::string& LayoutFile() {
  static const std::string path = [] {
    char pattern[] = "/tmp/vorbel-fuzz-thumbnail-XXXXXX";
    const int fd = ::mkstemp(pattern);
    if (fd >= 0) ::close(fd);
    return std::string(pattern);
  }();
  return path;
}

// The width and height a PNG file's header gives.
bool PngSize(const std::vector<std::uint8_t>& png, std::uint32_t& width, std::uint32_t& height) {
  if (png.size() < 24 || png[1] != 'P' || png[2] != 'N' || png[3] != 'G') return false;
  const auto word = [&](std::size_t at) {
    return std::uint32_t{png[at]} << 24 | std::uint32_t{png[at + 1]} << 16 | std::uint32_t{png[at + 2]} << 8 |
           png[at + 3];
  };
  width = word(16);
  height = word(20);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorbel;
  if (size == 0) return 0;
  // The first byte chooses the box, 1 to 256 pixels.
  const int box = 1 + data[0];
  if (std::FILE* f = std::fopen(LayoutFile().c_str(), "wb")) {
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);
  }
  document::ButtonDocument doc;
  try {
    layout::LoadLayout(doc, LayoutFile(), {}, layout::MissingLayout::IsAnError,
                       commands::kMaxThumbnailLayoutFileSize);
  } catch (const layout::LayoutReadError&) {
    return 0;
  }
  render::ButtonRenderer renderer(commands::kThumbnailPassLimits);
  try {
    const std::vector<std::uint8_t> png = commands::EncodeThumbnail(doc, renderer, box, "fuzz.png");
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!PngSize(png, width, height) || width < 1 || height < 1 || width > static_cast<std::uint32_t>(box) ||
        height > static_cast<std::uint32_t>(box)) {
      std::abort();
    }
  } catch (const base::FileWriteError&) {
  } catch (const std::bad_alloc&) {
  }
  return 0;
}

// Feeds arbitrary bytes to text drawing: the face name, the size, the
// escapement, the position and the caption all come from the input. Drawing
// must succeed or raise FontError (for a size beyond the limit); any other
// exception, a crash or a sanitizer report is a fault, and so is a pixel
// written that is neither the paper, the ink nor the background colour.
//
// Input layout: 1 byte size class, 2 bytes escapement, 2 bytes x, 2 bytes y,
// 1 byte flags, then the face name and the caption separated by a NUL byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gdi/canvas.h"
#include "gdi/font.h"

namespace {

using namespace vorbel::gdi;

constexpr Pixel kPaper{0x123456};

std::int16_t Read16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  // Sizes from -128 to 127 points, and now and then one far beyond the limit.
  const int sizeByte = static_cast<std::int8_t>(data[0]);
  const int points = sizeByte == 127 ? 100000 : sizeByte == -128 ? -5000 : sizeByte;
  const int escapement = Read16(data + 1) * 7;
  const int x = Read16(data + 3) % 200;
  const int y = Read16(data + 5) % 200;
  const bool opaque = (data[7] & 1) != 0;
  const bool mono = (data[7] & 2) != 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 8), size - 8);
  const std::size_t nul = rest.find('\0');
  const std::string face(rest.substr(0, nul == std::string_view::npos ? rest.size() : nul));
  const std::string_view text = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);

  Bitmap surface(90, 30, mono);
  surface.Fill(mono ? kWhite : kPaper);
  Canvas canvas(surface);
  canvas.SetFontName(face);
  canvas.SetFontSize(points);
  canvas.SetFontColor(vorbel::base::Color::FromRgb(255, 0, 0));
  canvas.SetBkColor(vorbel::base::Color::FromRgb(0, 255, 0));
  canvas.SetBkMode(opaque ? BkMode::Opaque : BkMode::Transparent);
  try {
    const Size extent = canvas.TextExtent(text);
    if (extent.cx < 0 || extent.cy <= 0) std::abort();
    canvas.TextOut(x, y, text, escapement);
  } catch (const FontError&) {
    return 0;
  }
  for (const Pixel p : surface.Pixels()) {
    const bool known =
        mono ? (p == kBlack || p == kWhite) : (p == kPaper || p == Pixel{0xFF0000} || p == Pixel{0x00FF00});
    if (!known) std::abort();
  }
  return 0;
}

// Feeds arbitrary bytes to text drawing: the face name, the size, the
// escapement, the position and the caption all come from the input. Drawing
// must succeed or raise FontError (for a size beyond the limit); any other
// exception, a crash or a sanitizer report is a fault, and so is a pixel
// written that is neither the paper, the ink nor the background colour.
//
// Input layout: 1 byte size class, 2 bytes escapement, 2 bytes x, 2 bytes y,
// 1 byte flags, then the face name and the caption separated by a NUL byte.
// Flags: 1 opaque background, 2 two-colour surface, 4 the caption bytes are
// pairs that pick characters of the scripts that are shaped (right-to-left
// letters, marks, bidirectional controls, Indic and CJK text, any plane),
// 8 and 16 together: the caption is repeated to 10,000 characters.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text_encoding.h"
#include "gdi/canvas.h"
#include "gdi/font.h"

namespace {

using namespace vorbel::gdi;

constexpr Pixel kPaper{0x123456};
constexpr std::size_t kLongCaption = 10000;

// Where a pair of caption bytes picks its character: a first code point and
// how many follow it.
struct Block {
  char32_t first;
  unsigned count;
};
constexpr Block kBlocks[] = {
    {0x0020, 0x5F},    // ASCII
    {0x0600, 0x100},   // Arabic
    {0x0590, 0x70},    // Hebrew
    {0x0300, 0x70},    // combining marks
    {0x0900, 0x80},    // Devanagari
    {0x4E00, 0x5200},  // CJK ideographs
    {0x3040, 0xC0},    // kana
    {0x0E00, 0x80},    // Thai
    {0x200B, 0x05},    // zero-width spaces and joiners, marks of direction
    {0x202A, 0x05},    // embeddings and overrides, often unpaired
    {0x2066, 0x04},    // isolates, often unpaired
    {0xFE00, 0x10},    // variation selectors
};

// The caption bytes as characters of the shaped scripts: each pair picks a
// block (or, past the table, any code point of the 17 planes) and a character
// in it.
std::string ShapedCaption(std::string_view bytes) {
  std::u32string out;
  constexpr unsigned kBlockCount = sizeof(kBlocks) / sizeof(kBlocks[0]);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned a = static_cast<unsigned char>(bytes[i]);
    const unsigned b = static_cast<unsigned char>(bytes[i + 1]);
    const unsigned pick = a % (kBlockCount + 1);
    const char32_t c = pick < kBlockCount
                           ? kBlocks[pick].first + ((a / (kBlockCount + 1)) * 256 + b) % kBlocks[pick].count
                           : static_cast<char32_t>((a * 256 + b) * 17 % 0x110000);
    out += c;
  }
  return vorbel::base::EncodeUtf8(out);
}

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
  const std::string_view raw = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
  std::string caption = (data[7] & 4) != 0 ? ShapedCaption(raw) : std::string(raw);
  if ((data[7] & 0x18) == 0x18 && !caption.empty()) {
    // Whole repeats until the caption holds kLongCaption characters or more
    // (malformed bytes count as one character each at most).
    const std::string once = caption;
    std::size_t chars = 0;
    for (const char b : once) chars += (static_cast<unsigned char>(b) & 0xC0) != 0x80 ? 1 : 0;
    for (std::size_t total = chars; total < kLongCaption && total > 0; total += chars) caption += once;
  }
  const std::string_view text = caption;

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

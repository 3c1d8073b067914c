#pragma once
// Fonts by face name and point size: matched through the system's font
// configuration and drawn as two-colour (not anti-aliased) hinted glyphs.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "gdi/bitmap.h"
#include "gdi/text_image.h"

namespace vorbel::gdi {

// Thrown when a font cannot be made: a size beyond kMaxFontPixels, or no
// usable font installed at all. Callers that draw a layer treat it like a
// conversion error and leave the layer out.
class FontError : public base::Error {
 public:
  using base::Error::Error;
};

// The largest em height (and cell height) in pixels a font may have: 4096
// pixels, 3072 points. Far beyond any button, yet each glyph stays a bounded
// amount of work; glyphs this large are rasterised only where they meet the
// surface.
constexpr int kMaxFontPixels = 4096;

// Face names are cut to this many characters, as the classic font interface
// keeps them (31 characters and a terminating zero).
constexpr std::size_t kMaxFaceNameLength = 31;

// The pixel size a point size asks for at 96 dots per inch:
//  - size > 0: the em height, MulDiv(size, 96, 72) rounded half away from zero;
//  - size < 0: minus the cell height (ascent + descent), MulDiv(-size, 96, 72),
//    the classic meaning of a positive font height;
//  - size 0: the default size, 12 points (an em height of 16 pixels).
// Returned as a positive em height or a negative cell height. Throws FontError
// when the magnitude exceeds kMaxFontPixels.
int FontPixelRequest(int pointSize);

// A font's measures in pixels, taken the way the classic interface takes them:
// ascent and descent are the font's Windows ascent and descent (OS/2
// usWinAscent and usWinDescent; the horizontal header's when those are absent)
// scaled to the em height and rounded.
struct FontMetrics {
  int ascent = 0;
  int descent = 0;
  int height = 0;           // ascent + descent: the height of a character cell
  int internal_leading = 0;  // height - em_height
  int em_height = 0;
  int ave_char_width = 0;
  friend constexpr bool operator==(const FontMetrics&, const FontMetrics&) = default;
};

// One face at one size. Immutable to its users and shared; it keeps its
// rasterised glyphs and recently drawn captions, so drawing the same caption
// again costs little more than copying its pixels. Safe to use from several
// threads (the font layer serialises its work internally).
class Font {
 public:
  struct Impl;
  explicit Font(std::unique_ptr<Impl> impl);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // The family the font configuration chose for the requested face.
  const std::string& FamilyName() const;
  const FontMetrics& Metrics() const;

  // The width (sum of the advance widths, no kerning) by the cell height of
  // utf8 as one line. The width saturates at INT_MAX for absurdly long text;
  // an empty caption measures 0 by the cell height.
  Size TextExtent(std::string_view utf8) const;

  // The glyph pixels of utf8 with its baseline turned by `escapement` tenths
  // of a degree counter-clockwise. `visible` is the part of the plane (relative
  // to the reference point) that will be shown: the result may leave out
  // spans outside it but never anything inside it. Malformed UTF-8 draws the
  // replacement character; characters the face lacks draw its missing-glyph
  // shape.
  std::shared_ptr<const TextImage> RenderText(std::string_view utf8, int escapement,
                                              const Rect& visible) const;

 private:
  std::unique_ptr<Impl> impl_;
};

// The font for a face name and a size in points (see FontPixelRequest).
// A face that is not installed, "MS San Serif" among them, gets the font
// configuration's best substitute; an empty face gets the default face. Any
// text is safe as a face name: it is cut to kMaxFaceNameLength characters and
// malformed UTF-8 in it is replaced. Fonts are cached. Throws FontError for a
// size beyond the limit or when no font can be opened at all.
std::shared_ptr<const Font> GetFont(std::string_view face, int pointSize);

// A font for drawing `layoutScale` times finer than the font of
// pointSize / layoutScale points (for smooth edges, drawn larger and then
// reduced): its glyphs are those of the face at pointSize, and it lays out and
// measures text as the font of pointSize / layoutScale does, every advance and
// measure multiplied by layoutScale, so that a caption covers the same places
// at both sizes. A layoutScale of 1 or less, or one that does not divide
// pointSize, gives GetFont(face, pointSize).
std::shared_ptr<const Font> GetFont(std::string_view face, int pointSize, int layoutScale);

// The family GetFont uses for face.
std::string ResolvedFaceName(std::string_view face);

// The names of the installed scalable font families, each once (compared
// without regard to case), sorted without regard to case. Built once per run.
std::vector<std::string> InstalledFontFamilies();

}  // namespace vorbel::gdi

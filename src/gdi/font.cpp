#include "gdi/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <mutex>
#include <unordered_map>

#include "base/mul_div.h"
#include "base/text_encoding.h"
#include "gdi/font_matcher.h"
#include "gdi/text_shaper.h"

namespace vorbel::gdi {

namespace {

// Glyphs whose pixel box is larger than this are not kept: they are
// rasterised on every draw, and only where they meet the surface.
constexpr std::int64_t kMaxCachedGlyphArea = 256 * 256;
// Captions longer than this are not kept whole; they are laid out on every
// draw, leaving out the glyphs that miss the surface.
constexpr std::size_t kMaxCachedRunLength = 512;
// Budgets of the caches of one font, in spans of 12 bytes (3 MB each); a
// cache beyond its budget is dropped and fills again. A button needs a few
// dozen captions and a few hundred glyphs.
constexpr std::size_t kGlyphCacheSpans = std::size_t{1} << 18;
constexpr std::size_t kRunCacheSpans = std::size_t{1} << 18;
constexpr std::size_t kMaxCachedRuns = 256;
constexpr std::size_t kMaxCachedGlyphs = 8192;
// Fonts kept alive by the font cache (in-use fonts live on regardless), so the
// caches hold at most about 100 MB.
constexpr std::size_t kMaxCachedFonts = 16;
// Glyph origins farther than this from the reference point are never drawn:
// no surface reaches them, and the arithmetic stays far from overflow.
constexpr double kFarAway = 1 << 28;
// Fallback faces one font keeps, and fallback fonts kept alive for all fonts;
// beyond that the lists are dropped and fill again.
constexpr std::size_t kMaxFallbackFaces = 32;
constexpr std::size_t kMaxCachedFallbackFonts = 32;
constexpr std::size_t kMaxCachedFallbackChars = 4096;

// All FreeType work and every font's caches are guarded by this one mutex.
// Recursive because a font's destructor, which closes its face, may run while
// the font cache is being trimmed under the lock.
std::recursive_mutex& FontMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw FontError("The font rasteriser could not be started");
    return lib;
  }();
  return library;
}

struct Glyph {
  int advance = 0;   // unrotated advance width in whole pixels
  Rect box;          // pixel box relative to the glyph origin; empty for a blank glyph
  bool large = false;               // not kept: rasterised on demand, clipped
  std::vector<GlyphSpan> spans;     // relative to the glyph origin (not for large glyphs)
};

struct RunKey {
  int escapement;
  std::string text;
  friend bool operator==(const RunKey&, const RunKey&) = default;
};

struct RunKeyHash {
  std::size_t operator()(const RunKey& k) const {
    return std::hash<std::string>{}(k.text) ^ (static_cast<std::size_t>(k.escapement) * 0x9E3779B97F4A7C15ull);
  }
};

// Appends the spans of a two-colour FreeType bitmap, whose top-left pixel lands
// at (left, top).
void AppendBitmapSpans(const FT_Bitmap& bitmap, int left, int top, std::vector<GlyphSpan>& out) {
  for (unsigned r = 0; r < bitmap.rows; ++r) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(r) * bitmap.pitch;
    int start = -1;
    for (unsigned c = 0; c <= bitmap.width; ++c) {
      const bool on = c < bitmap.width && (row[c >> 3] & (0x80 >> (c & 7))) != 0;
      if (on && start < 0) {
        start = static_cast<int>(c);
      } else if (!on && start >= 0) {
        out.push_back({top + static_cast<int>(r), left + start, left + static_cast<int>(c)});
        start = -1;
      }
    }
  }
}

// Rasterises the loaded outline into the pixels of `region` (relative to the
// glyph origin, screen orientation: y grows downwards) and appends the spans,
// moved by (dx, dy). The outline is moved in the process.
void RasterizeRegion(FT_Outline& outline, const Rect& region, int dx, int dy, std::vector<GlyphSpan>& out) {
  if (region.IsEmpty()) return;
  const unsigned width = static_cast<unsigned>(region.Width());
  const unsigned rows = static_cast<unsigned>(region.Height());
  const int pitch = static_cast<int>((width + 31) / 32 * 4);
  std::vector<unsigned char> buffer(static_cast<std::size_t>(pitch) * rows, 0);
  FT_Bitmap bitmap{};
  bitmap.rows = rows;
  bitmap.width = width;
  bitmap.pitch = pitch;
  bitmap.buffer = buffer.data();
  bitmap.num_grays = 2;
  bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
  // Pixel row `region.bottom - 1` covers heights -region.bottom .. -region.bottom + 1
  // above the baseline; it must become the bottom row of the bitmap.
  FT_Outline_Translate(&outline, -static_cast<FT_Pos>(region.left) * 64, static_cast<FT_Pos>(region.bottom) * 64);
  if (FT_Outline_Get_Bitmap(Library(), &outline, &bitmap) != 0) return;
  AppendBitmapSpans(bitmap, region.left + dx, region.top + dy, out);
}

void SortSpans(std::vector<GlyphSpan>& spans) {
  std::sort(spans.begin(), spans.end(), [](const GlyphSpan& a, const GlyphSpan& b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
  });
}

Rect SpanBounds(const std::vector<GlyphSpan>& spans) {
  if (spans.empty()) return {};
  Rect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const auto& s : spans) {
    r.left = std::min(r.left, s.x0);
    r.right = std::max(r.right, s.x1);
    r.top = std::min(r.top, s.y);
    r.bottom = std::max(r.bottom, s.y + 1);
  }
  return r;
}

}  // namespace

int FontPixelRequest(int pointSize) {
  if (pointSize == 0) return 16;
  const std::int64_t pixels = base::MulDiv64(pointSize < 0 ? -std::int64_t{pointSize} : pointSize, 96, 72);
  if (pixels > kMaxFontPixels) {
    throw FontError("A font size of " + std::to_string(pointSize) + " points is too large to draw");
  }
  const int p = std::max<int>(1, static_cast<int>(pixels));
  return pointSize < 0 ? -p : p;
}

struct Font::Impl {
  FT_Face face = nullptr;
  std::string family;
  FontMetrics metrics;
  bool symbol_map = false;  // the face has only a symbol character map
  int transform_escapement = 0;
  // What the font was asked for: the face name as matched and the size.
  std::string request_face;
  int request = 0;
  hb_font_t* shaping_font = nullptr;  // made on first use

  // The faces that stand in for characters this face lacks (face 1 is
  // fallbacks[0]), and the face chosen per character and language.
  std::vector<std::shared_ptr<const Font>> fallbacks;
  std::unordered_map<std::uint64_t, int> fallback_faces;

  // A font drawn finer than it lays out text: the font whose advances it
  // takes, multiplied by layout_scale (see GetFont with a layout scale).
  std::shared_ptr<const Font> layout;
  int layout_scale = 1;

  std::unordered_map<std::uint64_t, std::shared_ptr<const Glyph>> glyphs;
  std::size_t glyph_spans = 0;
  std::unordered_map<RunKey, std::shared_ptr<const TextImage>, RunKeyHash> runs;
  std::size_t run_spans = 0;
  std::string last_text;  // the caption drawn last, whole, and its image
  std::shared_ptr<const TextImage> last_run;

  ~Impl() {
    std::lock_guard lock(FontMutex());
    DestroyShapingFont(shaping_font);
    if (face != nullptr) FT_Done_Face(face);
  }

  // The face as the shaper sees it: upright, hinted for two-colour output like
  // the glyphs drawn, so that its advances are those of the classic layout.
  hb_font_t* ShapingFont() {
    SetTransform(0);
    if (shaping_font == nullptr) shaping_font = CreateShapingFont(face, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP);
    return shaping_font;
  }

  Impl& FaceImpl(int index) { return index == 0 ? *this : *fallbacks[static_cast<std::size_t>(index - 1)]->impl_; }

  int FallbackFace(char32_t c, std::string_view language);
  ShapedLine Layout(const std::u32string& text);

  unsigned GlyphIndex(char32_t cp) const {
    unsigned index = FT_Get_Char_Index(face, cp);
    // Symbol fonts map their characters at U+F020..U+F0FF; text written with
    // the plain codes 0x20..0xFF reaches them there.
    if (index == 0 && symbol_map && cp < 0x100) index = FT_Get_Char_Index(face, 0xF000 + cp);
    return index;  // 0 is the face's missing-glyph shape
  }

  // How far the pen moves after the character cp (glyph `index` of this face).
  int Advance(char32_t cp, unsigned index) {
    if (!layout) return GetGlyph(index, 0)->advance;
    Impl& coarse = *layout->impl_;
    return layout_scale * coarse.GetGlyph(coarse.GlyphIndex(cp), 0)->advance;
  }

  void SetTransform(int escapement) {
    if (escapement == transform_escapement) return;
    if (escapement == 0) {
      FT_Set_Transform(face, nullptr, nullptr);
    } else {
      const auto dir = TextDirection::FromEscapement(escapement);
      // FreeType's y axis points up, so a counter-clockwise turn on the screen
      // is a counter-clockwise turn there as well.
      FT_Matrix m;
      m.xx = static_cast<FT_Fixed>(std::lround(dir.cos * 65536.0));
      m.xy = static_cast<FT_Fixed>(std::lround(-dir.sin * 65536.0));
      m.yx = static_cast<FT_Fixed>(std::lround(dir.sin * 65536.0));
      m.yy = static_cast<FT_Fixed>(std::lround(dir.cos * 65536.0));
      FT_Set_Transform(face, &m, nullptr);
    }
    transform_escapement = escapement;
  }

  // Loads the hinted outline of a glyph, turned by the escapement, into the
  // face's slot. False when the face has no usable outline for it.
  bool LoadOutline(unsigned index, int escapement) {
    SetTransform(escapement);
    const FT_Int32 flags = FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face, index, flags) != 0 &&
        FT_Load_Glyph(face, index, flags | FT_LOAD_NO_HINTING) != 0) {
      return false;  // a broken glyph program: draw nothing for this glyph
    }
    return face->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
  }

  std::shared_ptr<const Glyph> GetGlyph(unsigned index, int escapement) {
    const std::uint64_t key = (std::uint64_t{index} << 12) | static_cast<std::uint64_t>(escapement);
    if (auto it = glyphs.find(key); it != glyphs.end()) return it->second;

    auto glyph = std::make_shared<Glyph>();
    if (LoadOutline(index, escapement)) {
      FT_GlyphSlot slot = face->glyph;
      if (escapement == 0) glyph->advance = static_cast<int>((slot->advance.x + 32) >> 6);
      FT_Outline& outline = slot->outline;
      if (outline.n_points > 0) {
        FT_BBox cbox;
        FT_Outline_Get_CBox(&outline, &cbox);
        // One pixel of margin on every side: the rasteriser's dropout control
        // may set a pixel whose centre lies just outside the control box.
        const auto floorPx = [](FT_Pos v) { return static_cast<int>(v >= 0 ? v / 64 : -((-v + 63) / 64)); };
        const int xMin = floorPx(cbox.xMin) - 1;
        const int xMax = floorPx(cbox.xMax + 63) + 1;
        const int yMin = floorPx(cbox.yMin) - 1;
        const int yMax = floorPx(cbox.yMax + 63) + 1;
        const Rect box{xMin, -yMax, xMax, -yMin};
        if (static_cast<std::int64_t>(box.Width()) * box.Height() > kMaxCachedGlyphArea) {
          glyph->large = true;
          glyph->box = box;
        } else {
          RasterizeRegion(outline, box, 0, 0, glyph->spans);
          glyph->box = SpanBounds(glyph->spans);
        }
      }
    } else if (escapement == 0 && FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) == 0) {
      glyph->advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    }

    if (glyphs.size() >= kMaxCachedGlyphs || glyph_spans + glyph->spans.size() > kGlyphCacheSpans) {
      glyphs.clear();
      glyph_spans = 0;
    }
    glyph_spans += glyph->spans.size();
    glyphs.emplace(key, glyph);
    return glyph;
  }

  // Rasterises a laid-out line. With `clip` set, glyphs (and the parts of
  // large glyphs) outside *clip are left out; without it, the result is whole
  // unless a large glyph forces clipping, which `complete` reports.
  std::shared_ptr<TextImage> Build(const ShapedLine& line, int escapement, const Rect* clip, bool& complete) {
    auto image = std::make_shared<TextImage>();
    image->escapement = escapement;
    image->cell_height = metrics.height;
    image->advance = line.advance;
    complete = true;
    const auto dir = TextDirection::FromEscapement(escapement);
    for (const PlacedGlyph& placedGlyph : line.glyphs) {
      Impl& font = FaceImpl(placedGlyph.face);
      const auto glyph = font.GetGlyph(placedGlyph.glyph, escapement);
      // The glyph's origin: its point of the baseline.
      double fx = 0;
      double fy = 0;
      dir.Map(static_cast<double>(placedGlyph.x), static_cast<double>(metrics.ascent) + placedGlyph.y, fx, fy);
      if (glyph->box.IsEmpty() || std::fabs(fx) > kFarAway || std::fabs(fy) > kFarAway) continue;
      const int ox = static_cast<int>(std::lround(fx));
      const int oy = static_cast<int>(std::lround(fy));
      const Rect placed{glyph->box.left + ox, glyph->box.top + oy, glyph->box.right + ox, glyph->box.bottom + oy};
      if (glyph->large) {
        if (clip == nullptr) {
          complete = false;
          return image;
        }
        const Rect part = placed.Intersected(*clip);
        if (part.IsEmpty() || !font.LoadOutline(placedGlyph.glyph, escapement)) continue;
        RasterizeRegion(font.face->glyph->outline, {part.left - ox, part.top - oy, part.right - ox, part.bottom - oy},
                        ox, oy, image->spans);
        continue;
      }
      if (clip != nullptr && placed.Intersected(*clip).IsEmpty()) continue;
      for (const auto& s : glyph->spans) image->spans.push_back({s.y + oy, s.x0 + ox, s.x1 + ox});
    }
    SortSpans(image->spans);
    image->ink_bounds = SpanBounds(image->spans);
    return image;
  }
};

namespace {

// The faces of one font as the shaper asks for them.
class LineFaces final : public ShapingFaces {
 public:
  explicit LineFaces(Font::Impl& font) : font_(font) {}
  bool HasGlyph(int face, char32_t c) override { return font_.FaceImpl(face).GlyphIndex(c) != 0; }
  int FallbackFace(char32_t c, std::string_view language) override { return font_.FallbackFace(c, language); }
  hb_font_t* ShapingFont(int face) override { return font_.FaceImpl(face).ShapingFont(); }
  int ClassicAdvance(int face, unsigned glyph) override { return font_.FaceImpl(face).GetGlyph(glyph, 0)->advance; }

 private:
  Font::Impl& font_;
};

std::unique_ptr<Font::Impl> OpenFace(const FontFileRef& ref, int request);

// Fallback fonts by file, face index and size, shared by every font that
// falls back on them.
std::map<std::tuple<std::string, int, int>, std::shared_ptr<const Font>>& FallbackFontCache() {
  static std::map<std::tuple<std::string, int, int>, std::shared_ptr<const Font>> cache;
  return cache;
}

}  // namespace

int Font::Impl::FallbackFace(char32_t c, std::string_view language) {
  // The character in the low 21 bits, a hash of the language (one of a few
  // dozen tags) above them.
  const std::uint64_t key = (std::uint64_t{std::hash<std::string_view>{}(language)} << 21) ^ (c & 0x1FFFFF);
  if (auto it = fallback_faces.find(key); it != fallback_faces.end()) return it->second;
  int index = 0;
  std::optional<FontFileRef> ref;
  try {
    ref = FontMatcher::Instance().Fallback(request_face, language, c);
  } catch (const FontError&) {
    ref.reset();  // no configuration: the face's own missing-glyph shape
  }
  if (ref) {
    auto& cache = FallbackFontCache();
    const std::tuple<std::string, int, int> fontKey{ref->path, ref->index, request};
    std::shared_ptr<const Font> font;
    if (auto it = cache.find(fontKey); it != cache.end()) {
      font = it->second;
    } else {
      std::unique_ptr<Impl> impl;
      try {
        impl = OpenFace(*ref, request);
      } catch (const FontError&) {
        impl.reset();  // too large at this face's proportions
      }
      if (impl) {
        font = std::make_shared<const Font>(std::move(impl));
        if (cache.size() >= kMaxCachedFallbackFonts) cache.clear();
        cache.emplace(fontKey, font);
      }
    }
    if (font && font->impl_->GlyphIndex(c) != 0) {
      const auto at = static_cast<std::size_t>(std::find(fallbacks.begin(), fallbacks.end(), font) - fallbacks.begin());
      if (at == fallbacks.size()) fallbacks.push_back(font);
      index = static_cast<int>(at + 1);
    }
  }
  if (fallback_faces.size() >= kMaxCachedFallbackChars) fallback_faces.clear();
  fallback_faces.emplace(key, index);
  return index;
}

ShapedLine Font::Impl::Layout(const std::u32string& text) {
  // Face numbers live as long as the fallback list; it is renewed only
  // between layouts.
  if (fallbacks.size() > kMaxFallbackFaces) {
    fallbacks.clear();
    fallback_faces.clear();
  }
  LineFaces faces(*this);
  if (NeedsShaping(text, faces)) return ShapeLine(text, faces);
  ShapedLine line;
  line.glyphs.reserve(text.size());
  std::int64_t pen = 0;
  for (const char32_t cp : text) {
    const unsigned index = GlyphIndex(cp);
    line.glyphs.push_back({0, index, pen, 0});
    pen += Advance(cp, index);
  }
  line.advance = pen;
  return line;
}

Font::Font(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Font::~Font() = default;

const std::string& Font::FamilyName() const { return impl_->family; }
const FontMetrics& Font::Metrics() const { return impl_->metrics; }

Size Font::TextExtent(std::string_view utf8) const {
  const std::u32string text = base::DecodeUtf8(utf8);
  std::lock_guard lock(FontMutex());
  const std::int64_t width = impl_->Layout(text).advance;
  return {static_cast<int>(std::clamp<std::int64_t>(width, 0, INT_MAX)), impl_->metrics.height};
}

std::shared_ptr<const TextImage> Font::RenderText(std::string_view utf8, int escapement,
                                                  const Rect& visible) const {
  escapement = NormalizeEscapement(escapement);
  std::lock_guard lock(FontMutex());
  Impl& d = *impl_;
  // A caption is usually drawn several times in a row (shadow, outline, face).
  if (d.last_run && d.last_run->escapement == escapement && d.last_text == utf8) return d.last_run;
  // No code point takes more than four bytes, so a longer text is never cached.
  const bool cacheable = utf8.size() <= 4 * kMaxCachedRunLength;
  RunKey key{escapement, cacheable ? std::string(utf8) : std::string()};
  if (cacheable) {
    if (auto it = d.runs.find(key); it != d.runs.end()) {
      d.last_text = key.text;
      d.last_run = it->second;
      return it->second;
    }
  }
  const std::u32string text = base::DecodeUtf8(utf8);
  if (cacheable && text.size() <= kMaxCachedRunLength) {
    bool complete = false;
    auto image = d.Build(d.Layout(text), escapement, nullptr, complete);
    if (complete) {
      if (d.runs.size() >= kMaxCachedRuns || d.run_spans + image->spans.size() > kRunCacheSpans) {
        d.runs.clear();
        d.run_spans = 0;
      }
      d.run_spans += image->spans.size();
      d.last_text = key.text;
      d.last_run = image;
      d.runs.emplace(std::move(key), image);
      return image;
    }
  }
  bool complete = false;
  return d.Build(d.Layout(text), escapement, &visible, complete);
}

namespace {

struct FontKey {
  std::string face;
  int request;
  int layout_scale = 1;
  friend bool operator<(const FontKey& a, const FontKey& b) {
    if (a.layout_scale != b.layout_scale) return a.layout_scale < b.layout_scale;
    return a.request != b.request ? a.request < b.request : a.face < b.face;
  }
};

std::map<FontKey, std::shared_ptr<const Font>>& FontCache() {
  static std::map<FontKey, std::shared_ptr<const Font>> cache;
  return cache;
}

int Round26Dot6(FT_Long v) { return static_cast<int>((v + 32) >> 6); }

// Opens a candidate file at the requested size and takes its measures.
std::unique_ptr<Font::Impl> OpenFace(const FontFileRef& ref, int request) {
  FT_Face face = nullptr;
  if (FT_New_Face(Library(), ref.path.c_str(), ref.index, &face) != 0) return nullptr;
  auto impl = std::make_unique<Font::Impl>();
  impl->face = face;  // closed by the Impl from here on
  impl->family = ref.family.empty() && face->family_name != nullptr ? face->family_name : ref.family;
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return nullptr;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
    impl->symbol_map = FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) == 0;
  }

  // The Windows ascent and descent in font units; the horizontal header's,
  // then the bounding box's, when a font lacks them.
  std::int64_t ascent = 0;
  std::int64_t descent = 0;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) {
    ascent = os2->usWinAscent;
    descent = os2->usWinDescent;
  }
  if (ascent + descent <= 0) {
    ascent = face->ascender;
    descent = -face->descender;
  }
  if (ascent + descent <= 0) {
    ascent = face->bbox.yMax;
    descent = -face->bbox.yMin;
  }
  if (ascent + descent <= 0) {
    ascent = face->units_per_EM * 4 / 5;
    descent = face->units_per_EM - ascent;
  }

  const std::int64_t upem = face->units_per_EM;
  // A cell-height request asks for the em that gives that cell.
  const int em = request > 0
                     ? request
                     : static_cast<int>(std::max<std::int64_t>(1, base::MulDiv64(-request, upem, ascent + descent)));
  if (em > kMaxFontPixels) {
    throw FontError("A font of " + std::to_string(em) + " pixels is too large to draw");
  }
  if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(em), static_cast<FT_UInt>(em)) != 0) return nullptr;

  FontMetrics& m = impl->metrics;
  const FT_Fixed yScale = face->size->metrics.y_scale;
  const FT_Fixed xScale = face->size->metrics.x_scale;
  m.em_height = em;
  m.ascent = Round26Dot6(FT_MulFix(static_cast<FT_Long>(ascent), yScale));
  m.descent = Round26Dot6(FT_MulFix(static_cast<FT_Long>(descent), yScale));
  m.height = m.ascent + m.descent;
  m.internal_leading = m.height - em;
  if (os2 != nullptr && os2->version != 0xFFFF && os2->xAvgCharWidth > 0) {
    m.ave_char_width = Round26Dot6(FT_MulFix(os2->xAvgCharWidth, xScale));
  } else {
    m.ave_char_width = impl->GetGlyph(impl->GlyphIndex(U'x'), 0)->advance;
  }
  return impl;
}

std::string CleanFaceName(std::string_view face) { return base::SanitizeUtf8(face, kMaxFaceNameLength); }

}  // namespace

std::shared_ptr<const Font> GetFont(std::string_view face, int pointSize) {
  const int request = FontPixelRequest(pointSize);
  std::lock_guard lock(FontMutex());
  // The font asked for last, by the name exactly as given.
  static std::string lastFace;
  static int lastRequest = 0;
  static std::shared_ptr<const Font> lastFont;
  if (lastFont && lastRequest == request && lastFace == face) return lastFont;

  FontKey key{CleanFaceName(face), request};
  auto& cache = FontCache();
  if (auto it = cache.find(key); it != cache.end()) {
    lastFace = face;
    lastRequest = request;
    lastFont = it->second;
    return it->second;
  }

  std::unique_ptr<Font::Impl> impl;
  for (const auto& candidate : FontMatcher::Instance().Match(key.face)) {
    impl = OpenFace(candidate, request);
    if (impl) break;
  }
  if (!impl) throw FontError("No installed font can draw the face \"" + key.face + "\"");
  impl->request_face = key.face;
  impl->request = request;
  auto font = std::make_shared<const Font>(std::move(impl));
  if (cache.size() >= kMaxCachedFonts) cache.clear();
  cache.emplace(std::move(key), font);
  lastFace = face;
  lastRequest = request;
  lastFont = font;
  return font;
}

std::shared_ptr<const Font> GetFont(std::string_view face, int pointSize, int layoutScale) {
  if (layoutScale <= 1 || pointSize % layoutScale != 0) return GetFont(face, pointSize);
  const int request = FontPixelRequest(pointSize);
  std::shared_ptr<const Font> layout = GetFont(face, pointSize / layoutScale);
  std::lock_guard lock(FontMutex());
  FontKey key{CleanFaceName(face), request, layoutScale};
  auto& cache = FontCache();
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  std::unique_ptr<Font::Impl> impl;
  for (const auto& candidate : FontMatcher::Instance().Match(key.face)) {
    impl = OpenFace(candidate, request);
    if (impl) break;
  }
  if (!impl) throw FontError("No installed font can draw the face \"" + key.face + "\"");
  const FontMetrics& m = layout->Metrics();
  const int k = layoutScale;
  impl->metrics = {m.ascent * k,           m.descent * k,   m.height * k,
                   m.internal_leading * k, m.em_height * k, m.ave_char_width * k};
  impl->request_face = key.face;
  impl->request = request;
  impl->layout = std::move(layout);
  impl->layout_scale = k;
  auto font = std::make_shared<const Font>(std::move(impl));
  if (cache.size() >= kMaxCachedFonts) cache.clear();
  cache.emplace(std::move(key), font);
  return font;
}

std::string ResolvedFaceName(std::string_view face) {
  try {
    return GetFont(face, 0)->FamilyName();
  } catch (const FontError&) {
    return {};  // no usable font installed at all
  }
}

std::vector<std::string> InstalledFontFamilies() { return FontMatcher::Instance().Families(); }

}  // namespace vorbel::gdi

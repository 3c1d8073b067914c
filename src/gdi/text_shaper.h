#pragma once
// Lays out one line of text the way the script of each of its characters
// needs: the bidirectional algorithm orders right-to-left and left-to-right
// stretches, characters the chosen face lacks come from fallback faces, and
// every stretch of one direction, script and face is shaped (joining,
// ligatures, marks on their base, reordering).
//
// Which captions take this road: a caption is shaped only when one of its
// characters needs it (NeedsShaping). Everything else, plain Latin, Greek,
// Cyrillic and CJK text in a face that has its characters, keeps the classic
// layout: one glyph per character from the face's character map at its
// hinted advance, no kerning and no ligatures, so that its pixels never
// change.

#include <cstdint>
#include <string_view>
#include <vector>

struct hb_font_t;
struct FT_FaceRec_;

namespace vorbel::gdi {

// The faces a line may draw with, as the font layer provides them. Face 0 is
// the face asked for; fallback faces get numbers from 1 on.
class ShapingFaces {
 public:
  virtual ~ShapingFaces() = default;
  // True when `face` has a glyph of its own for c.
  virtual bool HasGlyph(int face, char32_t c) = 0;
  // The fallback face for a character that face 0 lacks, for text in
  // `language` (a BCP 47 tag, "" when unknown); 0 when no installed font has
  // it.
  virtual int FallbackFace(char32_t c, std::string_view language) = 0;
  // The face ready for shaping (upright, at its size).
  virtual hb_font_t* ShapingFont(int face) = 0;
  // The hinted advance of a glyph in whole pixels, as the classic layout takes it.
  virtual int ClassicAdvance(int face, unsigned glyph) = 0;
};

// One glyph of a laid-out line.
struct PlacedGlyph {
  int face = 0;
  unsigned glyph = 0;
  std::int64_t x = 0;  // the origin along the baseline, pixels from the line's start
  int y = 0;           // pixels below the baseline (negative: raised)
};

struct ShapedLine {
  std::vector<PlacedGlyph> glyphs;  // in visual order, left to right
  std::int64_t advance = 0;         // the width of the line in pixels
};

// True when text holds a character that the classic layout cannot draw right:
// a right-to-left character or a bidirectional control, a combining mark, a
// character of a script that needs shaping (Arabic, Hebrew, the Indic and
// South-East Asian scripts, Hangul and others), or one that face 0 lacks and
// a fallback face has. False for every caption when the shaping libraries,
// which are loaded on first need, are not installed.
bool NeedsShaping(std::u32string_view text, ShapingFaces& faces);

// A shaping font over a FreeType face (which it keeps open), its glyphs
// loaded with `loadFlags`; null when the shaping libraries are not installed.
hb_font_t* CreateShapingFont(FT_FaceRec_* face, int loadFlags);
void DestroyShapingFont(hb_font_t* font);

// The line laid out and shaped. Its direction is that of its first strong
// character (left to right when it has none), as a paragraph of its own.
// Malformed or unpaired controls are harmless; the work is linear in the
// length of the text. Callers take turns: it is not to be entered by two
// threads at once.
ShapedLine ShapeLine(std::u32string_view text, ShapingFaces& faces);

}  // namespace vorbel::gdi

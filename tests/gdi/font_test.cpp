#include "gdi/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <climits>
#include <cmath>

namespace vorbel::gdi {
namespace {

constexpr const char* kCaption = "E-Mail me";

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool Contains(const Rect& outer, const Rect& inner) {
  return inner.IsEmpty() || (inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
                             inner.bottom <= outer.bottom);
}

const Rect kEverywhere{-100000, -100000, 100000, 100000};

TEST(FontSize, PointsBecomePixelsAtNinetySixDotsPerInch) {
  EXPECT_EQ(FontPixelRequest(8), 11);   // 10.67 rounds up
  EXPECT_EQ(FontPixelRequest(9), 12);
  EXPECT_EQ(FontPixelRequest(12), 16);
  EXPECT_EQ(FontPixelRequest(1), 1);
  EXPECT_EQ(FontPixelRequest(48), 64);
  EXPECT_EQ(FontPixelRequest(0), 16);     // the default size
  EXPECT_EQ(FontPixelRequest(-12), -16);  // a cell height
  EXPECT_EQ(FontPixelRequest(3072), kMaxFontPixels);
}

TEST(FontSize, AbsurdSizesAreRefused) {
  for (int points : {3073, -3073, 100000, -100000, INT_MAX, INT_MIN}) {
    EXPECT_THROW(FontPixelRequest(points), FontError) << points;
    EXPECT_THROW(GetFont("MS San Serif", points), FontError) << points;
  }
  // A FontError is one of the program's errors, so callers can treat it like a conversion error.
  EXPECT_THROW(GetFont("Sans", 100000), base::Error);
}

TEST(FontMatch, MissingFacesResolveToAnInstalledFamily) {
  const auto families = InstalledFontFamilies();
  ASSERT_FALSE(families.empty());
  for (const char* face : {"MS San Serif", "No Such Face 12345", ""}) {
    const std::string resolved = ResolvedFaceName(face);
    EXPECT_FALSE(resolved.empty()) << face;
    const bool listed = std::any_of(families.begin(), families.end(),
                                    [&](const std::string& f) { return Lower(f) == Lower(resolved); });
    EXPECT_TRUE(listed) << face << " -> " << resolved;
    EXPECT_EQ(GetFont(face, 8)->FamilyName(), resolved);
  }
}

TEST(FontMatch, AnyFaceNameIsSafe) {
  const std::string names[] = {
      std::string(100000, 'A'),
      std::string("Sans\0Serif", 10),
      "\xFF\xFE\xC3",
      "Sans:weight=200,style=Bold",  // pattern syntax is taken literally
      "*",
      "\n\t\r",
  };
  for (const auto& name : names) {
    const auto font = GetFont(name, 10);
    EXPECT_FALSE(font->FamilyName().empty());
    EXPECT_GT(font->TextExtent(kCaption).cx, 0);
  }
  // Names that agree in their first 31 characters are the same font.
  EXPECT_EQ(GetFont(std::string(40, 'Q') + "a", 10), GetFont(std::string(40, 'Q') + "b", 10));
}

TEST(FontMatch, FamilyListIsSortedAndUniqueWithoutRegardToCase) {
  const auto families = InstalledFontFamilies();
  for (std::size_t i = 1; i < families.size(); ++i) {
    EXPECT_LT(Lower(families[i - 1]), Lower(families[i])) << families[i - 1] << " / " << families[i];
  }
  EXPECT_EQ(InstalledFontFamilies(), families);  // stable within a run
}

TEST(FontMetrics, CellIsAscentPlusDescent) {
  for (int points : {0, 1, 8, 12, 48, 200, -12}) {
    const auto font = GetFont("MS San Serif", points);
    const FontMetrics& m = font->Metrics();
    EXPECT_GT(m.ascent, 0) << points;
    EXPECT_GE(m.descent, 0) << points;
    EXPECT_EQ(m.height, m.ascent + m.descent) << points;
    EXPECT_EQ(m.internal_leading, m.height - m.em_height) << points;
    EXPECT_GT(m.ave_char_width, 0) << points;
    if (points > 0) {
      EXPECT_EQ(m.em_height, FontPixelRequest(points)) << points;
    }
  }
  // A negative size asks for the cell height rather than the em height.
  const FontMetrics& cell = GetFont("MS San Serif", -12)->Metrics();
  EXPECT_NEAR(cell.height, 16, 1);
  EXPECT_LT(cell.em_height, GetFont("MS San Serif", 12)->Metrics().em_height);
}

TEST(FontExtent, GrowsWithTheCaptionAndTheSize) {
  const auto small = GetFont("MS San Serif", 8);
  EXPECT_EQ(small->TextExtent(""), (Size{0, small->Metrics().height}));
  const int e = small->TextExtent("E").cx;
  const int eMail = small->TextExtent("E-Mail").cx;
  const int caption = small->TextExtent(kCaption).cx;
  EXPECT_GT(e, 0);
  EXPECT_GT(eMail, e);
  EXPECT_GT(caption, eMail);
  EXPECT_EQ(small->TextExtent("E-Mail").cx + small->TextExtent(" me").cx, caption);  // advances add up
  int previousWidth = 0;
  int previousHeight = 0;
  for (int points : {8, 12, 24, 48}) {
    const Size size = GetFont("MS San Serif", points)->TextExtent(kCaption);
    EXPECT_GT(size.cx, previousWidth) << points;
    EXPECT_GT(size.cy, previousHeight) << points;
    previousWidth = size.cx;
    previousHeight = size.cy;
  }
}

TEST(FontExtent, MalformedTextMeasuresAsReplacementCharacters) {
  const auto font = GetFont("MS San Serif", 12);
  const Size one = font->TextExtent("\xEF\xBF\xBD");
  EXPECT_EQ(font->TextExtent("\xFF"), one);
  EXPECT_EQ(font->TextExtent("\xE2\x82"), one);
  EXPECT_EQ(font->TextExtent("\xED\xA0\x80").cx, 3 * one.cx);
}

TEST(FontRender, UprightInkLiesInsideTheCellBox) {
  for (int points : {8, 12, 48}) {
    const auto font = GetFont("MS San Serif", points);
    const Size extent = font->TextExtent(kCaption);
    const auto image = font->RenderText(kCaption, 0, kEverywhere);
    ASSERT_FALSE(image->spans.empty()) << points;
    EXPECT_TRUE(Contains({0, 0, extent.cx, extent.cy}, image->ink_bounds)) << points;
    EXPECT_EQ(image->advance, extent.cx);
    EXPECT_EQ(image->cell_height, extent.cy);
    // The baseline is ascent pixels below the reference point: "E" sits on it.
    EXPECT_EQ(font->RenderText("E", 0, kEverywhere)->ink_bounds.bottom, font->Metrics().ascent) << points;
  }
}

TEST(FontRender, EscapementTurnsTheCaptionCounterClockwise) {
  const auto font = GetFont("MS San Serif", 12);
  const Size extent = font->TextExtent(kCaption);
  const Rect upright = font->RenderText(kCaption, 0, kEverywhere)->ink_bounds;
  const Rect up = font->RenderText(kCaption, 900, kEverywhere)->ink_bounds;
  const Rect left = font->RenderText(kCaption, 1800, kEverywhere)->ink_bounds;
  const Rect down = font->RenderText(kCaption, 2700, kEverywhere)->ink_bounds;
  // 0: to the right and below. 900: upwards from the reference pixel, the cell
  // to its right: the pixel (x + i, y + j) of the upright cell goes to (x + j, y - i).
  EXPECT_TRUE(Contains({0, 0, extent.cx, extent.cy}, upright));
  EXPECT_TRUE(Contains({0, 1 - extent.cx, extent.cy, 1}, up));
  EXPECT_LT(up.top, -extent.cx / 2);
  EXPECT_TRUE(Contains({1 - extent.cx, 1 - extent.cy, 1, 1}, left));
  EXPECT_TRUE(Contains({1 - extent.cy, 0, 1, extent.cx}, down));
  EXPECT_GT(down.bottom, extent.cx / 2);
  // A quarter turn keeps the run's length: hinted glyphs turn as a whole.
  EXPECT_EQ(up.Height(), upright.Width());
  EXPECT_EQ(up.Width(), upright.Height());
  // Escapements are taken modulo a full turn.
  EXPECT_EQ(font->RenderText(kCaption, 900 + 3600, kEverywhere)->ink_bounds, up);
  EXPECT_EQ(font->RenderText(kCaption, -2700, kEverywhere)->ink_bounds, up);
}

TEST(FontRender, OddAnglesStayInsideTheTurnedCell) {
  const auto font = GetFont("MS San Serif", 12);
  const Size extent = font->TextExtent(kCaption);
  for (int escapement : {10, 300, 450, 1350, 2250, 3150, 3599}) {
    const auto image = font->RenderText(kCaption, escapement, kEverywhere);
    ASSERT_FALSE(image->spans.empty()) << escapement;
    // Inside the circle around the reference point that holds the whole cell
    // (plus a pixel for rounding).
    const double radius = std::hypot(extent.cx, extent.cy) + 2;
    for (const auto& s : image->spans) {
      for (int x : {s.x0, s.x1 - 1}) EXPECT_LE(std::hypot(x, s.y), radius) << escapement;
    }
  }
}

TEST(FontRender, TheSameCaptionIsRasterisedOnce) {
  const auto font = GetFont("MS San Serif", 8);
  const auto first = font->RenderText(kCaption, 0, kEverywhere);
  EXPECT_EQ(font->RenderText(kCaption, 0, {0, 0, 1, 1}), first);
  EXPECT_NE(font->RenderText(kCaption, 900, kEverywhere), first);
  EXPECT_EQ(GetFont("MS San Serif", 8), font);
  EXPECT_NE(GetFont("MS San Serif", 9), font);
}

TEST(FontRender, MalformedTextDrawsReplacementGlyphs) {
  const auto font = GetFont("MS San Serif", 12);
  const auto replaced = font->RenderText("a\xEF\xBF\xBD" "b", 0, kEverywhere);
  EXPECT_EQ(font->RenderText("a\xFF" "b", 0, kEverywhere)->spans, replaced->spans);
  EXPECT_EQ(font->RenderText("a\xC3" "b", 0, kEverywhere)->spans, replaced->spans);
  // Control characters and NULs draw something defined and keep the run going.
  const auto controls = font->RenderText(std::string_view("a\0\n\tb", 5), 0, kEverywhere);
  EXPECT_GT(controls->advance, font->TextExtent("ab").cx - 1);
}

TEST(FontRender, HugeGlyphsAreRasterisedOnlyWhereTheyAreSeen) {
  const auto font = GetFont("MS San Serif", 3000);  // an em of 4000 pixels
  const int baseline = font->Metrics().ascent;
  // A band just above the baseline, across the foot of the "E".
  const Rect window{0, baseline - 30, 3000, baseline - 10};
  const auto start = std::chrono::steady_clock::now();
  const auto image = font->RenderText("EEEE", 0, window);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_FALSE(image->spans.empty());
  for (const auto& s : image->spans) {
    EXPECT_TRUE(window.Contains(s.x0, s.y) && s.x1 <= window.right) << s.y << " " << s.x0 << " " << s.x1;
  }
  EXPECT_LT(elapsed, std::chrono::seconds(2));
  EXPECT_EQ(image->advance, font->TextExtent("EEEE").cx);

  // Two windows over the same large glyph agree where they overlap, so the
  // clipped rasterisation puts the pixels where the whole glyph has them.
  const auto font2 = GetFont("MS San Serif", 400);
  const Rect big{-1000, -1000, 1000, 1000};
  const auto whole = font2->RenderText("E", 450, big);
  ASSERT_FALSE(whole->spans.empty());
  const Rect ink = whole->ink_bounds;
  const int cx = (ink.left + ink.right) / 2;
  const int cy = (ink.top + ink.bottom) / 2;
  const Rect small{cx - 45, cy - 15, cx + 45, cy + 15};
  const auto part = font2->RenderText("E", 450, small);
  std::vector<GlyphSpan> expected;
  for (const auto& s : whole->spans) {
    if (s.y < small.top || s.y >= small.bottom) continue;
    const int x0 = std::max(s.x0, small.left);
    const int x1 = std::min(s.x1, small.right);
    if (x0 < x1) expected.push_back({s.y, x0, x1});
  }
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(part->spans, expected);
}

TEST(FontRender, VeryLongCaptionsAreDrawnOnlyWhereSeen) {
  const auto font = GetFont("MS San Serif", 8);
  const std::string text(1 << 20, 'W');
  const auto image = font->RenderText(text, 0, {0, 0, 90, 30});
  EXPECT_GT(image->advance, 1 << 20);
  for (const auto& s : image->spans) EXPECT_LT(s.x0, 90 + font->Metrics().height);
  EXPECT_EQ(font->TextExtent(text).cx, image->advance);
}

// Exact measures of a known face, where it is installed: usWinAscent 1901 and
// usWinDescent 483 on an em of 2048 units.
TEST(FontMetrics, DejaVuSansTakesTheWindowsAscentAndDescent) {
  if (ResolvedFaceName("DejaVu Sans") != "DejaVu Sans") GTEST_SKIP() << "DejaVu Sans is not installed";
  const FontMetrics& m8 = GetFont("DejaVu Sans", 8)->Metrics();
  EXPECT_EQ(m8, (FontMetrics{10, 3, 13, 2, 11, m8.ave_char_width}));  // 10.21 and 2.60 rounded
  const FontMetrics& m12 = GetFont("DejaVu Sans", 12)->Metrics();
  EXPECT_EQ(m12, (FontMetrics{15, 4, 19, 3, 16, m12.ave_char_width}));  // 14.85 and 3.78
  const FontMetrics& m48 = GetFont("DejaVu Sans", 48)->Metrics();
  EXPECT_EQ(m48, (FontMetrics{59, 15, 74, 10, 64, m48.ave_char_width}));  // 59.4 and 15.1
}

}  // namespace
}  // namespace vorbel::gdi

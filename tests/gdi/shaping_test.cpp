// Captions in scripts other than Latin: joining, direction, marks and fallback
// fonts, seen in the pixels drawn. Expected pictures are composed from the
// same font's drawing of single letters or words, so the tests hold for
// whatever faces the machine has, as long as one covers each script.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gdi/canvas.h"
#include "gdi/font.h"

namespace vorbel::gdi {
namespace {

constexpr Pixel kPaper{0xFFFFFF};
constexpr Pixel kInk{0x000000};
constexpr int kPoints = 24;

// A caption, or several captions each at its own x, drawn in ink on paper.
Bitmap Draw(const std::vector<std::pair<std::string, int>>& pieces, int w = 400, int h = 60) {
  Bitmap b(w, h);
  b.Fill(kPaper);
  Canvas c(b);
  c.SetFontName("DejaVu Sans");
  c.SetFontSize(kPoints);
  c.SetFontColor(base::Color::FromRgb(0, 0, 0));
  c.SetBkMode(BkMode::Transparent);
  for (const auto& [text, x] : pieces) c.TextOut(x, 5, text);
  return b;
}

Bitmap Draw(const std::string& text) { return Draw({{text, 0}}); }

int Width(const std::string& text) {
  Bitmap b(1, 1);
  Canvas c(b);
  c.SetFontName("DejaVu Sans");
  c.SetFontSize(kPoints);
  return c.TextExtent(text).cx;
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
    }
  }
  return true;
}

Rect InkBox(const Bitmap& b) {
  Rect r{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.GetPixel(x, y) != kInk) continue;
      r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
    }
  }
  return r;
}

// The pieces of ink that touch (8-connected), each as its pixel count and its
// leftmost column, from left to right.
std::vector<std::pair<int, int>> Pieces(const Bitmap& b) {
  std::vector<int> seen(static_cast<std::size_t>(b.Width()) * b.Height(), 0);
  std::vector<std::pair<int, int>> pieces;  // (left, count)
  for (int x0 = 0; x0 < b.Width(); ++x0) {
    for (int y0 = 0; y0 < b.Height(); ++y0) {
      if (b.GetPixel(x0, y0) != kInk || seen[static_cast<std::size_t>(y0 * b.Width() + x0)]) continue;
      int count = 0;
      std::vector<std::pair<int, int>> stack{{x0, y0}};
      seen[static_cast<std::size_t>(y0 * b.Width() + x0)] = 1;
      while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        ++count;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (!b.Inside(nx, ny) || b.GetPixel(nx, ny) != kInk) continue;
            int& s = seen[static_cast<std::size_t>(ny * b.Width() + nx)];
            if (s == 0) {
              s = 1;
              stack.push_back({nx, ny});
            }
          }
        }
      }
      pieces.push_back({x0, count});
    }
  }
  return pieces;
}

TEST(ShapedText, ArabicLettersJoinIntoWordsReadFromTheRight) {
  // Seen, lam and alef join (lam and alef as their ligature); meem, after an
  // alef, stands alone: two pieces, the one with the first letter on the right.
  const Bitmap salam = Draw("\u0633\u0644\u0627\u0645");
  const auto pieces = Pieces(salam);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_GT(pieces[1].second, pieces[0].second);
  // The letters drawn one by one stand apart.
  EXPECT_EQ(Pieces(Draw({{"\u0633", 0}, {"\u0644", 100}, {"\u0627", 200}, {"\u0645", 300}})).size(), 4u);
}

// Right-to-left words run from the right; a left-to-right word keeps its
// place on the side its paragraph gives it, whichever comes first.
TEST(ShapedText, MixedDirectionsAreLaidOutByTheBidirectionalAlgorithm) {
  const std::string shin = "\u05E9", lamed = "\u05DC", vav = "\u05D5", mem = "\u05DD";
  const int w = Width(shin + lamed + vav + mem);
  const std::string souq = "\u0627\u0644\u0633\u0648\u0642";
  struct Case {
    std::string caption;
    std::vector<std::pair<std::string, int>> pieces;
  } cases[] = {
      {shin + lamed + vav + mem,
       {{shin, w - Width(shin)}, {lamed, w - Width(shin + lamed)}, {vav, w - Width(shin + lamed + vav)}, {mem, 0}}},
      {"Shop " + souq, {{"Shop ", 0}, {souq, Width("Shop ")}}},
      {souq + " Shop", {{"Shop", 0}, {souq, Width("Shop ")}}},
      {"\u202EAB\u202C", {{"B", 0}, {"A", Width("B")}}},  // an override
      {"\u202Bx\u202A", {{"x", 0}}},                      // unpaired embeddings draw nothing
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(SamePixels(Draw(c.caption), Draw(c.pieces))) << c.caption;
  }
}

TEST(ShapedText, CombiningMarksSitOnTheirBase) {
  // A font with the composed letter draws it.
  EXPECT_TRUE(SamePixels(Draw("e\u0301"), Draw("\u00E9")));
  EXPECT_EQ(Width("e\u0301"), Width("e"));
  // Without one the mark is placed over the base, within its advance.
  const Rect x = InkBox(Draw("x"));
  const Rect marked = InkBox(Draw("x\u0301"));
  EXPECT_LT(marked.top, x.top);
  EXPECT_GE(marked.left, 0);
  EXPECT_LE(marked.right, Width("x"));
  EXPECT_EQ(Width("x\u0301"), Width("x"));
}

TEST(ShapedText, CharactersTheFaceLacksComeFromAnInstalledFont) {
  const std::string chars[] = {"\u65E5", "\u672C", "\u8A9E"};
  const Bitmap missing = Draw("\U0010FFFD");  // private use: the face's own missing-glyph shape
  ASSERT_NE(InkBox(missing).right, -1);
  for (int i = 0; i < 3; ++i) {
    const Bitmap one = Draw(chars[i]);
    EXPECT_GT(InkBox(one).Width(), 10) << i;
    EXPECT_FALSE(SamePixels(one, missing)) << i;
    EXPECT_FALSE(SamePixels(one, Draw(chars[(i + 1) % 3]))) << i;
  }
  const std::string word = chars[0] + chars[1] + chars[2];
  EXPECT_TRUE(SamePixels(Draw(word),
                         Draw({{chars[0], 0}, {chars[1], Width(chars[0])}, {chars[2], Width(chars[0] + chars[1])}})));
  // Devanagari from its own font: the consonant cluster ksha is one glyph,
  // narrower than its three parts side by side.
  EXPECT_FALSE(SamePixels(Draw("\u0915"), missing));
  EXPECT_LT(Width("\u0915\u094D\u0937"), Width("\u0915") + Width("\u0937"));
}

// Scripts that need no shaping keep one glyph per character at its own
// advance: no kerning, no ligatures.
TEST(ShapedText, SimpleScriptsKeepTheirClassicLayout) {
  for (const std::string text : {"AVATAR fi ffl To", "\u0416\u0443\u043A \u03A9\u03BC\u03AD\u03B3\u03B1"}) {
    std::vector<std::pair<std::string, int>> pieces;
    std::string before;
    for (std::size_t i = 0; i < text.size();) {
      std::size_t n = 1;
      while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
      pieces.push_back({text.substr(i, n), Width(before)});
      before += text.substr(i, n);
      i += n;
    }
    EXPECT_TRUE(SamePixels(Draw(text), Draw(pieces))) << text;
  }
}

}  // namespace
}  // namespace vorbel::gdi

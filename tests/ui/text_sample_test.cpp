// The text editor's sample picture, drawn with the program's own fonts.

#include <gtest/gtest.h>

#include "gdi/system_colors.h"
#include "ui/text_sample.h"

namespace vorbel::ui {
namespace {

using namespace base::literals;

constexpr int kWidth = 329;
constexpr int kHeight = 44;

int CountPixels(const gdi::Bitmap& bitmap, gdi::Pixel pixel, const gdi::Rect& area) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += bitmap.GetPixel(x, y) == pixel ? 1 : 0;
  }
  return count;
}

TEST(RenderTextSample, DrawsTheCaptionFromFiveFiveOnWhite) {
  TextSampleSettings settings{"Hello", "Default", 12, base::Color::FromRgb(255, 0, 0)};
  const gdi::Bitmap sample = RenderTextSample(kWidth, kHeight, settings);
  ASSERT_EQ(sample.GetSize(), (gdi::Size{kWidth, kHeight}));
  const gdi::Pixel red{0xFF0000};
  EXPECT_GT(CountPixels(sample, red, sample.Bounds()), 20);
  // Nothing of the text above or left of its corner at (5, 5).
  EXPECT_EQ(CountPixels(sample, red, {0, 0, kWidth, 5}), 0);
  EXPECT_EQ(CountPixels(sample, red, {0, 0, 5, kHeight}), 0);
  // Only ground and text colours: the glyphs are not anti-aliased.
  const int ground = CountPixels(sample, gdi::kWhite, sample.Bounds());
  EXPECT_EQ(ground + CountPixels(sample, red, sample.Bounds()), kWidth * kHeight);
}

TEST(RenderTextSample, WhiteCaptionsGoOnTheButtonFace) {
  const gdi::Pixel face = gdi::ResolveColor(base::Color::System(0x0F));
  const gdi::Bitmap white = RenderTextSample(kWidth, kHeight, {"", "", 12, base::Color::FromRgb(255, 255, 255)});
  EXPECT_EQ(white.GetPixel(0, 0), face);
  EXPECT_EQ(white.GetPixel(kWidth - 1, kHeight - 1), face);
  // Near-white is not white: the ground stays white.
  const gdi::Bitmap nearWhite = RenderTextSample(kWidth, kHeight, {"", "", 12, base::Color::FromRgb(255, 255, 254)});
  EXPECT_EQ(nearWhite.GetPixel(0, 0), gdi::kWhite);
}

TEST(RenderTextSample, BlankCaptionShowsTheFontName) {
  const gdi::Pixel black = gdi::kBlack;
  const gdi::Bitmap named = RenderTextSample(kWidth, kHeight, {" \t ", "Default", 12, base::Color{}});
  const gdi::Bitmap typed = RenderTextSample(kWidth, kHeight, {"Default", "Default", 12, base::Color{}});
  EXPECT_GT(CountPixels(named, black, named.Bounds()), 20);
  EXPECT_EQ(named, typed);
  // No caption and no face: the ground only.
  const gdi::Bitmap empty = RenderTextSample(kWidth, kHeight, {"", "", 12, base::Color{}});
  EXPECT_EQ(CountPixels(empty, gdi::kWhite, empty.Bounds()), kWidth * kHeight);
}

TEST(RenderTextSample, SurvivesSizesNoFontCanHave) {
  for (const int size : {100000, -100000, 0, -1}) {
    const gdi::Bitmap sample = RenderTextSample(kWidth, kHeight, {"Big", "Default", size, base::Color{}});
    EXPECT_EQ(sample.GetPixel(0, 0), gdi::kWhite) << size;
  }
  EXPECT_TRUE(RenderTextSample(0, 0, {"x", "", 12, base::Color{}}).Empty());
}

}  // namespace
}  // namespace vorbel::ui

#include "gdi/bitmap.h"

#include <gtest/gtest.h>

#include "gdi/system_colors.h"

namespace vorbel::gdi {
namespace {

using namespace base::literals;

TEST(Bitmap, SizesOfZeroOrLessHaveNoPixels) {
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-3, 4}, {4, -1}, {0, 0}}) {
    Bitmap b(w, h);
    EXPECT_TRUE(b.Empty()) << w << "x" << h;
    EXPECT_EQ(0, b.Width());
    EXPECT_EQ(0, b.Height());
    b.SetPixel(0, 0, kWhite);  // ignored, no crash
    EXPECT_EQ(kBlack, b.GetPixel(0, 0));
  }
  Bitmap b(3, 2);
  b.Resize(-1, 7);
  EXPECT_TRUE(b.Empty());
  EXPECT_FALSE(SizeTooLarge(-5, 100'000));
}

TEST(Bitmap, ShrinkingGivesTheMemoryBack) {
  Bitmap b(2000, 2000);
  b.Resize(90, 30);
  EXPECT_LT(b.Pixels().capacity(), 2u * 90 * 30);
  b.Resize(100, 30);  // a small step keeps the buffer
  b.Resize(0, 0);
  EXPECT_EQ(b.Pixels().capacity(), 0u);
}

TEST(Bitmap, RefusesSurfacesBeyondTheLimits) {
  EXPECT_TRUE(SizeTooLarge(kMaxBitmapSide + 1, 1));
  EXPECT_TRUE(SizeTooLarge(1, kMaxBitmapSide + 1));
  EXPECT_TRUE(SizeTooLarge(20'000, 20'000));  // 400 million pixels
  EXPECT_FALSE(SizeTooLarge(kMaxBitmapSide, 1));
  EXPECT_THROW(Bitmap(40'000, 10), BitmapTooLarge);
  Bitmap b(4, 4);
  b.SetPixel(1, 1, 0x123456_px);
  EXPECT_THROW(b.Resize(kMaxBitmapSide + 1, 1), BitmapTooLarge);
  EXPECT_EQ(4, b.Width());  // unchanged after the refusal
  EXPECT_EQ(0x123456_px, b.GetPixel(1, 1));
  EXPECT_THROW(Bitmap(20'000, 20'000, std::vector<Pixel>{}), BitmapTooLarge);
}

TEST(Bitmap, PixelAccessStopsAtTheEdges) {
  Bitmap b(3, 2);
  b.Fill(0x00FF00_px);
  for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
    b.SetPixel(x, y, kWhite);
    EXPECT_EQ(kBlack, b.GetPixel(x, y)) << x << "," << y;
  }
  b.SetPixel(2, 1, 0xFF123456_px);  // the top byte never gets stored
  EXPECT_EQ(0x123456_px, b.GetPixel(2, 1));
  EXPECT_EQ(0x00FF00_px, b.Row(1)[1]);
}

TEST(Bitmap, AdoptsPixelsAndChecksTheirCount) {
  Bitmap b(2, 2, std::vector<Pixel>{1_px, 2_px, 3_px, 4_px});
  EXPECT_EQ(3_px, b.GetPixel(0, 1));
  EXPECT_THROW(Bitmap(2, 2, std::vector<Pixel>{1_px, 2_px, 3_px}), std::invalid_argument);
  EXPECT_TRUE(Bitmap(0, 9, std::vector<Pixel>{}).Empty());
}

TEST(Bitmap, CopyIsClippedToTheSurface) {
  Bitmap b(4, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) b.SetPixel(x, y, static_cast<Pixel>(10 * y + x));
  }
  const Bitmap inner = b.Copy({1, 1, 3, 3});
  ASSERT_EQ(2, inner.Width());
  ASSERT_EQ(2, inner.Height());
  EXPECT_EQ(11_px, inner.GetPixel(0, 0));
  EXPECT_EQ(22_px, inner.GetPixel(1, 1));
  const Bitmap clipped = b.Copy({-2, 2, 10, 9});
  ASSERT_EQ(4, clipped.Width());
  ASSERT_EQ(1, clipped.Height());
  EXPECT_EQ(23_px, clipped.GetPixel(3, 0));
  EXPECT_TRUE(b.Copy({5, 0, 9, 3}).Empty());
  EXPECT_EQ(b, b.Copy(b.Bounds()));
}

TEST(Bitmap, TwoColourSurfacesStoreOnlyBlackAndWhite) {
  Bitmap m(2, 1, true);
  m.SetPixel(0, 0, kWhite);
  m.SetPixel(1, 0, 0xFFFFFE_px);  // anything but white is black
  EXPECT_EQ(kWhite, m.GetPixel(0, 0));
  EXPECT_EQ(kBlack, m.GetPixel(1, 0));
  m.Fill(0x808080_px);
  EXPECT_EQ(kBlack, m.GetPixel(0, 0));
  Bitmap c(1, 1);
  c.SetPixel(0, 0, 0x808080_px);
  c.SetMono(true);
  EXPECT_EQ(kBlack, c.GetPixel(0, 0));
  EXPECT_TRUE(m.Copy(m.Bounds()).IsMono());
}

TEST(SystemColors, ResolveThroughTheStandardScheme) {
  const auto sys = [](int i) { return base::Color::System(i); };
  EXPECT_EQ(0xC0C0C0_px, ResolveColor(sys(15)));  // button face
  EXPECT_EQ(0x808080_px, ResolveColor(sys(16)));  // button shadow
  EXPECT_EQ(0xFFFFFF_px, ResolveColor(sys(20)));  // button highlight
  EXPECT_EQ(0x008080_px, ResolveColor(sys(1)));   // desktop
  EXPECT_EQ(0xDFDFDF_px, ResolveColor(sys(22)));  // 3D light
  EXPECT_EQ(0xFFFFE1_px, ResolveColor(sys(24)));  // tool-tip background
  EXPECT_EQ(kBlack, ResolveColor(sys(25)));     // beyond the table
  EXPECT_EQ(kBlack, ResolveColor(base::Color{-1}));  // "no colour" is index 255
}

TEST(SystemColors, OrdinaryColoursKeepTheirLow24Bits) {
  EXPECT_EQ(0x0000FF_px, ResolveColor(base::Color::FromRgb(0, 0, 255)));      // blue
  EXPECT_EQ(0x804020_px, ResolveColor(base::Color::FromRgb(0x80, 0x40, 0x20)));
  EXPECT_EQ(kWhite, ResolveColor(0x1FFFFFFF_color));            // "clNone"
  EXPECT_EQ(base::Color::FromRgb(1, 2, 3), base::Color::FromPixel(ResolveColor(base::Color::FromRgb(1, 2, 3))));
  EXPECT_EQ(base::Color::FromRgb(192, 192, 192), base::Color::FromPixel(ResolveColor(base::Color::System(0x0F))));
}

}  // namespace
}  // namespace vorbel::gdi

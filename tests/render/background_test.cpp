// The background drawer: shapes, 3D shading, flood fill, pictures and edges.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "codecs/image_writers.h"
#include "render/shapes3d.h"
#include "render_test_support.h"

namespace vorbel::render {
namespace {

// The pixels a 3D rectangle (0, 0, 88, 28) leaves on 90 x 30 with a one-pixel
// pen: face inside, highlight along the top and left, shadow along the bottom
// and right, six pixels untouched.
gdi::Pixel Rect3DPixel(int x, int y, gdi::Pixel face, gdi::Pixel under) {
  if ((x == 88 && y == 0) || (x == 89 && y <= 1) || (x == 0 && y >= 28) || (x == 1 && y == 29)) return under;
  if (y == 0 || x == 0) return kWhite;
  if (x == 89 || y == 29) return kGrey;
  return face;
}

TEST(BackgroundLayer, ThreeDRectangleHasItsRimsAndLeavesSixPixels) {
  document::ButtonDocument doc;
  SetSize(doc, 90, 30);
  Add(doc, "Background", "Color=clRed;Shape=None;Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int x, int y) { return Rect3DPixel(x, y, kRed, kTeal); }));
  // The layer leaves a solid brush and pen of the face colour.
  EXPECT_EQ(r.Canvas().GetBrushStyle(), gdi::BrushStyle::Solid);
  EXPECT_EQ(r.Canvas().BrushColor(), base::Color::FromRgb(255, 0, 0));
  EXPECT_EQ(r.Canvas().PenColor(), base::Color::FromRgb(255, 0, 0));
}

TEST(BackgroundLayer, EmptyPropertiesFillEverythingWithTheButtonFace) {
  document::ButtonDocument doc;
  SetSize(doc, 30, 10);
  Add(doc, "Background", "");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return gdi::Pixel{0xC0C0C0}; }));
}

TEST(BackgroundLayer, EllipseIsFilledAndItsCornersKeepTheWorkArea) {
  document::ButtonDocument doc;
  SetSize(doc, 90, 30);
  Add(doc, "Background", "Color=clRed;Shape=Ellipse;");
  ButtonRenderer r;
  r.RenderButton(doc);
  const gdi::Bitmap& s = r.Surface();
  for (auto [x, y] : {std::pair{0, 0}, {89, 0}, {0, 29}, {89, 29}, {33, 0}, {0, 12}}) {
    EXPECT_EQ(s.GetPixel(x, y), kTeal) << x << "," << y << "\n" << Grid(s);
  }
  for (auto [x, y] : {std::pair{45, 15}, {34, 0}, {0, 13}, {89, 16}, {2, 10}, {45, 29}}) {
    EXPECT_EQ(s.GetPixel(x, y), kRed) << x << "," << y << "\n" << Grid(s);
  }
  // Every row is one red run: outline and fill meet without gaps.
  for (int y = 0; y < 30; ++y) {
    int runs = 0;
    for (int x = 0; x < 90; ++x) runs += s.GetPixel(x, y) == kRed && (x == 0 || s.GetPixel(x - 1, y) != kRed);
    EXPECT_EQ(runs, 1) << "row " << y << "\n" << Grid(s);
  }
}

TEST(BackgroundLayer, ThreeDEllipseDrawsThreeEllipsesAndNoFill) {
  document::ButtonDocument doc;
  SetSize(doc, 90, 30);
  Add(doc, "Background", "Color=clRed;Shape=Ellipse;Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;");
  ButtonRenderer r;
  r.RenderButton(doc);

  // The same three ellipses drawn directly.
  gdi::Bitmap want(90, 30);
  want.Fill(kTeal);
  gdi::Canvas c(want);
  Draw3DEllipse(c, base::Color::FromRgb(255, 0, 0), base::Color::FromRgb(255, 255, 255),
                base::Color::FromRgb(128, 128, 128), 0, 0, 88, 28);
  EXPECT_EQ(r.Surface(), want) << Grid(r.Surface());
  EXPECT_EQ(r.Surface().GetPixel(45, 15), kRed);
  EXPECT_EQ(r.Surface().GetPixel(0, 0), kTeal);
}

TEST(BackgroundLayer, ThreeDShapesGiveThePixelsOfTheirThreeCopies) {
  // The copies under the face are filled only where they show around it;
  // every pixel and every painted mark must be what drawing the three copies
  // in full gives: shapes inside, across and beyond the surface, corners from
  // none to more than the box, thin and wide pens, every scale.
  struct Case {
    bool ellipse;
    int x1, y1, x2, y2, corner, pen, scale;
  };
  const Case cases[] = {
      {false, 0, 0, 118, 38, 10, 1, 1},    {false, 0, 0, 236, 76, 20, 2, 2},  {false, -30, 5, 90, 200, 40, 1, 1},
      {false, 10, 10, 60, 30, 2, 1, 1},    {false, 10, 10, 60, 30, 3, 4, 1},  {false, 5, 5, 50, 33, 500, 1, 1},
      {false, 100, -40, 20, 25, 12, 3, 3}, {false, 0, 0, 472, 152, 40, 4, 4}, {true, 0, 0, 118, 38, 0, 1, 1},
      {true, -20, -10, 140, 60, 0, 5, 1},  {true, 3, 3, 9, 30, 0, 1, 1},      {true, 0, 0, 354, 114, 0, 3, 3}};
  for (const Case& t : cases) {
    const auto surface = [] {
      gdi::Bitmap b(120, 40);
      b.KeepAlpha(true);
      b.Fill(kGrey);
      b.ClearAlpha();
      return b;
    };
    gdi::Bitmap drawn = surface(), expected = surface();
    gdi::Canvas c(drawn), r(expected);
    c.SetPenWidth(t.pen);
    r.SetPenWidth(t.pen);
    const base::Color face = base::Color::FromRgb(0, 128, 128), light = base::Color::FromRgb(0, 255, 255),
                      dark = base::Color::FromRgb(0, 0, 128);
    if (t.ellipse) {
      Draw3DEllipse(c, face, light, dark, t.x1, t.y1, t.x2, t.y2, t.scale);
    } else {
      Draw3DRoundRect(c, face, light, dark, t.x1, t.y1, t.x2, t.y2, t.corner, t.corner, t.scale);
    }
    for (const auto& [colour, d] : {std::pair{light, 0}, {dark, 2 * t.scale}, {face, t.scale}}) {
      r.SetBrushColor(colour);
      r.SetPenColor(colour);
      const gdi::Rect box = ScaledShapeBox({t.x1 + d, t.y1 + d, t.x2 + d, t.y2 + d}, t.pen, t.scale);
      if (t.ellipse) {
        r.Ellipse(box.left, box.top, box.right, box.bottom);
      } else {
        r.RoundRect(box.left, box.top, box.right, box.bottom, t.corner + d, t.corner + d);
      }
    }
    const std::string which = std::to_string(&t - cases);
    ASSERT_TRUE(drawn == expected) << "case " << which;
    for (int y = 0; y < drawn.Height(); ++y)
      ASSERT_TRUE(std::equal(drawn.AlphaRow(y), drawn.AlphaRow(y) + drawn.Width(), expected.AlphaRow(y)))
          << "case " << which << ", row " << y;
  }
}

TEST(BackgroundLayer, RoundRectCornerSizes) {
  auto render = [](const std::string& props) {
    document::ButtonDocument doc;
    SetSize(doc, 90, 30);
    Add(doc, "Background", props);
    ButtonRenderer r;
    r.RenderButton(doc);
    return r.Surface();
  };
  auto direct3D = [](int corner) {
    gdi::Bitmap b(90, 30);
    b.Fill(kTeal);
    gdi::Canvas c(b);
    Draw3DRoundRect(c, base::Color::FromRgb(255, 0, 0), base::Color::FromRgb(255, 255, 255),
                    base::Color::FromRgb(128, 128, 128), 0, 0, 88, 28, corner, corner);
    return b;
  };
  const std::string threeD = "Color=clRed;Shape=RoundRect;Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;";
  EXPECT_EQ(render(threeD + "Seed=10;"), direct3D(10));
  // A missing seed and a seed of blanks both mean 20.
  EXPECT_EQ(render(threeD), direct3D(20));
  EXPECT_EQ(render(threeD + "Seed= ;"), direct3D(20));
  // A seed that is not a number, or has a blank beside it, ends the layer
  // before anything is drawn.
  EXPECT_TRUE(PixelsAre(render(threeD + "Seed=abc;"), [](int, int) { return kTeal; }));
  EXPECT_TRUE(PixelsAre(render(threeD + "Seed=10 ;"), [](int, int) { return kTeal; }));
  // The shape value must equal ROUNDRECT as a whole once upper-cased.
  EXPECT_EQ(render("Color=clRed;Shape=roundrect;Seed=10;Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;"), direct3D(10));
}

TEST(BackgroundLayer, UnknownShapeWithThreeDDrawsNoShapeAndNoFill) {
  document::ButtonDocument doc;
  SetSize(doc, 20, 10);
  Add(doc, "Background", "Color=clRed;Shape=Rectangle;Draw3D=Yes;");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return kTeal; }));
}

TEST(BackgroundLayer, FloodFillIsSkippedWhenTheCentreHasTheFaceColour) {
  document::ButtonDocument doc;
  SetSize(doc, 20, 10);
  doc.SetWorkAreaColor(base::Color::FromRgb(255, 0, 0));  // "Red"
  doc.SetBorder(true);
  Add(doc, "Background", "Color=clRed;");
  ButtonRenderer r;
  r.RenderButton(doc);
  // The border (complement of red) survives: nothing was filled.
  EXPECT_EQ(r.Surface().GetPixel(0, 0), gdi::Pixel{0x00FFFF});
  EXPECT_EQ(r.Surface().GetPixel(10, 5), kRed);
}

TEST(BackgroundLayer, OutlinedTextLeavesAClearBrushSoALaterEllipseIsFilledByTheFloodFill) {
  document::ButtonDocument doc;
  SetSize(doc, 40, 20);
  Add(doc, "Text", "Text=;Outlined=Yes;");
  Add(doc, "Background", "Color=clRed;Shape=Ellipse;");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(20, 10), kRed);
  EXPECT_EQ(r.Surface().GetPixel(0, 0), kTeal);
}

TEST(BackgroundLayer, EdgeNeedsAColourAndCoversThePicture) {
  document::ButtonDocument doc;
  SetSize(doc, 20, 10);
  Add(doc, "Background", "Color=clRed;EdgeDraw=Yes;Edge=clBlack;");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(
      PixelsAre(r.Surface(), [](int x, int y) { return (x == 0 || y == 0 || x == 19 || y == 9) ? kBlack : kRed; }));
  // The layer leaves the pen in the edge colour.
  EXPECT_EQ(r.Canvas().PenColor(), base::Color::FromRgb(0, 0, 0));
}

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vorbel-render-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // A picture whose pixel (x, y) is f(x, y), written as a 24-bit BMP or a JPEG.
  template <typename F>
  std::string Write(const std::string& name, int w, int h, F f) {
    std::vector<gdi::Pixel> px(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px[static_cast<std::size_t>(y * w + x)] = gdi::Pixel(f(x, y));
    const codecs::PixelView view{px.data(), w, h, w};
    const std::string path = (dir_ / name).string();
    if (name.ends_with(".jpg"))
      codecs::WriteJpegFile(path, view);
    else
      codecs::WriteBmpFile(path, view);
    return path;
  }

  std::filesystem::path dir_;
};

TEST_F(PictureFiles, BackgroundPictureStretchedTransparentAndOneToOne) {
  // 4 x 2: magenta bottom-left (the transparent colour), white elsewhere,
  // with one red pixel at the top left.
  const std::string bmp = Write("p.bmp", 4, 2, [](int x, int y) {
    if (x == 0 && y == 0) return kRed;
    return y == 1 && x < 2 ? kMagenta : kWhite;
  });
  document::ButtonDocument doc;
  SetSize(doc, 8, 4);
  // Stretch and Transparent default to yes: the magenta half of the bottom row
  // shows the face colour.
  Add(doc, "Background", "Color=clGray;Image=" + bmp + ";");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int x, int y) {
    if (x < 2 && y < 2) return kRed;
    if (y >= 2 && x < 4) return kGrey;
    return kWhite;
  }));

  // Without stretching the picture is copied 1:1 and opaque; the rest keeps the face.
  doc.SetRow(0, document::LayerRow::Make("Background", "Color=clGray;Stretch=No;Image=" + bmp + ";"));
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int x, int y) {
    if (x >= 4 || y >= 2) return kGrey;
    if (x == 0 && y == 0) return kRed;
    return y == 1 && x < 2 ? kMagenta : kWhite;
  }));
}

TEST_F(PictureFiles, UnreadablePictureIsSkippedAndTheEdgeStillDrawn) {
  const std::string gif = (dir_ / "x.gif").string();
  {
    std::FILE* f = std::fopen(gif.c_str(), "wb");
    std::fputs("GIF89a not a bitmap", f);
    std::fclose(f);
  }
  document::ButtonDocument doc;
  SetSize(doc, 6, 4);
  Add(doc, "Background", "Color=clRed;EdgeDraw=Yes;Edge=clWhite;Image=" + gif + ";");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 0), kWhite);
  EXPECT_EQ(r.Surface().GetPixel(2, 2), kRed);
}

TEST_F(PictureFiles, ImageLayerAtItsOffsetsWithTransparencyForBitmapsOnly) {
  const std::string bmp = Write("i.bmp", 16, 16, [](int x, int y) { return (x + y) % 3 == 0 ? kMagenta : kRed; });
  document::ButtonDocument doc;
  SetSize(doc, 40, 30);
  Add(doc, "Image", "Image=" + bmp + ";", "10", "4");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int x, int y) {
    if (x < 10 || x > 25 || y < 4 || y > 19) return kTeal;
    return (x - 10 + y - 4) % 3 == 0 ? kMagenta : kRed;
  }));

  // Transparent: the bottom-left colour (magenta) is left out.
  doc.SetRow(0, document::LayerRow::Make("Image", "Transparent=Yes;Image=" + bmp + ";", "10", "4"));
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int x, int y) {
    if (x < 10 || x > 25 || y < 4 || y > 19) return kTeal;
    return (x - 10 + y - 4) % 3 == 0 ? kTeal : kRed;
  }));

  // Offsets that are not numbers count as 0; a negative one clips.
  doc.SetRow(0, document::LayerRow::Make("Image", "Image=" + bmp + ";", "abc", "-8"));
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 0), (0 + 8) % 3 == 0 ? kMagenta : kRed);
  EXPECT_EQ(r.Surface().GetPixel(15, 7), (15 + 15) % 3 == 0 ? kMagenta : kRed);
  EXPECT_EQ(r.Surface().GetPixel(16, 0), kTeal);
  EXPECT_EQ(r.Surface().GetPixel(0, 8), kTeal);
}

TEST_F(PictureFiles, JpegIsAlwaysOpaque) {
  const std::string jpg = Write("j.jpg", 16, 16, [](int, int) { return kWhite; });
  document::ButtonDocument doc;
  SetSize(doc, 16, 16);
  Add(doc, "Image", "Transparent=Yes;Image=" + jpg + ";");
  ButtonRenderer r;
  r.RenderButton(doc);
  // Every pixel comes from the picture (near white; JPEG is lossy).
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_GE(r.Surface().GetPixel(x, y).Blue(), 0xF0u) << x << "," << y;
}

TEST_F(PictureFiles, MissingOrDamagedPictureDrawsNothingAndLaterRowsDraw) {
  document::ButtonDocument doc;
  SetSize(doc, 8, 8);
  Add(doc, "Image", "Image=" + (dir_ / "none.bmp").string() + ";");
  Add(doc, "Image", "Image=" + dir_.string() + ";");  // a folder
  const std::string bad = Write("bad.bmp", 4, 4, [](int, int) { return kRed; });
  std::filesystem::resize_file(bad, 40);
  Add(doc, "Image", "Image=" + bad + ";");
  Add(doc, "Background", "Color=clWhite;Shape=Ellipse;Draw3D=Yes;");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_NE(r.Surface().GetPixel(4, 4), kTeal);
}

// Relative paths are looked up beside the layout first, then in the working
// folder (here the test's, which holds none of these names).
TEST_F(PictureFiles, RelativePathsAreLookedUpBesideTheLayoutFirst) {
  std::filesystem::create_directories(dir_ / "layouts" / "~");
  Write("up.bmp", 2, 2, [](int, int) { return kRed; });
  Write("layouts/~/home.bmp", 2, 2, [](int, int) { return kWhite; });
  document::ButtonDocument doc;
  SetSize(doc, 2, 2);
  Add(doc, "Image", "Image=../up.bmp;");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 0), kTeal);  // untitled: the working folder only

  doc.SetLayoutFolder((dir_ / "layouts").string());
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 0), kRed);
  doc.SetRow(0, document::LayerRow::Make("Background", "Transparent=No;Image=~/home.bmp;"));
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(1, 1), kWhite);
  doc.SetRow(0, document::LayerRow::Make("Image", "Image=" + (dir_ / "up.bmp").string() + ";"));
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 0), kRed);
}

}  // namespace
}  // namespace vorbel::render

// The alpha a pass gives its picture: the transparency rule, pictures' left-out
// colour, and smooth edges.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <vector>

#include "codecs/image_writers.h"
#include "render/button_renderer.h"
#include "render_test_support.h"
#include "support/test_support.h"

namespace vorbel::render {
namespace {

using base::literals::operator""_color;

int CountAlpha(const gdi::Bitmap& b, int value) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.Alpha(x, y) == value;
  return n;
}

// The box of the pixels that are not fully transparent.
gdi::Rect InkBox(const gdi::Bitmap& b) {
  gdi::Rect box{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Alpha(x, y) != 0)
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  return box;
}

std::set<int> PartialLevels(const gdi::Bitmap& b) {
  std::set<int> levels;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Alpha(x, y) != 0 && b.Alpha(x, y) != 255) levels.insert(b.Alpha(x, y));
  return levels;
}

// A caption in the work-area colour: the old rule loses it, the new one keeps
// it; one in another colour is kept by both, and nothing else is opaque.
TEST(Transparency, TheRuleDecidesWhetherPaintedWorkAreaPixelsStay) {
  struct Case {
    document::Transparency rule;
    const char* colour;
    bool captionOpaque;
    bool counted;  // reported as painted in the work-area colour
  };
  const Case cases[] = {
      {document::Transparency::Unpainted, "clWhite", true, false},
      {document::Transparency::WorkAreaColor, "clWhite", false, true},
      {document::Transparency::Unpainted, "clBlack", true, false},
      {document::Transparency::WorkAreaColor, "clBlack", true, false},
  };
  for (const Case& c : cases) {
    document::ButtonDocument doc;
    SetSize(doc, 60, 24);
    doc.SetWorkAreaColor(0x00FFFFFF_color);
    doc.SetTransparencyRule(c.rule);
    Add(doc, "Text", std::string("Text=Hi;FontFace=DejaVu Sans;FontSize=12;Color=") + c.colour + ";");
    ButtonRenderer renderer;
    ASSERT_EQ(renderer.RenderButton(doc), RenderResult::Drawn);
    // The same caption in black, for its glyph pixels.
    document::ButtonDocument black;
    SetSize(black, 60, 24);
    Add(black, "Text", "Text=Hi;FontFace=DejaVu Sans;FontSize=12;Color=clBlack;");
    ButtonRenderer reference;
    reference.RenderButton(black);
    int glyphs = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 60; ++x) {
        const bool glyph = reference.Surface().GetPixel(x, y) == kBlack;
        glyphs += glyph;
        EXPECT_EQ(renderer.Surface().Alpha(x, y), glyph && c.captionOpaque ? 255 : 0)
            << c.colour << " at " << x << "," << y;
      }
    }
    ASSERT_GT(glyphs, 20);
    EXPECT_EQ(renderer.PaintedWorkAreaPixels(), c.counted ? glyphs : 0) << c.colour;
  }
}

// A picture drawn with its transparent colour left out paints only its other
// pixels: the work area stays transparent through the holes.
TEST(Transparency, APicturesLeftOutColourStaysTransparent) {
  test::ScratchDir dir;
  std::vector<base::Pixel> px(16, kMagenta);  // bottom-left magenta: the left-out colour
  px[5] = kRed;
  px[6] = kWhite;
  codecs::WriteBmpFile(dir.File("p.bmp"), codecs::PixelView{px.data(), 4, 4, 4});
  for (const char* transparent : {"Yes", "No"}) {
    document::ButtonDocument doc;
    SetSize(doc, 10, 8);
    doc.SetTransparencyRule(document::Transparency::Unpainted);
    Add(doc, "Image", "Image=" + dir.File("p.bmp") + ";Transparent=" + transparent + ";", "2", "3");
    ButtonRenderer renderer;
    renderer.RenderButton(doc);
    int opaque = 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x) opaque += renderer.Surface().Alpha(x, y) == 255;
    EXPECT_EQ(opaque, std::string(transparent) == "Yes" ? 2 : 16) << transparent;
    EXPECT_EQ(renderer.Surface().Alpha(3, 4), 255);
    EXPECT_EQ(renderer.Surface().Alpha(2, 3), std::string(transparent) == "Yes" ? 0 : 255);
  }
}

// A smooth ellipse: its edge has many levels of alpha, and its alpha adds up
// to the area of the true ellipse; the middle is the face colour, opaque.
TEST(SmoothEdges, AnEllipsesAlphaIsItsArea) {
  for (const auto& [w, h] : {std::pair{200, 100}, std::pair{90, 30}, std::pair{31, 57}}) {
    document::ButtonDocument doc;
    SetSize(doc, w, h);
    doc.SetTransparencyRule(document::Transparency::Unpainted);
    doc.SetSmooth(true);
    Add(doc, "Background", "Color=clRed;Shape=Ellipse;");
    ButtonRenderer renderer;
    ASSERT_EQ(renderer.RenderButton(doc), RenderResult::Drawn);
    const gdi::Bitmap& picture = renderer.Surface();
    ASSERT_EQ(picture.GetSize(), (gdi::Size{w, h}));
    double sum = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) sum += picture.Alpha(x, y) / 255.0;
    const double area = std::numbers::pi * w * h / 4;
    EXPECT_NEAR(sum, area, area * 0.01) << w << " x " << h;
    EXPECT_GE(PartialLevels(picture).size(), 8u) << w << " x " << h;
    EXPECT_EQ(picture.GetPixel(w / 2, h / 2), kRed);
    EXPECT_EQ(picture.Alpha(w / 2, h / 2), 255);
    EXPECT_EQ(picture.Alpha(0, 0), 0);
  }
}

// A smooth caption has levels of alpha between its glyphs' pixels and the
// page, and covers the box the aliased one covers, within a pixel.
TEST(SmoothEdges, ACaptionKeepsItsInkBoxAndGetsGreyLevels) {
  for (const char* props : {"Text=Hello World;FontFace=DejaVu Sans;FontSize=12;Color=clBlack;",
                            "Text=Smooth;FontFace=DejaVu Serif;FontSize=20;Color=clNavy;Angle=30;"}) {
    ButtonRenderer renderer;
    gdi::Rect boxes[2];
    for (const bool smooth : {false, true}) {
      document::ButtonDocument doc;
      SetSize(doc, 140, 60);
      doc.SetTransparencyRule(document::Transparency::Unpainted);
      doc.SetSmooth(smooth);
      Add(doc, "Text", props, "4", "12");
      ASSERT_EQ(renderer.RenderButton(doc), RenderResult::Drawn);
      boxes[smooth] = InkBox(renderer.Surface());
      if (smooth) {
        EXPECT_GE(PartialLevels(renderer.Surface()).size(), 8u) << props;
      } else {
        EXPECT_TRUE(PartialLevels(renderer.Surface()).empty()) << props;
      }
    }
    EXPECT_NEAR(boxes[1].left, boxes[0].left, 1) << props;
    EXPECT_NEAR(boxes[1].top, boxes[0].top, 1) << props;
    EXPECT_NEAR(boxes[1].right, boxes[0].right, 1) << props;
    EXPECT_NEAR(boxes[1].bottom, boxes[0].bottom, 1) << props;
  }
}

// Smooth edges blend colours inside the button and leave areas of one
// colour, and pictures, exactly as they are; with the old rule the work-area
// colour still decides.
TEST(SmoothEdges, FlatAreasKeepTheirColoursAndTheOldRuleStillHolds) {
  document::ButtonDocument doc;
  SetSize(doc, 90, 30);
  doc.SetSmooth(true);
  Add(doc, "Background", "Color=clSilver;Shape=RoundRect;Seed=12;Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;");
  Add(doc, "Bevel", "Highlight=clWhite;Shadow=clGray;Pen=1;");
  ButtonRenderer renderer;
  ASSERT_EQ(renderer.RenderButton(doc), RenderResult::Drawn);
  const gdi::Bitmap& picture = renderer.Surface();
  EXPECT_EQ(picture.GetPixel(45, 15), gdi::Pixel(0xC0C0C0));
  // The bevel's straight lines lie on whole pixels: no partial alpha there.
  EXPECT_EQ(picture.GetPixel(40, 0), kWhite);
  EXPECT_EQ(picture.Alpha(40, 0), 255);
  // The corner pixels the bevel leaves out show the work area: transparent.
  EXPECT_EQ(picture.Alpha(0, 0), 0);
  EXPECT_EQ(picture.Alpha(45, 29), 255);
  EXPECT_GT(CountAlpha(picture, 255), 80 * 26);
}

}  // namespace
}  // namespace vorbel::render

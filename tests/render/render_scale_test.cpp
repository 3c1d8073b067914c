// Passes at 2x and 3x: the document's numbers multiplied, the drawers' own
// measures multiplied, pictures from their "@2x" files or enlarged.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "codecs/image_writers.h"
#include "render/render_scale.h"
#include "render_test_support.h"
#include "support/test_support.h"

namespace vorbel::render {
namespace {

// The 1x picture with every pixel made a k x k block.
gdi::Bitmap Enlarged(const gdi::Bitmap& small, int k) {
  gdi::Bitmap big(small.Width() * k, small.Height() * k);
  for (int y = 0; y < big.Height(); ++y) {
    for (int x = 0; x < big.Width(); ++x) big.SetPixel(x, y, small.GetPixel(x / k, y / k));
  }
  return big;
}

gdi::Bitmap Draw(const document::ButtonDocument& doc, int scale) {
  document::ButtonDocument scaled;
  ScaleDocument(doc, scale, scaled);
  ButtonRenderer r;
  EXPECT_EQ(r.RenderButton(scaled, scale), RenderResult::Drawn);
  return r.Surface();
}

TEST(RenderScale, RowsHaveTheirNumbersMultipliedAndWhatDoesNotConvertKept) {
  const auto props = [](const document::LayerRow& row) { return row.Properties(); };
  EXPECT_EQ(props(ScaleRow(document::LayerRow::Make("Bevel", "Highlight=clWhite;Pen=1;"), 3)),
            "Highlight=clWhite;Pen=3;");
  // Pens 0 and 1 are both one pixel; a missing one is the default 2.
  EXPECT_EQ(props(ScaleRow(document::LayerRow::Make("Bevel", "Pen=0;"), 2)), "Pen=2;");
  EXPECT_EQ(props(ScaleRow(document::LayerRow::Make("Bevel", ""), 2)), "Pen=4;");
  EXPECT_EQ(props(ScaleRow(document::LayerRow::Make("Bevel", "Pen=x;"), 2)), "Pen=x;");
  // The default corner of 20, for blanks too.
  EXPECT_EQ(props(ScaleRow(document::LayerRow::Make("Background", "Shape=RoundRect;Seed= ;"), 2)),
            "Shape=RoundRect;Seed=40;");
  const document::LayerRow text =
      ScaleRow(document::LayerRow::Make("Text", "Text=Hi;FontSize=0;ShadowOffset=$3;", "7", "junk"), 2);
  EXPECT_EQ(text.Properties(), "Text=Hi;FontSize=24;ShadowOffset=6;");
  EXPECT_EQ(text.Left(), "14");
  EXPECT_EQ(text.Top(), "0");
  EXPECT_EQ(ScaledNumber(2'000'000'000, 3), 2'147'483'647);
  EXPECT_EQ(ScaledPictureName("pics.d/glass.bmp", 2), "pics.d/glass@2x.bmp");
  EXPECT_EQ(ScaledPictureName("pics.d/glass", 3), "pics.d/glass@3x");
}

// Rectangles, bevels and 3D rims drawn with a one-pixel pen at scale 1 are
// drawn at 2x and 3x as blocks of the scale's size: nothing thinner, nothing
// moved.
TEST(RenderScale, StraightShapesAreTheirScaleOnePictureEnlarged) {
  document::ButtonDocument doc;
  SetSize(doc, 24, 12);
  doc.SetBorder(true);
  Add(doc, "Background", "Color=clRed;Shape=None;Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;");
  Add(doc, "Bevel", "Highlight=clWhite;Shadow=clBlack;Pen=1;");
  Add(doc, "Background", "Color=clRed;Shape=Rectangle;EdgeDraw=Yes;Edge=clBlack;");
  const gdi::Bitmap one = Draw(doc, 1);
  for (int k : {2, 3}) {
    const gdi::Bitmap big = Enlarged(one, k);
    EXPECT_TRUE(PixelsAre(Draw(doc, k), [&](int x, int y) { return big.GetPixel(x, y); })) << "scale " << k;
  }
}

// An even pen is centred between pixels, so at twice the scale it lands
// where the same layout with every number doubled puts it at scale 1.
TEST(RenderScale, PenTwoRectangleAtTwiceIsTheLayoutWithEveryNumberDoubled) {
  const auto layout = [](int factor, const std::string& pen) {
    auto doc = std::make_unique<document::ButtonDocument>();
    SetSize(*doc, 20 * factor, 10 * factor);
    // The bevel only sets the pen: the background's fill covers it.
    Add(*doc, "Bevel", "Pen=" + pen + ";");
    Add(*doc, "Background", "Color=clRed;Shape=None;EdgeDraw=Yes;Edge=clBlack;");
    return doc;
  };
  const gdi::Bitmap twice = Draw(*layout(1, "2"), 2);
  ButtonRenderer r;
  r.RenderButton(*layout(2, "4"));
  EXPECT_TRUE(PixelsAre(twice, [&](int x, int y) { return r.Surface().GetPixel(x, y); }));
}

TEST(RenderScale, PicturesComeFromTheirScaleFileOrAreEnlarged) {
  test::ScratchDir dir;
  const test::TestImage small(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF});
  test::WriteBytes(dir.File("dot.bmp"), codecs::EncodeBmp(small.View()));
  document::ButtonDocument doc;
  SetSize(doc, 8, 8);
  doc.SetLayoutFolder(dir.path().string());
  // The bottom-left blue is the transparent colour: left out, enlarged too.
  Add(doc, "Image", "Image=dot.bmp;Transparent=Yes;", "1", "2");
  EXPECT_TRUE(PixelsAre(Draw(doc, 3), [](int x, int y) {
    if (x < 3 || y < 6 || x >= 9 || y >= 12) return kTeal;
    const int i = (y - 6) / 3 * 2 + (x - 3) / 3;
    return i == 2 ? kTeal : gdi::Pixel{std::array<std::uint32_t, 4>{0xFF0000, 0x00FF00, 0, 0xFF00FF}[i]};
  }));

  std::vector<std::uint32_t> sharpPixels(16, 0x123456);
  sharpPixels[12] = 0x654321;  // bottom left: left out
  const test::TestImage sharp(4, 4, sharpPixels);
  test::WriteBytes(dir.File("dot@2x.bmp"), codecs::EncodeBmp(sharp.View()));
  EXPECT_TRUE(PixelsAre(Draw(doc, 2), [](int x, int y) {
    return x >= 2 && y >= 4 && x < 6 && y < 8 && !(x == 2 && y == 7) ? gdi::Pixel{0x123456} : kTeal;
  }));
}

}  // namespace
}  // namespace vorbel::render

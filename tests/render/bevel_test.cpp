// The bevel drawer: two lines deep along each edge, pen width kept afterwards.

#include <gtest/gtest.h>

#include "render_test_support.h"

namespace vorbel::render {
namespace {

TEST(BevelLayer, PenOnePixels) {
  document::ButtonDocument doc;
  SetSize(doc, 90, 30);
  Add(doc, "Bevel", "Highlight=clWhite;Shadow=clGray;Pen=1;");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int x, int y) {
    // Highlight: outer left column y 1..28, outer top row x 1..88, inner left
    // column y 2..27, inner top row x 1..87.
    if ((x == 0 && y >= 1 && y <= 28) || (y == 0 && x >= 1 && x <= 88) || (x == 1 && y >= 2 && y <= 27) ||
        (y == 1 && x >= 1 && x <= 87))
      return kWhite;
    // Shadow: inner bottom row x 2..87, inner right column y 2..28, outer
    // bottom row x 2..88, outer right column y 2..28.
    if ((y == 28 && x >= 2 && x <= 87) || (x == 88 && y >= 2 && y <= 28) || (y == 29 && x >= 2 && x <= 88) ||
        (x == 89 && y >= 2 && y <= 28))
      return kGrey;
    return kTeal;
  }));
  EXPECT_EQ(r.Canvas().BrushColor(), base::Color::FromRgb(255, 255, 255));
}

TEST(BevelLayer, PenThreeIsCentredOnTheLines) {
  document::ButtonDocument doc;
  SetSize(doc, 90, 30);
  Add(doc, "Bevel", "Highlight=clWhite;Shadow=clGray;Pen=3;");
  ButtonRenderer r;
  r.RenderButton(doc);
  // The wide-pen picture of the same lines under the classic graphics interface.
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int x, int y) {
    const bool white = (y == 0 && x <= 87) || (y >= 1 && y <= 2 && x <= 86) || (y >= 3 && y <= 26 && x <= 2) ||
                       (y == 27 && x <= 1) || (y >= 28 && x == 0);
    if (white) return kWhite;
    const bool grey = (y == 0 && x >= 88) || (y >= 1 && y <= 26 && x >= 87) || (y == 27 && x >= 2) ||
                      (y >= 28 && x >= 1);
    return grey ? kGrey : kTeal;
  }));
}

TEST(BevelLayer, DefaultsAndFailures) {
  document::ButtonDocument doc;
  SetSize(doc, 20, 10);
  Add(doc, "Bevel", "");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_EQ(r.Canvas().PenWidth(), 2);
  EXPECT_EQ(r.Surface().GetPixel(0, 4), kWhite);   // button highlight
  EXPECT_EQ(r.Surface().GetPixel(19, 4), kGrey);   // button shadow

  // A pen that is not a number: nothing drawn, the width stays as the pass
  // began it.
  doc.SetRow(0, document::LayerRow::Make("Bevel", "Pen=abc;Highlight=clRed;"));
  r.RenderButton(doc);
  EXPECT_EQ(r.Canvas().PenWidth(), 1);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return kTeal; }));

  // Absurd widths and sizes draw without trouble.
  doc.SetRow(0, document::LayerRow::Make("Bevel", "Pen=2147483647;Highlight=clRed;Shadow=clRed;"));
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return kRed; }));
  doc.SetRow(0, document::LayerRow::Make("Bevel", "Pen=-2147483648;Highlight=clRed;Shadow=clRed;"));
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 4), kRed);
}

}  // namespace
}  // namespace vorbel::render

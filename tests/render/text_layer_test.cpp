// The text drawer and text placement. Expected pictures are drawn directly on a
// canvas with the same font, so the tests hold for whatever face the machine
// resolves the names to.

#include <gtest/gtest.h>

#include <set>

#include "base/mul_div.h"
#include "document/conversion_error.h"
#include "render_test_support.h"

namespace vorbel::render {
namespace {

constexpr const char* kFace = "DejaVu Sans";

// A teal W x H surface with `draw` applied through a fresh canvas in the face
// and size the text layers below use, transparent background.
template <typename Draw>
gdi::Bitmap Direct(int w, int h, int size, Draw draw) {
  gdi::Bitmap b(w, h);
  b.Fill(kTeal);
  gdi::Canvas c(b);
  c.SetFontName(kFace);
  c.SetFontSize(size);
  c.SetBkMode(gdi::BkMode::Transparent);
  draw(c);
  return b;
}

gdi::Bitmap Render(document::ButtonDocument& doc) {
  ButtonRenderer r;
  r.RenderButton(doc);
  return r.Surface();
}

std::string Props(const std::string& more) {
  return std::string("FontFace=") + kFace + ";FontSize=12;Text=E-Mail me;" + more;
}

TEST(TextLayer, CaptionAtFivePixelsPlusTheOffsets) {
  document::ButtonDocument doc;
  SetSize(doc, 120, 40);
  Add(doc, "Text", Props("Color=clRed;"), "4", "-2");
  const gdi::Bitmap got = Render(doc);
  const gdi::Bitmap want = Direct(120, 40, 12, [](gdi::Canvas& c) {
    c.SetFontColor(base::Color::FromRgb(255, 0, 0));
    c.TextOut(9, 3, "E-Mail me");
  });
  EXPECT_EQ(got, want) << Grid(got);
  EXPECT_NE(got, Direct(120, 40, 12, [](gdi::Canvas&) {}));  // something was drawn

  // Offsets that are empty or not numbers count as 0.
  doc.SetRowSubItems(0, Props("Color=clRed;"), "", "x");
  EXPECT_EQ(Render(doc), Direct(120, 40, 12, [](gdi::Canvas& c) {
              c.SetFontColor(base::Color::FromRgb(255, 0, 0));
              c.TextOut(5, 5, "E-Mail me");
            }));
}

TEST(TextLayer, ShadowThenOutlineThenCaption) {
  document::ButtonDocument doc;
  SetSize(doc, 120, 40);
  Add(doc, "Text", Props("Color=clRed;Shadowed=Yes;ShadowOffset=3;Outlined=Yes;OutlineColor=clWhite;"), "4",
      "4");
  const gdi::Bitmap got = Render(doc);
  const gdi::Bitmap want = Direct(120, 40, 12, [](gdi::Canvas& c) {
    c.SetFontColor(base::Color::FromRgb(128, 128, 128));  // the button shadow colour by default
    c.TextOut(12, 12, "E-Mail me");
    c.SetFontColor(base::Color::FromRgb(255, 255, 255));
    c.TextOut(10, 10, "E-Mail me");
    c.TextOut(8, 10, "E-Mail me");
    c.TextOut(8, 8, "E-Mail me");
    c.TextOut(10, 8, "E-Mail me");
    c.SetFontColor(base::Color::FromRgb(255, 0, 0));
    c.TextOut(9, 9, "E-Mail me");
  });
  EXPECT_EQ(got, want) << Grid(got);
}

TEST(TextLayer, AFontSizeThatIsNoNumberDrawsNothingButLaterRowsDraw) {
  document::ButtonDocument doc;
  SetSize(doc, 60, 20);
  Add(doc, "Text", "FontSize=big;Text=Hello;Color=clRed;Shadowed=Yes;");
  Add(doc, "Bevel", "Pen=1;Highlight=clWhite;Shadow=clGray;");
  const gdi::Bitmap got = Render(doc);
  for (int y = 2; y < 18; ++y)
    for (int x = 2; x < 58; ++x) ASSERT_EQ(got.GetPixel(x, y), kTeal) << x << "," << y;
  EXPECT_EQ(got.GetPixel(0, 5), kWhite);
}

TEST(TextLayer, AnglesUpToZeroAreHorizontalAndPositiveOnesRotate) {
  auto render = [](const std::string& angle) {
    document::ButtonDocument doc;
    SetSize(doc, 120, 120);
    Add(doc, "Text", Props("Color=clRed;Angle=" + angle + ";"), "20", "80");
    return Render(doc);
  };
  const gdi::Bitmap horizontal = Direct(120, 120, 12, [](gdi::Canvas& c) {
    c.SetFontColor(base::Color::FromRgb(255, 0, 0));
    c.TextOut(25, 85, "E-Mail me");
  });
  EXPECT_EQ(render("0"), horizontal);
  EXPECT_EQ(render("-30"), horizontal);
  EXPECT_EQ(render("  "), horizontal);
  const gdi::Bitmap up = Direct(120, 120, 12, [](gdi::Canvas& c) {
    c.SetFontColor(base::Color::FromRgb(255, 0, 0));
    c.TextOut(25, 85, "E-Mail me", 900);
  });
  EXPECT_EQ(render("90"), up);
  EXPECT_NE(up, horizontal);
  // The angle converts as read: a trailing blank fails after nothing was drawn
  // of the caption.
  EXPECT_EQ(render("90 "), Direct(120, 120, 12, [](gdi::Canvas&) {}));
}

// A turned caption is its level self turned about the reference pixel: the
// level pixel (x + i, y + j) lands on (x + j, y - i) for a quarter turn.
// Every copy turns about its own reference point, which keeps its offset in
// screen space: the shadow still lies below and right of the caption.
// Also for a caption that is shaped: Arabic, joined and read from the right.
TEST(TextLayer, ShadowOutlineAndGradientTurnWithTheCaption) {
  for (const std::string caption : {"E-Mail me", "\u0645\u0631\u062D\u0628\u0627 \u0628\u0643\u0645"}) {
    const auto render = [&](const std::string& more) {
      document::ButtonDocument doc;
      SetSize(doc, 120, 120);
      Add(doc, "Text", std::string("FontFace=") + kFace + ";FontSize=12;Text=" + caption + ";" + more, "20", "80");
      return Render(doc);
    };
    // The level copy drawn at (0, 0) of a surface large enough, as offsets.
    const gdi::Bitmap level = Direct(120, 40, 12, [&](gdi::Canvas& c) {
      c.SetFontColor(base::Color::FromRgb(255, 0, 0));
      c.TextOut(0, 0, caption);
    });
    const auto turnedAt = [&](gdi::Bitmap& b, int x, int y, gdi::Pixel ink) {
      for (int j = 0; j < level.Height(); ++j)
        for (int i = 0; i < level.Width(); ++i)
          if (level.GetPixel(i, j) != kTeal) b.SetPixel(x + j, y - i, ink);
    };
    gdi::Bitmap want(120, 120);
    want.Fill(kTeal);
    turnedAt(want, 28, 88, kGrey);  // the shadow, 3 right and 3 down
    for (auto [dx, dy] : {std::pair{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}) turnedAt(want, 25 + dx, 85 + dy, kWhite);
    turnedAt(want, 25, 85, kRed);
    const gdi::Bitmap got =
        render("Color=clRed;Shadowed=Yes;ShadowOffset=3;Outlined=Yes;OutlineColor=clWhite;Angle=90;");
    EXPECT_TRUE(PixelsAre(got, [&](int x, int y) { return want.GetPixel(x, y); })) << caption;

    // The gradient runs along the turned caption: the level gradient caption,
    // turned, its glyphs those of the plain caption.
    const std::string gradient = "Gradient=Yes;GradientStart=clRed;GradientEnd=clBlue;";
    const gdi::Bitmap flat = render(gradient);
    EXPECT_TRUE(PixelsAre(flat, [&](int x, int y) {
      const bool glyph = level.Inside(x - 25, y - 85) && level.GetPixel(x - 25, y - 85) != kTeal;
      return glyph == (flat.GetPixel(x, y) != kTeal) ? flat.GetPixel(x, y) : kMagenta;
    })) << caption;
    const gdi::Bitmap up = render(gradient + "Angle=90;");
    EXPECT_TRUE(PixelsAre(up, [&](int x, int y) {
      // (x, y) = (25 + j, 85 - i) comes from the level pixel (25 + i, 85 + j).
      const gdi::Pixel p = flat.GetPixel(25 + 85 - y, 85 + x - 25);
      return flat.Inside(25 + 85 - y, 85 + x - 25) && p != kTeal ? p : kTeal;
    })) << caption;
  }
}

TEST(TextLayer, ACaptionEndsAtTheFirstSemicolon) {
  document::ButtonDocument doc;
  SetSize(doc, 120, 40);
  Add(doc, "Text", std::string("FontFace=") + kFace + ";FontSize=12;Text=Buy; now;Color=clRed;");
  EXPECT_EQ(Render(doc), Direct(120, 40, 12, [](gdi::Canvas& c) {
              c.SetFontColor(base::Color::FromRgb(255, 0, 0));
              c.TextOut(5, 5, "Buy");
            }));
}

TEST(TextLayer, EmptyPropertiesDrawNothingVisible) {
  document::ButtonDocument doc;
  SetSize(doc, 40, 20);
  Add(doc, "Text", "");
  EXPECT_TRUE(PixelsAre(Render(doc), [](int, int) { return kTeal; }));
}

TEST(TextLayer, GradientRunsFromStartAtTheLeftToEndAtTheRightOverTheGlyphsOnly) {
  document::ButtonDocument doc;
  SetSize(doc, 160, 50);
  Add(doc, "Text",
      std::string("FontFace=") + kFace +
          ";FontSize=24;Text=MMMM;Gradient=Yes;GradientStart=clRed;GradientEnd=clBlue;Color=clWhite;");
  const gdi::Bitmap got = Render(doc);
  // The plain caption shows which pixels are glyphs.
  const gdi::Bitmap glyphs = Direct(160, 50, 24, [](gdi::Canvas& c) {
    c.SetFontColor(base::Color::FromRgb(255, 0, 0));
    c.TextOut(5, 5, "MMMM");
  });
  int minX = 1000, maxX = -1;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 160; ++x) {
      const bool glyph = glyphs.GetPixel(x, y) != kTeal;
      const gdi::Pixel p = got.GetPixel(x, y);
      if (!glyph) {
        ASSERT_EQ(p, kTeal) << "between glyphs at " << x << "," << y;
        continue;
      }
      ASSERT_EQ(p.Green(), 0u) << "not on the red-blue gradient at " << x << "," << y;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
    }
  }
  ASSERT_LT(minX, maxX);
  // Red dominates at the left end of the ink, blue at the right end, and the
  // red part never grows from left to right.
  int lastRed = 256;
  for (int x = minX; x <= maxX; ++x) {
    for (int y = 0; y < 50; ++y) {
      if (glyphs.GetPixel(x, y) == kTeal) continue;
      const int red = got.GetPixel(x, y).Red();
      ASSERT_LE(red, lastRed) << "column " << x;
      lastRed = red;
    }
  }
  EXPECT_GT(got.GetPixel(minX, [&] { for (int y = 0;; ++y) if (glyphs.GetPixel(minX, y) != kTeal) return y; }()).Red(),
            0xC0u);
}

TEST(TextLayer, GradientWithEqualEndsIsOneColour) {
  document::ButtonDocument doc;
  SetSize(doc, 120, 40);
  Add(doc, "Text", Props("Gradient=Yes;GradientStart=clLime;GradientEnd=clLime;"));
  const gdi::Bitmap want = Direct(120, 40, 12, [](gdi::Canvas& c) {
    c.SetFontColor(base::Color::FromRgb(0, 255, 0));
    c.TextOut(5, 5, "E-Mail me");
  });
  EXPECT_EQ(Render(doc), want);
}

TEST(TextLayer, GradientOfACaptionFarWiderThanAnySurfaceKeepsItsColours) {
  document::ButtonDocument doc;
  SetSize(doc, 200, 140);
  Add(doc, "Text",
      std::string("FontFace=") + kFace +
          ";FontSize=100;Gradient=Yes;GradientStart=clRed;GradientEnd=clBlue;Text=" + std::string(1500, 'M') + ";");
  ButtonRenderer r;
  ASSERT_GT(r.GetTextLayerWidth(doc.Row(0).Properties()), 4 * 32767);
  const gdi::Bitmap got = Render(doc);
  int glyphPixels = 0;
  for (int y = 0; y < 140; ++y) {
    for (int x = 0; x < 200; ++x) {
      const gdi::Pixel p = got.GetPixel(x, y);
      if (p == kTeal) continue;
      ++glyphPixels;
      // The start of a very long red-to-blue caption: red throughout.
      ASSERT_EQ(p, kRed) << x << "," << y;
    }
  }
  EXPECT_GT(glyphPixels, 1000);
}

TEST(TextLayer, GradientPaletteAndStripes) {
  TextGradient g;
  g.from = base::Color::FromRgb(255, 0, 10);
  g.to = base::Color::FromRgb(0, 254, 10);
  g.BuildPalette();
  EXPECT_EQ(g.palette[0], gdi::Pixel::FromRgb(255, 0, 10));
  EXPECT_EQ(g.palette[254], gdi::Pixel::FromRgb(0, 254, 10));
  // One step beyond the end, each byte taken mod 256.
  EXPECT_EQ(g.palette[255], gdi::Pixel::FromRgb(255, 255, 10));
  // MulDiv rounds halves away from zero: 127 * -255 / 254 = -127.5 -> -128.
  EXPECT_EQ(g.palette[127].Red(), 255 - 128);
  // System colours count as displayed.
  g.from = base::Color::System(0x0F);
  g.BuildPalette();
  EXPECT_EQ(g.palette[0], gdi::Pixel::FromRgb(192, 192, 192));

  gdi::Bitmap b(10, 2);
  gdi::Canvas c(b);
  TextGradient stripes;
  for (int i = 0; i < 256; ++i) {
    stripes.palette[static_cast<std::size_t>(i)] = gdi::Pixel::FromRgb(static_cast<std::uint8_t>(i), 0, 0);
  }
  stripes.Paint(c, 10, 2);
  // Stripe i starts at MulDiv(i, 10, 255): x = 0 <- 0..12, x = 1 <- 13..38, ...
  EXPECT_EQ(b.GetPixel(0, 0), gdi::Pixel::FromRgb(12, 0, 0));
  EXPECT_EQ(b.GetPixel(1, 1), gdi::Pixel::FromRgb(38, 0, 0));
  EXPECT_EQ(b.GetPixel(9, 0), gdi::Pixel::FromRgb(242, 0, 0));  // stripes 243..255 start at x = 10
  EXPECT_EQ(base::MulDiv(5, 3, 2), 8);
  EXPECT_EQ(base::MulDiv(-5, 3, 2), -8);
  EXPECT_EQ(base::MulDiv(1, 1, 0), -1);
}

// Where each code puts the caption's cell, drawn 5 pixels right of and below
// the offsets: 9 pixels from the near edges, 9 from the far ones, centred in
// the middle with an odd pixel after the cell.
TEST(TextPlacement, CodesPutTheCellAtTheirPlaceWithEqualMargins) {
  ButtonRenderer r;
  const std::string props = Props("");
  const int tw = r.GetTextLayerWidth(props);
  const int th = r.GetTextLayerHeight(props);
  ASSERT_GT(tw, 0);
  ASSERT_GT(th, 0);
  for (auto [w, h] : {std::pair{90, 30}, {91, 31}, {40, 12}}) {
    document::ButtonDocument doc;
    SetSize(doc, w, h);
    for (int code = 1; code <= 9; ++code) {
      std::string left, top;
      r.PlaceTextLayer(doc, props, code, left, top);
      const int before[2] = {5 + std::stoi(left), 5 + std::stoi(top)};
      const int after[2] = {w - (before[0] + tw), h - (before[1] + th)};
      const int where[2] = {(code - 1) % 3, (code - 1) / 3};
      for (int axis = 0; axis < 2; ++axis) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h) + ", code " + std::to_string(code) + ", " +
                     (axis == 0 ? "across" : "down"));
        if (where[axis] == 0) {
          EXPECT_EQ(before[axis], 9);
        } else if (where[axis] == 2) {
          EXPECT_EQ(after[axis], 9);
        } else {
          EXPECT_EQ(after[axis] - before[axis], (after[axis] + before[axis]) & 1);
        }
      }
    }
  }
  std::string left = "x", top = "x";
  r.PlaceTextLayer(document::ButtonDocument(), props, 0, left, top);
  EXPECT_EQ(left, "");
  EXPECT_EQ(top, "");
}

// A caption placed in the middle of a button it nearly fills keeps all its ink.
TEST(TextPlacement, AMiddleCaptionIsNotClipped) {
  document::ButtonDocument doc;
  SetSize(doc, 120, 40);
  const std::string props = std::string("FontFace=") + kFace + ";FontSize=24;Text=Edit;Color=clRed;";
  ButtonRenderer r;
  std::string left, top;
  r.PlaceTextLayer(doc, props, 5, left, top);
  Add(doc, "Text", props, left, top);
  document::ButtonDocument tall;
  SetSize(tall, 120, 200);
  Add(tall, "Text", props, left, "80");
  const auto inkRows = [](const gdi::Bitmap& b) {
    int rows = 0;
    for (int y = 0; y < b.Height(); ++y) {
      bool ink = false;
      for (int x = 0; x < b.Width(); ++x) ink = ink || b.GetPixel(x, y) == kRed;
      rows += ink;
    }
    return rows;
  };
  EXPECT_EQ(inkRows(Render(doc)), inkRows(Render(tall)));
}

TEST(TextPlacement, MeasuresOnlyWhenAFormulaNeedsIt) {
  document::ButtonDocument doc;
  SetSize(doc, 90, 30);
  ButtonRenderer r;
  std::string left = "old", top = "old";
  // Top left needs no measuring, so a bad size does not matter there.
  r.PlaceTextLayer(doc, "FontSize=abc;Text=x;", 1, left, top);
  EXPECT_EQ(left, "4");
  EXPECT_EQ(top, "4");
  // Elsewhere the conversion error comes out with both results empty.
  left = top = "old";
  EXPECT_THROW(r.PlaceTextLayer(doc, "FontSize=abc;Text=x;", 5, left, top), document::ConversionError);
  EXPECT_EQ(left, "");
  EXPECT_EQ(top, "");
  // The measuring sets the canvas font.
  r.PlaceTextLayer(doc, "FontFace=Whatever;FontSize=20;Text=x;", 9, left, top);
  EXPECT_EQ(r.Canvas().FontName(), "Whatever");
  EXPECT_EQ(r.Canvas().FontSize(), 20);
}

}  // namespace
}  // namespace vorbel::render

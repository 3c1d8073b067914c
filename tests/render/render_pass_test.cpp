// The render pass: work area, border, row order and visibility, failures kept
// to their row, canvas state carried across layers but not passes, size limits.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/unexpected_error.h"
#include "document/conversion_error.h"
#include "render_test_support.h"

namespace vorbel::render {
namespace {

TEST(RenderPass, EmptyOrHiddenRowsLeaveTheWorkAreaAndTheBorder) {
  document::ButtonDocument doc;
  SetSize(doc, 12, 8);
  Add(doc, "Background", "Color=clRed;", {}, {}, -1);
  ButtonRenderer r;
  ASSERT_EQ(r.RenderButton(doc), RenderResult::Drawn);
  EXPECT_EQ(r.Surface().Width(), 12);
  EXPECT_EQ(r.Surface().Height(), 8);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return kTeal; }));

  // The border is the complement of teal, one pen width at the outer edge.
  doc.SetBorder(true);
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int x, int y) {
    return (x == 0 || y == 0 || x == 11 || y == 7) ? gdi::Pixel{0xFF7F7F} : kTeal;
  }));
}

TEST(RenderPass, LoadingSuspendsAndTooLargeDrawsNothing) {
  document::ButtonDocument doc;
  SetSize(doc, 4, 3);
  ButtonRenderer r;
  r.RenderButton(doc);
  const gdi::Bitmap before = r.Surface();

  doc.SetWorkAreaColor(base::Color::FromRgb(255, 255, 255));
  doc.SetLoading(true);
  EXPECT_EQ(r.RenderButton(doc), RenderResult::Suspended);
  EXPECT_EQ(r.Surface(), before);
  doc.SetLoading(false);

  doc.SetWidth(40000);
  EXPECT_EQ(r.RenderButton(doc), RenderResult::TooLarge);
  EXPECT_EQ(r.LastResult(), RenderResult::TooLarge);
  EXPECT_EQ(r.Surface(), before);
  doc.SetWidth(20000);
  doc.SetHeight(20000);  // 400 million pixels
  EXPECT_EQ(r.RenderButton(doc), RenderResult::TooLarge);

  // A width or height of 0 or less, or text that is no number, leaves no pixels.
  doc.SetHeightText("-");
  doc.SetWidth(90);
  EXPECT_EQ(r.RenderButton(doc), RenderResult::Drawn);
  EXPECT_TRUE(r.Surface().Empty());
  doc.SetHeight(-5);
  EXPECT_EQ(r.RenderButton(doc), RenderResult::Drawn);
  EXPECT_TRUE(r.Surface().Empty());
}

TEST(RenderPass, TypeKeywordsPickTheDrawersAndLaterRowsLieOnTop) {
  document::ButtonDocument doc;
  SetSize(doc, 10, 6);
  // "my backgr" is a background; "Shape" is listed but never drawn.
  Add(doc, "my backgr", "Color=clRed;");
  Add(doc, "Shape", "Color=clWhite;");
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return kRed; }));

  Add(doc, "BACKGROUND 2", "Color=clWhite;");
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return kWhite; }));
}

TEST(RenderPass, AFailingRowKeepsWhatItDrewAndTheNextRowsStillDraw) {
  document::ButtonDocument doc;
  SetSize(doc, 20, 10);
  // The edge colour is missing: the background is filled, then fails at the edge.
  Add(doc, "Background", "Color=clRed;EdgeDraw=Yes;");
  // A bevel whose shadow does not convert draws its highlight lines only.
  Add(doc, "Bevel", "Pen=1;Highlight=clWhite;Shadow=nonsense;");
  // A row still waiting for its editor has no property string: it draws nothing.
  doc.AppendRow(document::LayerRow{"Background", {}, 0});
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 1), kWhite);
  EXPECT_EQ(r.Surface().GetPixel(5, 0), kWhite);
  EXPECT_EQ(r.Surface().GetPixel(19, 5), kRed);  // no shadow, no edge
  EXPECT_EQ(r.Surface().GetPixel(10, 9), kRed);
  EXPECT_EQ(r.Surface().GetPixel(10, 5), kRed);
}

// Each drawer uses its values in its own order and stops at the first one it
// uses that does not convert: a bad value it has not come to yet, or never
// comes to, takes nothing away.
TEST(RenderPass, ADrawerStopsAtTheFirstValueItUsesThatDoesNotConvert) {
  const std::string text = "FontFace=DejaVu Sans;FontSize=12;Text=Hi;";
  const struct {
    const char* type;
    std::string props;
    std::vector<gdi::Pixel> drawn;
    std::vector<gdi::Pixel> not_drawn;
  } cases[] = {
      // (Color comes first: a later "ShadowColor=" would answer its lookup.)
      {"Text", text + "Color=bad;Shadowed=Yes;ShadowColor=clRed;", {kRed}, {}},
      {"Text",
       text + "Color=clBlack;Angle=x;Shadowed=Yes;ShadowColor=clRed;Outlined=Yes;OutlineColor=clWhite;",
       {kRed, kWhite},
       {kBlack}},
      {"Text", text + "Color=clRed;Shadowed=Yes;ShadowColor=clWhite;ShadowOffset=x;", {}, {kWhite, kRed}},
      {"Text", text + "Color=bad;Angle=x;Gradient=Yes;GradientStart=clRed;GradientEnd=clRed;", {kRed}, {}},
      {"Text",
       text + "Color=clRed;Shadowed=No;ShadowColor=x;ShadowOffset=x;Outlined=No;OutlineColor=x;GradientStart=x;",
       {kRed},
       {}},
      {"Background", "Color=clRed;Shape=None;Seed=x;EdgeDraw=No;Edge=x;", {kRed}, {}},
      {"Background", "Color=clRed;Shape=RoundRect;Seed=x;", {}, {kRed}},
      {"Background", "Color=clRed;Highlight=x;", {}, {kRed}},
      {"Bevel", "Pen=1;Highlight=clWhite;Shadow=x;", {kWhite}, {kGrey}},
      {"Bevel", "Pen=x;Highlight=clWhite;Shadow=clGray;", {}, {kWhite, kGrey}},
  };
  for (const auto& c : cases) {
    document::ButtonDocument doc;
    SetSize(doc, 40, 24);
    Add(doc, c.type, c.props);
    ButtonRenderer r;
    r.RenderButton(doc);
    const auto has = [&](gdi::Pixel colour) {
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
          if (r.Surface().GetPixel(x, y) == colour) return true;
      return false;
    };
    for (gdi::Pixel colour : c.drawn) EXPECT_TRUE(has(colour)) << c.props << "\n" << Grid(r.Surface());
    for (gdi::Pixel colour : c.not_drawn) EXPECT_FALSE(has(colour)) << c.props << "\n" << Grid(r.Surface());
  }
}

// The program's errors and lack of memory end a row quietly. Any other
// exception is a bug: test builds end on it, while the shipped program names
// the row on standard error, once per kind of exception, and goes on.
TEST(RenderPass, OnlyTheProgramsErrorsEndARowQuietly) {
  EXPECT_TRUE(DrawLayerRow(0, [] {}));
  EXPECT_FALSE(DrawLayerRow(0, [] { throw document::ConversionError("x"); }));
  EXPECT_FALSE(DrawLayerRow(0, [] { throw std::bad_alloc(); }));

  const base::UnexpectedErrorAction build = base::CurrentUnexpectedErrorAction();
  base::SetUnexpectedErrorAction(base::UnexpectedErrorAction::Report);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(DrawLayerRow(3, [] { throw std::logic_error("bug"); }));
  EXPECT_FALSE(DrawLayerRow(4, [] { throw std::logic_error("bug again"); }));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "vorbel: internal error (std::logic_error: bug) while drawing layer row 3; the row was skipped\n");
  base::SetUnexpectedErrorAction(base::UnexpectedErrorAction::Abort);
  EXPECT_DEATH(DrawLayerRow(5, [] { throw std::logic_error("bug"); }), "drawing layer row 5");
  base::SetUnexpectedErrorAction(build);
}

TEST(RenderPass, CanvasStateCarriesFromLayerToLayerButNeverIntoTheNextPass) {
  document::ButtonDocument doc;
  SetSize(doc, 90, 30);
  doc.SetBorder(true);
  Add(doc, "Bevel", "Pen=3;Highlight=clWhite;Shadow=clGray;");
  Add(doc, "Background", "Color=clRed;Shape=Ellipse;EdgeDraw=Yes;Edge=clBlack;");
  ButtonRenderer r;
  r.RenderButton(doc);
  // Within the pass the bevel's width draws the edge: three pixels at the
  // middle of the top side, centred on row 0.
  EXPECT_EQ(r.Surface().GetPixel(45, 1), kBlack);

  // Hidden, the bevel leaves the border of the next pass one pixel wide.
  doc.SelectRow(0);
  doc.ToggleSelectedVisibility();
  r.RenderButton(doc);
  ButtonRenderer fresh;
  fresh.RenderButton(doc);
  EXPECT_EQ(r.Surface(), fresh.Surface());
  EXPECT_EQ(r.Surface().GetPixel(45, 1), kRed);

  // Another document after a wide bevel keeps its 3D rims.
  document::ButtonDocument wide;
  SetSize(wide, 24, 14);
  Add(wide, "Bevel", "Pen=5;");
  Add(wide, "Text", "FontSize=30;Text=x;Outlined=Yes;");  // leaves a clear brush and a large font
  r.RenderButton(wide);
  document::ButtonDocument rims;
  SetSize(rims, 24, 14);
  Add(rims, "Background", "Draw3D=Yes;Color=clRed;Highlight=clWhite;ShadowClr=clGray;");
  r.RenderButton(rims);
  fresh.RenderButton(rims);
  EXPECT_EQ(r.Surface(), fresh.Surface()) << Grid(r.Surface());
  EXPECT_EQ(r.Surface().GetPixel(0, 5), kWhite);
  EXPECT_EQ(r.Surface().GetPixel(23, 5), kGrey);
}

TEST(RenderPass, ABorderIsHiddenByALayerCoveringTheSurface) {
  document::ButtonDocument doc;
  SetSize(doc, 16, 8);
  doc.SetBorder(true);
  Add(doc, "Background", "");  // button face over everything, border included
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_TRUE(PixelsAre(r.Surface(), [](int, int) { return gdi::Pixel{0xC0C0C0}; }));
}

TEST(RenderPass, NoWorkAreaSelectedDrawsBlackWithAWhiteBorder) {
  document::ButtonDocument doc;
  SetSize(doc, 6, 4);
  doc.WorkArea().Clear();  // nothing selected: the colour is -1
  doc.SetBorder(true);
  ButtonRenderer r;
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 0), kWhite);
  EXPECT_EQ(r.Surface().GetPixel(2, 2), kBlack);
}

}  // namespace
}  // namespace vorbel::render

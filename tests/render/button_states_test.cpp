// The looks of a button: the pixel rules of hover and disabled, the rows of
// the pressed look, and the work-area colour kept clear in all of them.

#include <gtest/gtest.h>

#include "render/button_states.h"
#include "render_test_support.h"

namespace vorbel::render {
namespace {

TEST(ButtonStates, HoverAndDisabledChangeEveryPixelButTheWorkArea) {
  const gdi::Pixel workArea{0xCCCCCC};
  gdi::Bitmap picture(5, 1);
  const std::uint32_t before[] = {0xCCCCCC, 0x000000, 0xFFFFFF, 0xFF0000, 0xBFBFBF};
  for (int x = 0; x < 5; ++x) picture.SetPixel(x, 0, gdi::Pixel{before[x]});

  gdi::Bitmap hover = picture;
  ApplyStatePixels(hover, ButtonState::Hover, workArea);
  // 20 % towards white, rounded; 0xBF would become the work area itself and
  // moves one level in blue instead.
  const std::uint32_t lighter[] = {0xCCCCCC, 0x333333, 0xFFFFFF, 0xFF3333, 0xCCCCCD};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(hover.GetPixel(x, 0), gdi::Pixel{lighter[x]}) << x;

  gdi::Bitmap disabled = picture;
  ApplyStatePixels(disabled, ButtonState::Disabled, workArea);
  // 96 + brightness / 2.
  const std::uint32_t grey[] = {0xCCCCCC, 0x606060, 0xDFDFDF, 0x868686, 0xBFBFBF};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(disabled.GetPixel(x, 0), gdi::Pixel{grey[x]}) << x;

  gdi::Bitmap pressed = picture;
  ApplyStatePixels(pressed, ButtonState::Pressed, workArea);
  EXPECT_EQ(pressed, picture);
}

TEST(ButtonStates, PressedSwapsLightAndDarkAndMovesCaptionsAndPictures) {
  document::ButtonDocument doc;
  SetSize(doc, 10, 6);
  Add(doc, "Bevel", "Highlight=clWhite;Shadow=clGray;Pen=1;");
  Add(doc, "Background", "Draw3D=Yes;Highlight=clWhite;", "3", "3");
  Add(doc, "Text", "Text=Go;", "3", "-1");
  Add(doc, "Image", "Image=;", "", "");
  PressDocument(doc, 2);
  EXPECT_EQ(doc.Row(0).Properties(), "Highlight=clGray;Shadow=clWhite;Pen=1;");
  // Missing keys are written with the values the drawer read.
  EXPECT_EQ(doc.Row(1).Properties(), "Draw3D=Yes;Highlight=clBtnShadow;ShadowClr=clWhite;");
  EXPECT_EQ(doc.Row(1).Left(), "3");  // backgrounds have no offsets
  EXPECT_EQ(doc.Row(2).Left(), "5");
  EXPECT_EQ(doc.Row(2).Top(), "1");
  EXPECT_EQ(doc.Row(3).Left(), "2");

  ButtonRenderer r;
  doc.RemoveRow(1);
  r.RenderButton(doc);
  EXPECT_EQ(r.Surface().GetPixel(0, 3), kGrey);  // the light left edge is dark
  EXPECT_EQ(r.Surface().GetPixel(9, 3), kWhite);
}

TEST(ButtonStates, NamesReadInAnyCase) {
  for (const ButtonState state : kButtonStates) EXPECT_EQ(ButtonStateNamed(ButtonStateName(state)), state);
  EXPECT_EQ(ButtonStateNamed("HOVER"), ButtonState::Hover);
  EXPECT_FALSE(ButtonStateNamed("active"));
}

}  // namespace
}  // namespace vorbel::render

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

// Contrast as the web's accessibility guidelines give it, for colours whose
// figures are known.
TEST(ButtonStates, CaptionContrastOfKnownColours) {
  struct Case {
    std::uint32_t caption, face;
    double contrast;
  };
  const Case cases[] = {{0xFFFFFF, 0x008080, 4.77}, {0x000000, 0xFFFFFF, 21.0}, {0xFFFFFF, 0xFFFFFF, 1.0},
                        {0x777777, 0xFFFFFF, 4.48}, {0x000080, 0xFFFF00, 14.91}, {0xFFFFFF, 0x339999, 3.41}};
  for (const Case& c : cases) {
    EXPECT_NEAR(ContrastRatio(gdi::Pixel{c.caption}, gdi::Pixel{c.face}), c.contrast, 0.005) << std::hex << c.caption;
    EXPECT_NEAR(ContrastRatio(gdi::Pixel{c.face}, gdi::Pixel{c.caption}), c.contrast, 0.005);
  }
  // The backdrop of a caption counts by its mean luminance; nothing drawn
  // gives no figure.
  EXPECT_NEAR((CaptionSample{gdi::Pixel{0xFFFFFF}, {gdi::Pixel{0x008080}, gdi::Pixel{0x008080}}}.Contrast()), 4.77, 0.005);
  EXPECT_EQ(CaptionSample{}.Contrast(), 0);
}

// The hover look never makes a caption harder to read than the normal look:
// lighter where that keeps the contrast, darker where it does not (white on
// teal went from 4.77:1 to 3.41:1 when every pixel was lightened).
TEST(ButtonStates, HoverKeepsTheCaptionsContrast) {
  struct Case {
    std::uint32_t caption, face;
    bool darker;
  };
  const Case cases[] = {{0xFFFFFF, 0x008080, true},  {0x000000, 0xC0C0C0, false}, {0x000080, 0xFFFF00, false},
                        {0xFFFF00, 0x000080, true},  {0x808080, 0x808080, false}, {0xFFFFFF, 0x000000, true}, 
                        {0x000000, 0xFFFFFF, false}, {0xFFFFFF, 0xFF0000, true}};
  for (const Case& c : cases) {
    const CaptionSample normal{gdi::Pixel{c.caption}, {gdi::Pixel{c.face}}};
    const HoverLook look = ChooseHoverLook(normal);
    EXPECT_EQ(look.darker, c.darker) << std::hex << c.caption << " on " << c.face;
    EXPECT_GE(StateSample(normal, ButtonState::Hover, look).Contrast() + 1e-9, normal.Contrast())
        << std::hex << c.caption << " on " << c.face;
    // The picture follows the sample: the caption's pixels keep their colour,
    // the face moves.
    gdi::Bitmap picture(2, 1);
    picture.SetPixel(0, 0, gdi::Pixel{c.caption});
    picture.SetPixel(1, 0, gdi::Pixel{c.face});
    ApplyStatePixels(picture, ButtonState::Hover, gdi::Pixel{0x123456}, look);
    EXPECT_EQ(picture.GetPixel(0, 0), gdi::Pixel{c.caption});
    if (c.caption != c.face) {
      EXPECT_EQ(picture.GetPixel(1, 0), HoverPixel(gdi::Pixel{c.face}, c.darker));
    }
  }
}

TEST(ButtonStates, NamesReadInAnyCase) {
  for (const ButtonState state : kButtonStates) EXPECT_EQ(ButtonStateNamed(ButtonStateName(state)), state);
  EXPECT_EQ(ButtonStateNamed("HOVER"), ButtonState::Hover);
  EXPECT_FALSE(ButtonStateNamed("active"));
}

}  // namespace
}  // namespace vorbel::render

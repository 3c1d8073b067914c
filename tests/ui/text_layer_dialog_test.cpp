// The text editor: loading, composing, the "Effects" tab, the alignment pad,
// the font list and the random caption.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/ascii_text.h"
#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "document/conversion_error.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "find_child.h"
#include "ui/font_list.h"
#include "ui/text_layer_dialog.h"
#include "ui/text_sample.h"

namespace vorbel::ui {
namespace {

using test::Child;

std::string SelectedName(const document::ColorList& list) {
  return list.ItemIndex() < 0 ? std::string() : list.Entry(list.ItemIndex()).name;
}

TEST(MakeFontList, AddsDefaultAndSortsWithoutRegardToCase) {
  EXPECT_EQ(MakeFontList({"beta", "Alpha", "delta", "Courier"}),
            (std::vector<std::string>{"Alpha", "beta", "Courier", "Default", "delta"}));
  EXPECT_EQ(MakeFontList({}), (std::vector<std::string>{"Default"}));
  // A family that is itself called "default" is not listed twice.
  EXPECT_EQ(MakeFontList({"default", "Zed"}), (std::vector<std::string>{"default", "Zed"}));
}

TEST(FontList, IsBuiltOnceAndHoldsDefault) {
  const std::vector<std::string>& list = FontList();
  EXPECT_EQ(&list, &FontList());
  EXPECT_NE(std::find(list.begin(), list.end(), "Default"), list.end());
  EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
    return base::UpperCaseAscii(a) < base::UpperCaseAscii(b);
  }));
}

class TextLayerDialogTest : public ::testing::Test {
 protected:
  std::string FirstFont() const { return FontList().front(); }
  TextLayerDialog form;
};

TEST_F(TextLayerDialogTest, FirstUse) {
  EXPECT_EQ(form.windowTitle(), "Text");
  EXPECT_EQ(form.GetProperties(),
            "Text=E-Mail me;FontFace=" + FirstFont() +
                ";FontSize=8;Color=clBlack;Shadowed=No;ShadowOffset=3;ShadowColor=clSilver;Outlined=No;"
                "OutlineColor=clBlack;Gradient=No;GradientStart=clLime;GradientEnd=clYellow;Angle=0;");
  EXPECT_EQ(Child<QTabWidget>(form, "pages")->currentWidget(), Child<QWidget>(form, "textPage"));
  EXPECT_TRUE(form.EffectsTabVisible());
  EXPECT_EQ(form.GetAlignment(), 0);
  EXPECT_EQ(SelectedName(form.ShadowColors()), "Light Gray");
  EXPECT_EQ(SelectedName(form.GradientStartColors()), "Lime green");
  EXPECT_EQ(Child<QComboBox>(form, "fontCombo")->count(), static_cast<int>(FontList().size()));
  EXPECT_EQ(Child<QToolButton>(form, "alignRight")->text(), "LR");
  // The effect boxes enable nothing.
  EXPECT_TRUE(Child<controls::ColorComboBox>(form, "shadowCombo")->isEnabled());
  EXPECT_TRUE(Child<controls::SpinEdit>(form, "shadowOffsetEdit")->isEnabled());
  EXPECT_TRUE(Child<controls::ColorComboBox>(form, "gradientEndCombo")->isEnabled());
}

TEST_F(TextLayerDialogTest, RoundTripOfEveryKey) {
  const std::string face = FontList().back();
  const std::string props = "Text=Buy now;FontFace=" + face +
                            ";FontSize=14;Color=clNavy;Shadowed=Yes;ShadowOffset=-2;ShadowColor=clTeal;"
                            "Outlined=Yes;OutlineColor=clWhite;Gradient=Yes;GradientStart=clRed;"
                            "GradientEnd=clBlue;Angle=0;";
  form.SetProperties(props);
  EXPECT_EQ(form.GetProperties(), props);

  // Missing keys take the editor's defaults; a missing shadow colour is gray.
  form.SetProperties("FontFace=" + face + ";");
  EXPECT_EQ(form.GetProperties(), "Text=;FontFace=" + face +
                                      ";FontSize=12;Color=clBlack;Shadowed=No;ShadowOffset=2;ShadowColor=clGray;"
                                      "Outlined=No;OutlineColor=clBlack;Gradient=No;GradientStart=clLime;"
                                      "GradientEnd=clYellow;Angle=0;");
  EXPECT_EQ(SelectedName(form.ShadowColors()), "Dark Gray");

  // The spin edits are written as their texts, the angle unconverted.
  Child<controls::SpinEdit>(form, "fontSizeEdit")->SetText("");
  Child<controls::SpinEdit>(form, "shadowOffsetEdit")->SetText("x");
  Child<controls::SpinEdit>(form, "angleEdit")->SetText("400");
  const std::string typed = form.GetProperties();
  EXPECT_NE(typed.find(";FontSize=;"), std::string::npos);
  EXPECT_NE(typed.find(";ShadowOffset=x;"), std::string::npos);
  EXPECT_NE(typed.find(";Angle=400;"), std::string::npos);
  Child<controls::SpinEdit>(form, "shadowOffsetEdit")->SetText("1");
  form.SetProperties(form.GetProperties());
  EXPECT_EQ(Child<controls::SpinEdit>(form, "fontSizeEdit")->Text(), "12");
}

TEST_F(TextLayerDialogTest, CaptionsAndFaces) {
  Child<QLineEdit>(form, "captionEdit")->setText("Buy; now");
  EXPECT_EQ(form.GetProperties().rfind("Text=Buy; now;FontFace=", 0), 0u);
  form.SetProperties(form.GetProperties());
  EXPECT_EQ(Child<QLineEdit>(form, "captionEdit")->text(), "Buy");

  // Faces match without regard to case; an unknown face selects nothing.
  const std::string face = FontList().back();
  form.SetProperties("FontFace=" + base::UpperCaseAscii(face) + ";");
  EXPECT_EQ(Child<QComboBox>(form, "fontCombo")->currentText().toStdString(), face);
  form.SetProperties("FontFace=No Such Face 123;");
  EXPECT_EQ(Child<QComboBox>(form, "fontCombo")->currentIndex(), -1);
  EXPECT_NE(form.GetProperties().find(";FontFace=;"), std::string::npos);
  form.SetProperties("Text=x;");
  EXPECT_EQ(Child<QComboBox>(form, "fontCombo")->currentIndex(), -1);
}

// Shadow, outline and gradient turn with the caption, so their page stays
// offered whatever the angle; the angle is kept as typed.
TEST_F(TextLayerDialogTest, EffectsTabIsOfferedForEveryAngle) {
  for (const char* angle : {"45", "0", "abc", " 45", "0x2d"}) {
    form.SetProperties(std::string("Angle=") + angle + ";");
    EXPECT_TRUE(form.EffectsTabVisible()) << angle;
    EXPECT_NE(form.GetProperties().find(std::string(";Angle=") + angle + ";"), std::string::npos) << angle;
  }
  Child<controls::SpinEdit>(form, "angleEdit")->SetText("90");
  EXPECT_TRUE(form.EffectsTabVisible());
}

TEST_F(TextLayerDialogTest, AngleIsClampedOnlyWhenTheBoxIsLeft) {
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.activateWindow();
  // Enter closes the dialog from inside the box: the angle stays as typed.
  Child<controls::SpinEdit>(form, "angleEdit")->setFocus();
  Child<controls::SpinEdit>(form, "angleEdit")->SetText("400");
  QTest::keyClick(Child<controls::SpinEdit>(form, "angleEdit"), Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  QApplication::processEvents();
  EXPECT_NE(form.GetProperties().find(";Angle=400;"), std::string::npos);
  // Clicking OK leaves the box first.
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.activateWindow();
  Child<controls::SpinEdit>(form, "angleEdit")->setFocus();
  QTest::mouseClick(Child<QPushButton>(form, "okButton"), Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_NE(form.GetProperties().find(";Angle=360;"), std::string::npos);
}

TEST_F(TextLayerDialogTest, ConversionErrorStopsTheLoadWhereItHappens) {
  form.SetProperties("Angle=30;Shadowed=No;ShadowColor=clRed;");
  try {
    form.SetProperties("Text=New;Color=clBlue;FontSize=abc;Shadowed=Yes;ShadowColor=clLime;Angle=0;");
    FAIL() << "no conversion error";
  } catch (const document::ConversionError& error) {
    EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(Child<QLineEdit>(form, "captionEdit")->text(), "New");
  EXPECT_EQ(SelectedName(form.CaptionColors()), "Blue");
  EXPECT_FALSE(Child<QCheckBox>(form, "shadowBox")->isChecked());
  EXPECT_EQ(SelectedName(form.ShadowColors()), "Red");
  EXPECT_EQ(Child<controls::SpinEdit>(form, "angleEdit")->Text(), "30");

  EXPECT_THROW(form.SetProperties("ShadowOffset=2.5;"), document::ConversionError);
  EXPECT_THROW(form.SetProperties("GradientEnd=yellow;"), document::ConversionError);
}

TEST_F(TextLayerDialogTest, AlignmentPadAllowsOneDownOrNone) {
  EXPECT_EQ(form.GetAlignment(), 0);
  QTest::mouseClick(Child<QToolButton>(form, "alignRight"), Qt::LeftButton);
  EXPECT_EQ(form.GetAlignment(), 6);
  QTest::mouseClick(Child<QToolButton>(form, "alignTopLeft"), Qt::LeftButton);
  EXPECT_EQ(form.GetAlignment(), 1);
  EXPECT_FALSE(Child<QToolButton>(form, "alignRight")->isChecked());
  QTest::mouseClick(Child<QToolButton>(form, "alignBottomRight"), Qt::LeftButton);
  EXPECT_EQ(form.GetAlignment(), 9);
  QTest::mouseClick(Child<QToolButton>(form, "alignBottomRight"), Qt::LeftButton);
  EXPECT_EQ(form.GetAlignment(), 0);
  // Loading a caption placed by hand leaves the pad alone.
  QTest::mouseClick(Child<QToolButton>(form, "alignCentre"), Qt::LeftButton);
  form.SetProperties("Text=x;");
  EXPECT_EQ(form.GetAlignment(), 5);
}

// The alignment a caption was placed with is kept in its string, shown on
// the pad when it is loaded, and kept through an edit that leaves the pad.
TEST_F(TextLayerDialogTest, TheAlignmentIsKeptInThePropertyString) {
  form.SetProperties("Text=x;Align=9;");
  EXPECT_EQ(form.GetAlignment(), 9);
  EXPECT_EQ(form.GetProperties().substr(form.GetProperties().size() - 9), ";Align=9;");
  form.SetProperties("Text=y;Align=junk;");
  EXPECT_EQ(form.GetAlignment(), 9);
  QTest::mouseClick(Child<QToolButton>(form, "alignBottomRight"), Qt::LeftButton);
  EXPECT_EQ(form.GetProperties().find("Align="), std::string::npos);
}

// The pressed position is filled with the selection colour in any style, and
// the keyboard reaches and sets the pad.
TEST_F(TextLayerDialogTest, ThePressedPositionShowsAndTheKeyboardSetsIt) {
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  auto* top = Child<QToolButton>(form, "alignTop");
  const QRgb highlight = top->palette().color(QPalette::Highlight).rgb();
  EXPECT_NE(top->grab().toImage().pixel(3, 3), highlight);
  top->click();
  EXPECT_EQ(top->grab().toImage().pixel(3, 3), highlight);
  top->click();  // a second click releases it
  EXPECT_EQ(form.GetAlignment(), 0);

  QApplication::setActiveWindow(&form);
  top->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(top->hasFocus());
  QTest::keyClick(top, Qt::Key_Right);
  EXPECT_TRUE(Child<QToolButton>(form, "alignTopRight")->hasFocus());
  QTest::keyClick(Child<QToolButton>(form, "alignTopRight"), Qt::Key_Space);
  EXPECT_EQ(form.GetAlignment(), 3);
  EXPECT_FALSE(Child<QWidget>(form, "alignmentGroup")->toolTip().isEmpty());
  form.hide();
}

TEST_F(TextLayerDialogTest, SampleFollowsTheControls) {
  Child<QLineEdit>(form, "captionEdit")->setText("Go");
  Child<controls::SpinEdit>(form, "fontSizeEdit")->SetText("20");
  form.CaptionColors().SelectColor(base::Color::FromRgb(255, 255, 255));
  TextSampleSettings settings = form.SampleSettings();
  EXPECT_EQ(settings.caption, "Go");
  EXPECT_EQ(settings.face, FirstFont());
  EXPECT_EQ(settings.point_size, 20);
  EXPECT_EQ(settings.color, base::Color::FromRgb(255, 255, 255));
  Child<controls::SpinEdit>(form, "fontSizeEdit")->SetText("big");
  EXPECT_EQ(form.SampleSettings().point_size, 0);
}

TEST_F(TextLayerDialogTest, RandomCaptions) {
  Child<QLineEdit>(form, "captionEdit")->setText("Mine");
  Child<QCheckBox>(form, "shadowBox")->setChecked(true);
  Child<controls::SpinEdit>(form, "fontSizeEdit")->SetText("9");
  bool saw24 = false;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    document::SeedRandom(seed);
    const std::string props = form.RandomProperties();
    ASSERT_EQ(props.rfind("Text=Text;FontFace=", 0), 0u);
    EXPECT_EQ(props.find("Angle"), std::string::npos);
    EXPECT_EQ(document::GetPropValue("FontFace", props, ""),
              Child<QComboBox>(form, "fontCombo")->currentText().toStdString());
    const int size = document::StringToInt(document::GetPropValue("FontSize", props, ""));
    EXPECT_TRUE(size >= 12 && size <= 38) << size;
    saw24 = saw24 || size == 24;
    const int offset = document::StringToInt(document::GetPropValue("ShadowOffset", props, ""));
    EXPECT_TRUE(offset >= 0 && offset <= 3);
    EXPECT_EQ(document::ColorToString(form.CaptionColors().GetSelectedColor()),
              document::GetPropValue("Color", props, ""));
    EXPECT_EQ(document::ColorToString(form.GradientEndColors().GetSelectedColor()),
              document::GetPropValue("GradientEnd", props, ""));
    // Key order of the editor, without the angle.
    std::size_t at = 0;
    for (const char* key : {"Text=", ";FontFace=", ";FontSize=", ";Color=", ";Shadowed=", ";ShadowOffset=",
                            ";ShadowColor=", ";Outlined=", ";OutlineColor=", ";Gradient=", ";GradientStart=",
                            ";GradientEnd="}) {
      const std::size_t next = props.find(key, at);
      ASSERT_NE(next, std::string::npos) << key << " in " << props;
      at = next + 1;
    }
  }
  EXPECT_TRUE(saw24);
  // Caption, check boxes and spin edits stay as they were.
  EXPECT_EQ(Child<QLineEdit>(form, "captionEdit")->text(), "Mine");
  EXPECT_TRUE(Child<QCheckBox>(form, "shadowBox")->isChecked());
  EXPECT_EQ(Child<controls::SpinEdit>(form, "fontSizeEdit")->Text(), "9");
}

}  // namespace
}  // namespace vorbel::ui

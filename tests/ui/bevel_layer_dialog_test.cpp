// The bevel editor.

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/spin_edit.h"
#include "document/conversion_error.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "find_child.h"
#include "ui/bevel_layer_dialog.h"

namespace vorbel::ui {
namespace {

using test::Child;

std::string SelectedName(const document::ColorList& list) {
  return list.ItemIndex() < 0 ? std::string() : list.Entry(list.ItemIndex()).name;
}

class BevelLayerDialogTest : public ::testing::Test {
 protected:
  BevelLayerDialog form;
};

TEST_F(BevelLayerDialogTest, FirstUseAndRoundTrip) {
  EXPECT_EQ(form.windowTitle(), "Bevel");
  EXPECT_EQ(form.GetProperties(), "Highlight=clWhite;Shadow=clGray;Pen=1;");
  form.SetProperties("Highlight=clYellow;Shadow=clNavy;Pen=7;");
  EXPECT_EQ(form.GetProperties(), "Highlight=clYellow;Shadow=clNavy;Pen=7;");
}

TEST_F(BevelLayerDialogTest, PenIsClampedAndNeverFails) {
  const std::pair<const char*, const char*> cases[] = {
      {"Pen=abc;", "1"}, {"Pen=25;", "10"}, {"Pen=0;", "1"}, {"Pen=-3;", "1"},
      {"", "2"},         {"Pen=;", "2"},    {"Pen=$A;", "10"}, {"Pen=3", "3"},
  };
  for (const auto& [props, pen] : cases) {
    form.SetProperties(props);
    EXPECT_EQ(Child<controls::SpinEdit>(form, "penWidthEdit")->Text(), pen) << props;
    EXPECT_EQ(document::GetPropValue("Pen", form.GetProperties(), ""), pen) << props;
  }
  // Typed text is written as its value, 1 when it is no number, unclamped
  // until the box loses the focus.
  Child<controls::SpinEdit>(form, "penWidthEdit")->SetText("12");
  EXPECT_EQ(document::GetPropValue("Pen", form.GetProperties(), ""), "12");
  Child<controls::SpinEdit>(form, "penWidthEdit")->SetText("x");
  EXPECT_EQ(document::GetPropValue("Pen", form.GetProperties(), ""), "1");
  // Read as every integer of the program: blanks before it, hexadecimal.
  Child<controls::SpinEdit>(form, "penWidthEdit")->SetText(" 4");
  EXPECT_EQ(document::GetPropValue("Pen", form.GetProperties(), ""), "4");
  Child<controls::SpinEdit>(form, "penWidthEdit")->SetText("$9");
  EXPECT_EQ(document::GetPropValue("Pen", form.GetProperties(), ""), "9");
}

TEST_F(BevelLayerDialogTest, MissingColoursReadAsTheSystemColoursTheyStandFor) {
  form.SetProperties("Highlight=clRed;Shadow=clBlue;");
  form.SetProperties("Pen=2;");
  EXPECT_EQ(SelectedName(form.HighlightColors()), "Button highlight");
  EXPECT_EQ(form.GetProperties(), "Highlight=clBtnHighlight;Shadow=clBtnShadow;Pen=2;");
  // Gray comes back as Dark Gray.
  form.ShadowColors().SelectColorName("Gray");
  form.SetProperties(form.GetProperties());
  EXPECT_EQ(SelectedName(form.ShadowColors()), "Dark Gray");

  // A colour that does not convert stops the load before the pen.
  EXPECT_THROW(form.SetProperties("Highlight=clWhite;Shadow=grey;Pen=9;"), document::ConversionError);
  EXPECT_EQ(SelectedName(form.HighlightColors()), "White");
  EXPECT_EQ(Child<controls::SpinEdit>(form, "penWidthEdit")->Text(), "2");
}

TEST_F(BevelLayerDialogTest, EnterIsOkAndTheTypedPenIsClampedFirst) {
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  auto* pen = Child<controls::SpinEdit>(form, "penWidthEdit");
  pen->setFocus();
  pen->SetText(QStringLiteral("4"));
  QTest::keyClick(pen, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(document::GetPropValue("Pen", form.GetProperties(), ""), "4");
}

TEST_F(BevelLayerDialogTest, RandomBevels) {
  Child<controls::SpinEdit>(form, "penWidthEdit")->SetValue(6);
  bool seen[5] = {};
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    document::SeedRandom(seed);
    const std::string props = form.RandomProperties();
    const std::string highlight = document::GetPropValue("Highlight", props, "");
    const std::string shadow = document::GetPropValue("Shadow", props, "");
    const int pen = document::StringToInt(document::GetPropValue("Pen", props, ""));
    ASSERT_TRUE(pen >= 0 && pen <= 4) << props;
    seen[pen] = true;
    EXPECT_EQ(props, "Highlight=" + highlight + ";Shadow=" + shadow + ";Pen=" + std::to_string(pen) + ";");
    EXPECT_EQ(document::ColorToString(form.HighlightColors().GetSelectedColor()), highlight);
    EXPECT_EQ(document::ColorToString(form.ShadowColors().GetSelectedColor()), shadow);
  }
  for (bool s : seen) EXPECT_TRUE(s);
  EXPECT_EQ(Child<controls::SpinEdit>(form, "penWidthEdit")->Text(), "6");
  // A random pen of 0 shows as 1 in the editor.
  form.SetProperties("Pen=0;");
  EXPECT_EQ(Child<controls::SpinEdit>(form, "penWidthEdit")->Text(), "1");
}

}  // namespace
}  // namespace vorbel::ui

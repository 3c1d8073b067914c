#include "controls/spin_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

namespace vorbel::controls {
namespace {

TEST(ReadDecimalInteger, AcceptsSignAndDigitsOnly) {
  EXPECT_EQ(ReadDecimalInteger("0"), 0);
  EXPECT_EQ(ReadDecimalInteger("42"), 42);
  EXPECT_EQ(ReadDecimalInteger("+7"), 7);
  EXPECT_EQ(ReadDecimalInteger("-7"), -7);
  EXPECT_EQ(ReadDecimalInteger("-0"), 0);
  EXPECT_EQ(ReadDecimalInteger("007"), 7);
  EXPECT_EQ(ReadDecimalInteger("2147483647"), INT_MAX);
  EXPECT_EQ(ReadDecimalInteger("-2147483648"), INT_MIN);

  for (const char* bad : {"", "-", "+", "abc", " 5", "5 ", "1e3", "0x10", "$10", "--1", "+-1",
                          "2147483648", "-2147483649", "99999999999999999999", "1.5"}) {
    EXPECT_FALSE(ReadDecimalInteger(QString::fromLatin1(bad)).has_value()) << bad;
  }
  // Digits of other scripts are not decimal digits here.
  EXPECT_FALSE(ReadDecimalInteger(QString::fromUtf8("\u0661\u0662")).has_value());
}

class SpinEditTest : public ::testing::Test {
 protected:
  void Step(Qt::Key key) { QTest::keyClick(&edit, key); }

  // The centre of the up or down arrow in widget coordinates.
  QPoint ArrowCentre(QStyle::SubControl arrow) {
    QStyleOptionSpinBox option;
    option.initFrom(&edit);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.frame = true;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return edit.style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, &edit).center();
  }

  void LoseFocus(Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(&edit, &out);
  }

  SpinEdit edit;
};

TEST_F(SpinEditTest, KeepsAnyTextAndReadsItsValue) {
  EXPECT_EQ(edit.Text(), "0");
  for (const char* text : {"", "-", "abc", "12px", "- 3"}) {
    edit.SetText(QString::fromLatin1(text));
    EXPECT_EQ(edit.Text(), QString::fromLatin1(text));
    EXPECT_EQ(edit.Value(), 0) << text;
  }
  edit.SetText("-35");
  EXPECT_EQ(edit.Value(), -35);
  // The text is read as every stored integer of the program is read.
  edit.SetText(" 12");
  EXPECT_EQ(edit.Value(), 12);
  edit.SetText("$10");
  EXPECT_EQ(edit.Value(), 16);
  EXPECT_EQ(edit.Text(), "$10");

  // Typed text stays as typed, even where it is no integer.
  edit.SetText("");
  QTest::keyClicks(&edit, "-x9");
  EXPECT_EQ(edit.Text(), "-x9");
  EXPECT_EQ(edit.Value(), 0);
}

TEST_F(SpinEditTest, SignalsEveryTextChange) {
  QSignalSpy spy(&edit, &SpinEdit::changed);
  edit.SetText("5");
  EXPECT_EQ(spy.count(), 1);
  edit.SetText("5");  // the same text is no change
  EXPECT_EQ(spy.count(), 1);
  edit.SetValue(6);
  EXPECT_EQ(spy.count(), 2);
  QTest::keyClicks(&edit, "12");
  EXPECT_EQ(spy.count(), 4);
  Step(Qt::Key_Up);
  EXPECT_EQ(spy.count(), 5);
  EXPECT_EQ(edit.Text(), "613");
}

TEST_F(SpinEditTest, KeysStepByOneFromTheTextsValue) {
  edit.SetText("abc");
  Step(Qt::Key_Up);
  EXPECT_EQ(edit.Text(), "1");
  edit.SetText("");
  Step(Qt::Key_Down);
  EXPECT_EQ(edit.Text(), "-1");
  Step(Qt::Key_Down);
  EXPECT_EQ(edit.Text(), "-2");
  edit.SetText("-");
  Step(Qt::Key_Up);
  EXPECT_EQ(edit.Text(), "1");
}

TEST_F(SpinEditTest, StepsStopAtTheIntegerRangeWithoutLimits) {
  edit.SetValue(INT_MAX);
  edit.stepBy(1);
  EXPECT_EQ(edit.Value(), INT_MAX);
  edit.SetValue(INT_MIN);
  edit.stepBy(-1);
  EXPECT_EQ(edit.Value(), INT_MIN);
  edit.stepBy(-5);
  EXPECT_EQ(edit.Text(), "-2147483648");
}

TEST_F(SpinEditTest, ArrowClickStepsOnceAndHoldingRepeats) {
  edit.resize(120, 26);
  edit.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
  edit.SetValue(10);

  QTest::mouseClick(&edit, Qt::LeftButton, {}, ArrowCentre(QStyle::SC_SpinBoxUp));
  EXPECT_EQ(edit.Value(), 11);
  QTest::mouseClick(&edit, Qt::LeftButton, {}, ArrowCentre(QStyle::SC_SpinBoxDown));
  EXPECT_EQ(edit.Value(), 10);

  // Held down, the arrow repeats at the platform's rate after its threshold.
  const QPoint up = ArrowCentre(QStyle::SC_SpinBoxUp);
  QTest::mousePress(&edit, Qt::LeftButton, {}, up);
  const int threshold = edit.style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold);
  const int rate = edit.style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate);
  QTest::qWait(threshold + 4 * rate);
  QTest::mouseRelease(&edit, Qt::LeftButton, {}, up);
  EXPECT_GT(edit.Value(), 12);
}

TEST_F(SpinEditTest, LimitsClampSetValueAndStepsAtOnce) {
  edit.SetMinValue(1);
  edit.SetMaxValue(10);
  edit.SetValue(20);
  EXPECT_EQ(edit.Text(), "10");
  edit.SetValue(-3);
  EXPECT_EQ(edit.Text(), "1");

  edit.SetValue(10);
  Step(Qt::Key_Up);
  EXPECT_EQ(edit.Text(), "10");
  edit.stepBy(1);
  EXPECT_EQ(edit.Text(), "10");
  edit.stepBy(-50);
  EXPECT_EQ(edit.Text(), "1");

  // Text that is no integer reads as the minimum and steps from there.
  edit.SetText("abc");
  EXPECT_EQ(edit.Value(), 1);
  edit.stepBy(1);
  EXPECT_EQ(edit.Text(), "2");
}

TEST_F(SpinEditTest, LimitsClampTypedTextOnlyWhenFocusLeaves) {
  edit.SetMinValue(0);
  edit.SetMaxValue(360);
  edit.SetText("");
  QTest::keyClicks(&edit, "400");
  EXPECT_EQ(edit.Text(), "400");
  EXPECT_EQ(edit.Value(), 400);  // read unclamped until then
  LoseFocus();
  EXPECT_EQ(edit.Text(), "360");

  edit.SetText("-5");
  LoseFocus();
  EXPECT_EQ(edit.Text(), "0");

  // Text that is no integer is left as it is.
  edit.SetText("abc");
  LoseFocus();
  EXPECT_EQ(edit.Text(), "abc");

  // A value inside the limits keeps its spelling.
  edit.SetText("+07");
  LoseFocus();
  EXPECT_EQ(edit.Text(), "+07");

  // The window closing or losing its activation, or a menu opening, is no
  // leaving of the box: the text stays as typed.
  edit.SetText("400");
  LoseFocus(Qt::ActiveWindowFocusReason);
  LoseFocus(Qt::PopupFocusReason);
  EXPECT_EQ(edit.Text(), "400");
  LoseFocus(Qt::MouseFocusReason);
  EXPECT_EQ(edit.Text(), "360");
}

TEST_F(SpinEditTest, EqualLimitsMeanNoLimits) {
  edit.SetMinValue(5);
  edit.SetMaxValue(5);
  edit.SetValue(100);
  EXPECT_EQ(edit.Text(), "100");
  LoseFocus();
  EXPECT_EQ(edit.Text(), "100");
  EXPECT_EQ(edit.Value(), 100);
}

TEST_F(SpinEditTest, ReadOnlyDoesNotStep) {
  edit.SetValue(3);
  edit.setReadOnly(true);
  Step(Qt::Key_Up);
  edit.stepBy(1);
  EXPECT_EQ(edit.Text(), "3");
}

TEST_F(SpinEditTest, IntegerReaderCanBeReplaced) {
  auto hex = [](const QString& text) -> std::optional<int> {
    if (text.startsWith(u'$')) {
      bool ok = false;
      const int value = text.mid(1).toInt(&ok, 16);
      if (ok) return value;
      return std::nullopt;
    }
    return ReadDecimalInteger(text);
  };
  edit.SetIntegerReader(hex);
  edit.SetText("$10");
  EXPECT_EQ(edit.Value(), 16);
  Step(Qt::Key_Up);
  EXPECT_EQ(edit.Text(), "17");

  edit.SetIntegerReader(ReadDecimalInteger);
  edit.SetText("$10");
  EXPECT_EQ(edit.Value(), 0);

  // The process-wide reader applies to every spin edit without its own; an
  // empty one restores the program's integer reading.
  SpinEdit::SetDefaultIntegerReader(ReadDecimalInteger);
  SpinEdit other;
  other.SetText("$20");
  EXPECT_EQ(other.Value(), 0);
  SpinEdit::SetDefaultIntegerReader({});
  EXPECT_EQ(other.Value(), 32);
}

}  // namespace
}  // namespace vorbel::controls

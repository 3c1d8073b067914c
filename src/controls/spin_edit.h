#pragma once
// A spin edit that holds free text and steps an integer read from it.

#include <QAbstractSpinBox>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace vorbel::controls {

// Reads an integer from a spin edit's text; empty when the text is no integer.
using IntegerReader = std::function<std::optional<int>(const QString&)>;

// Optional sign ("+" or "-") followed by one or more decimal digits, the whole
// text and nothing else, fitting a signed 32-bit integer. Anything else
// (empty text, "-", blanks, trailing characters, overflow) gives no value.
std::optional<int> ReadDecimalInteger(const QString& text);

// An edit field with up and down arrows whose text is free: it accepts any
// text, "" and "-" included, and keeps it exactly as typed or set. The value
// is read from the text when it is asked for.
//
// Limits: MinValue == MaxValue (both 0 by default) means no limits. With
// limits, SetValue() and the arrows clamp at once, while typed text is
// clamped only when the keyboard focus moves on to another control of the
// window (not when the window itself closes or is deactivated); text that is
// no integer is left alone then.
//
// The arrows, the Up and Down keys and the mouse wheel step by 1 from Value();
// holding an arrow or a key repeats at the platform's own rate.
class SpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit SpinEdit(QWidget* parent = nullptr);

  QString Text() const;
  void SetText(const QString& text);

  // The text read as an integer; MinValue (0 without limits) when it does not
  // convert. Not clamped: the text may hold a value outside the limits until
  // the control loses the focus.
  int Value() const;
  // Writes the value as decimal text, clamped to the limits when there are any.
  void SetValue(int value);

  int MinValue() const { return min_value_; }
  int MaxValue() const { return max_value_; }
  // Changing a limit does not touch the text; it is clamped on the next
  // SetValue(), step or loss of focus.
  void SetMinValue(int value);
  void SetMaxValue(int value);
  bool HasLimits() const { return min_value_ != max_value_; }

  // Replaces the integer reading of this control (the program plugs in its
  // own converter here); an empty reader restores the process-wide default.
  void SetIntegerReader(IntegerReader reader);
  // The reader every spin edit uses unless given its own; an empty reader
  // restores the program's integer reading (TryStringToInt).
  static void SetDefaultIntegerReader(IntegerReader reader);

  // Keys the field leaves to the window's shortcuts although its text would
  // take them (Ctrl+Z, Ctrl+E for the end of the line): with these the
  // window's commands act while the cursor is in the field.
  void SetWindowShortcuts(QList<QKeySequence> keys) { window_shortcuts_ = std::move(keys); }

  // QAbstractSpinBox
  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // Every change of the text: typing, a step, SetText() or SetValue().
  void changed();

 protected:
  StepEnabled stepEnabled() const override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::optional<int> ReadText(const QString& text) const;
  int Clamp(long long value) const;

  int min_value_ = 0;
  int max_value_ = 0;
  IntegerReader reader_;
  QList<QKeySequence> window_shortcuts_;
};

}  // namespace vorbel::controls

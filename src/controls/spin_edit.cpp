#include "controls/spin_edit.h"

#include "document/value_conversion.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <climits>
#include <utility>

namespace vorbel::controls {

namespace {

// Every spin edit reads its text as the program reads any stored integer:
// leading blanks, an optional sign and decimal digits, or "$"/"x"/"0x"
// hexadecimal, so a size typed as "$40" is the 64 the render pass draws.
std::optional<int> ReadProgramInteger(const QString& text) { return document::TryStringToInt(text.toStdString()); }

IntegerReader& DefaultReader() {
  static IntegerReader reader = ReadProgramInteger;
  return reader;
}

}  // namespace

std::optional<int> ReadDecimalInteger(const QString& text) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  // Accumulate as a negative number so that INT_MIN fits.
  long long value = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 - (c - u'0');
    if (value < static_cast<long long>(INT_MIN)) return std::nullopt;
  }
  if (!negative) {
    value = -value;
    if (value > INT_MAX) return std::nullopt;
  }
  return static_cast<int>(value);
}

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  // The text is ours: the base class must never reformat or revert it.
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  setAccelerated(false);
  lineEdit()->setText(QStringLiteral("0"));
  connect(lineEdit(), &QLineEdit::textChanged, this, [this] { emit changed(); });
}

QString SpinEdit::Text() const { return lineEdit()->text(); }

void SpinEdit::SetText(const QString& text) {
  if (text == lineEdit()->text()) return;
  lineEdit()->setText(text);
}

std::optional<int> SpinEdit::ReadText(const QString& text) const {
  const IntegerReader& reader = reader_ ? reader_ : DefaultReader();
  return reader ? reader(text) : ReadDecimalInteger(text);
}

int SpinEdit::Value() const { return ReadText(Text()).value_or(min_value_); }

int SpinEdit::Clamp(long long value) const {
  if (HasLimits()) {
    if (value < min_value_) value = min_value_;
    if (value > max_value_) value = max_value_;
  }
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void SpinEdit::SetValue(int value) { SetText(QString::number(Clamp(value))); }

void SpinEdit::SetMinValue(int value) {
  min_value_ = value;
  update();
}

void SpinEdit::SetMaxValue(int value) {
  max_value_ = value;
  update();
}

void SpinEdit::SetIntegerReader(IntegerReader reader) { reader_ = std::move(reader); }

void SpinEdit::SetDefaultIntegerReader(IntegerReader reader) {
  DefaultReader() = reader ? std::move(reader) : IntegerReader(ReadProgramInteger);
}

void SpinEdit::stepBy(int steps) {
  if (isReadOnly() || steps == 0) return;
  SetText(QString::number(Clamp(static_cast<long long>(Value()) + steps)));
  if (style()->styleHint(QStyle::SH_SpinBox_SelectOnStep, nullptr, this)) lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  const int value = Value();
  StepEnabled enabled = StepNone;
  const bool can_go_up = HasLimits() ? value < max_value_ : value < INT_MAX;
  const bool can_go_down = HasLimits() ? value > min_value_ : value > INT_MIN;
  if (can_go_up) enabled |= StepUpEnabled;
  if (can_go_down) enabled |= StepDownEnabled;
  return enabled;
}

QValidator::State SpinEdit::validate(QString& /*input*/, int& /*pos*/) const {
  return QValidator::Acceptable;
}

void SpinEdit::fixup(QString& /*input*/) const {}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
  // Only leaving the box for another control clamps. The window losing its
  // activation (closing with Enter or Esc, switching to another program) or a
  // menu opening over it leaves the text as typed.
  const bool left_the_box =
      event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
  if (HasLimits() && left_the_box) {
    const std::optional<int> read = ReadText(Text());
    if (read && Clamp(*read) != *read) SetValue(*read);
  }
  QAbstractSpinBox::focusOutEvent(event);
}

bool SpinEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && !window_shortcuts_.isEmpty()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QKeySequence& shortcut : window_shortcuts_) {
      if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
        // Not taken here: the shortcut goes to the window.
        event->ignore();
        return true;
      }
    }
  }
  return QAbstractSpinBox::event(event);
}

QSize SpinEdit::sizeHint() const {
  ensurePolished();
  const QFontMetrics metrics(fontMetrics());
  const int text_width = metrics.horizontalAdvance(QStringLiteral("-2147483648 "));
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  const QSize contents(text_width + 2, lineEdit()->sizeHint().height());
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, contents, this);
}

QSize SpinEdit::minimumSizeHint() const {
  ensurePolished();
  const QFontMetrics metrics(fontMetrics());
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  const QSize contents(metrics.horizontalAdvance(QStringLiteral("000")) + 2,
                       lineEdit()->minimumSizeHint().height());
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, contents, this);
}

}  // namespace vorbel::controls

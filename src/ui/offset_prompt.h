#pragma once
// The value prompt of the "left" and "top" commands: one integer, OK and
// Cancel. It has no behaviour of its own; the caller sets the value, runs the
// dialog and reads the value back after OK.

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorbel::controls {
class SpinEdit;
}  // namespace vorbel::controls

namespace vorbel::ui {

class OffsetPrompt : public QDialog {
  Q_OBJECT

 public:
  explicit OffsetPrompt(QWidget* parent = nullptr);

  // The value as the spin edit reads its text: 0 when it is no integer.
  int Value() const;
  void SetValue(int value);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* value_label_ = nullptr;
  controls::SpinEdit* value_edit_ = nullptr;  // no lower or upper limit
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vorbel::ui

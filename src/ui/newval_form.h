#pragma once
// The value prompt of the "left" and "top" commands: one integer, OK and
// Cancel. It has no behaviour of its own; the caller sets the value, runs the
// dialog and reads the value back after OK.

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorbel {
class SpinEdit;
}

namespace vorbel::ui {

class TfrmNewValue : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmNewValue(QWidget* parent = nullptr);

  QLabel* lblValue = nullptr;
  SpinEdit* sedtValue = nullptr;  // no lower or upper limit
  QPushButton* btnOk = nullptr;
  QPushButton* Button1 = nullptr;  // Cancel

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace vorbel::ui

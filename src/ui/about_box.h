#pragma once
// The second about window: picture, name, version, copyright and licence
// with an Ok button. Start-up creates it with the other windows; closing it frees it.

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorbel::ui {

class AboutBox final : public QDialog {
  Q_OBJECT

 public:
  // `programFile` is the program file whose version is shown ("" for the
  // running one).
  explicit AboutBox(QWidget* parent = nullptr, const QString& programFile = QString());

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Reads the version again: shown and activated, the box tells the version
  // of the program file as it is now.
  void ShowVersion();

  QString program_file_;
  QLabel* picture_ = nullptr;
  QLabel* product_label_ = nullptr;
  QLabel* version_label_ = nullptr;
  QLabel* copyright_label_ = nullptr;
  QLabel* license_label_ = nullptr;
  QPushButton* ok_button_ = nullptr;
};

}  // namespace vorbel::ui

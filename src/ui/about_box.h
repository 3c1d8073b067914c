#pragma once
// The second about window: picture, name, version and copyright with an Ok
// button. Start-up creates it with the other windows; closing it frees it.

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorbel::ui {

class TAboutBox final : public QDialog {
  Q_OBJECT

 public:
  // `programFile` is the program file whose version is shown ("" for the
  // running one).
  explicit TAboutBox(QWidget* parent = nullptr, const QString& programFile = QString());

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblCopyright = nullptr;
  QPushButton* btnOk = nullptr;

 public slots:
  void FormActivate();
  void btnOkClick();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QString program_file_;
};

}  // namespace vorbel::ui

#pragma once
// The editor of image layers: a picture file and whether it is drawn
// transparently.

#include <QDialog>

#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vorbel::ui {

class OpenPicDlg;

class TfrmImage : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmImage(QWidget* parent = nullptr);
  ~TfrmImage() override;

  // Loads the controls from an image property string: Image (default empty)
  // into the path, Transparent (default "N") into the check box. Never fails;
  // the path is not checked.
  void SetProperties(const std::string& props);
  // "Image=<path>;Transparent=Yes|No;", the path exactly as the edit holds it.
  std::string GetProperties() const;

  // The picture chooser, made on first use and kept, so that it starts where
  // it was left.
  OpenPicDlg& PictureDialog();

  QLabel* lblImage = nullptr;
  QLineEdit* edtImage = nullptr;
  QToolButton* sbtnSelectImage = nullptr;
  QCheckBox* cbxTransparent = nullptr;
  QPushButton* btnOk = nullptr;

 public slots:
  void sbtnSelectImageClick();
  void btnOkClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  OpenPicDlg* openPicDlg_ = nullptr;
};

}  // namespace vorbel::ui

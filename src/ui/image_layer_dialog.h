#pragma once
// The editor of image layers: a picture file and whether it is drawn
// transparently.

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vorbel::ui {

class PictureChooser;

class ImageLayerDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ImageLayerDialog(QWidget* parent = nullptr);

  // Loads the controls from an image property string: Image (default empty)
  // into the path, Transparent (default "N") into the check box. Never fails;
  // the path is not checked.
  void SetProperties(const std::string& props);
  // "Image=<path>;Transparent=Yes|No;", the path exactly as the edit holds it.
  std::string GetProperties() const;

  // The picture chooser, made on first use and kept, so that it starts where
  // it was left.
  PictureChooser& Chooser();

 public slots:
  // Runs the picture chooser and takes the picture chosen with OK.
  void ChooseImage();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* image_label_ = nullptr;
  QLineEdit* image_edit_ = nullptr;
  QToolButton* choose_image_button_ = nullptr;
  QCheckBox* transparent_box_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  PictureChooser* picture_chooser_ = nullptr;
};

}  // namespace vorbel::ui

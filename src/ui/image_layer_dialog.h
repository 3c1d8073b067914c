#pragma once
// The editor of image layers: a picture file and whether it is drawn
// transparently.

#include <QDialog>
#include <QString>

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

  // Where the picture chooser looks for the Textures folder when the path
  // names no existing file (see FindTexturesFolder). By default the running
  // program's folder and the share folder derived from it.
  void SetDataFolders(const QString& programFolder, const QString& sharedDataFolder = {});
  // The picture chooser, made on first use and kept between uses.
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
  QPushButton* cancel_button_ = nullptr;
  PictureChooser* picture_chooser_ = nullptr;
  QString program_folder_;
  QString shared_data_folder_;
};

}  // namespace vorbel::ui

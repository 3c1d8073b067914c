#pragma once
// The picture chooser of the background and image editors: an open-file
// dialog for BMP and JPEG pictures with a preview of the highlighted file,
// decoded by the program's own picture readers, so the preview shows exactly
// what a layer will draw.

#include <QFileDialog>
#include <QImage>
#include <QString>

class QLabel;

namespace vorbel::ui {

// Decodes the picture at `path` as the layer drawers do (JPEG when the
// extension holds "JP", otherwise BMP). A null image when it cannot be read.
QImage LoadPreviewImage(const QString& path);

// The folder a picture chooser starts in when the edited path names no
// existing file: "Textures" beside the program when it is a folder, else
// "Textures" in the installed program's shared data folder when that is one
// (without a shared folder given: <prefix>/share/vorbel for a program in
// <prefix>/bin or <prefix>/lib/vorbel). Empty when there is none.
QString FindTexturesFolder(const QString& programFolder, const QString& sharedDataFolder = {});

// The preview pane: the picture scaled down to fit, or a small one enlarged by a
// whole factor (at most 8) with its pixels kept sharp, with its size
// below it, or a note when the highlighted file is no readable picture.
class PicturePreview : public QWidget {
  Q_OBJECT

 public:
  explicit PicturePreview(QWidget* parent = nullptr);

  // Shows the picture at `path`; an empty path or a folder clears the pane.
  void ShowPicture(const QString& path);
  const QImage& Picture() const { return picture_; }
  QString Caption() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateImage();

  QLabel* image_ = nullptr;
  QLabel* caption_ = nullptr;
  QImage picture_;
};

class PictureChooser : public QFileDialog {
  Q_OBJECT

 public:
  explicit PictureChooser(QWidget* parent = nullptr);

  // The filters offered, the first selected, and the extension added to a typed
  // name that has none.
  static QStringList PictureFilters();
  static QString DefaultExtension() { return QStringLiteral("jpg"); }

  PicturePreview* Preview() const { return preview_; }

  // Starts in the folder of `picture` with it selected when it names an
  // existing file; otherwise in `textures` when that is not empty, keeping
  // the file name of the last use.
  void StartFrom(const QString& picture, const QString& textures);

 private:
  PicturePreview* preview_ = nullptr;
};

}  // namespace vorbel::ui

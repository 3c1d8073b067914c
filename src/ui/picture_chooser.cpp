#include "ui/picture_chooser.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "codecs/picture.h"

namespace vorbel::ui {
namespace {

constexpr int kPreviewWidth = 180;
// Files larger than this are not decoded for the preview: the pane must stay
// responsive while the user moves through a folder.
constexpr qint64 kMaxPreviewFileBytes = 64ll * 1024 * 1024;

bool IsFolder(const QString& path) {
  const QFileInfo info(path);
  return !path.isEmpty() && info.exists() && info.isDir();
}

}  // namespace

QImage LoadPreviewImage(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isFile() || info.size() > kMaxPreviewFileBytes) return {};
  try {
    const codecs::Picture picture = codecs::LoadPicture(QFile::encodeName(path).toStdString());
    if (picture.width <= 0 || picture.height <= 0) return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < picture.height; ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < picture.width; ++x) row[x] = 0xFF000000u | picture.At(x, y).Rgb();
    }
    return image;
  } catch (const codecs::PictureError&) {
    return {};
  } catch (const std::bad_alloc&) {
    return {};
  }
}

QString FindTexturesFolder(const QString& programFolder, const QString& sharedDataFolder) {
  QStringList candidates;
  if (!programFolder.isEmpty()) candidates << QDir(programFolder).filePath(QStringLiteral("Textures"));
  if (!sharedDataFolder.isEmpty()) {
    candidates << QDir(sharedDataFolder).filePath(QStringLiteral("Textures"));
  } else if (!programFolder.isEmpty()) {
    // An installed program lives in <prefix>/bin or <prefix>/lib/vorbel.
    candidates << QDir(programFolder).filePath(QStringLiteral("../share/vorbel/Textures"))
               << QDir(programFolder).filePath(QStringLiteral("../../share/vorbel/Textures"));
  }
  for (const QString& candidate : candidates) {
    if (IsFolder(candidate)) return QDir::cleanPath(candidate);
  }
  return {};
}

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picturePreview"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 0, 0);
  image_ = new QLabel(this);
  image_->setAlignment(Qt::AlignCenter);
  image_->setFrameShape(QFrame::StyledPanel);
  image_->setMinimumSize(kPreviewWidth, kPreviewWidth);
  image_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  caption_ = new QLabel(this);
  caption_->setAlignment(Qt::AlignCenter);
  layout->addWidget(image_, 1);
  layout->addWidget(caption_);
  setFixedWidth(kPreviewWidth + 4);
}

void PicturePreview::ShowPicture(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isFile()) {
    picture_ = QImage();
    caption_->clear();
  } else {
    picture_ = LoadPreviewImage(path);
    caption_->setText(picture_.isNull() ? tr("No preview")
                                        : tr("%1 x %2").arg(picture_.width()).arg(picture_.height()));
  }
  UpdateImage();
}

QString PicturePreview::Caption() const { return caption_->text(); }

void PicturePreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateImage();
}

void PicturePreview::UpdateImage() {
  if (picture_.isNull()) {
    image_->setPixmap(QPixmap());
    return;
  }
  const QSize room = image_->contentsRect().size() - QSize(4, 4);
  QImage shown = picture_;
  if (shown.width() > room.width() || shown.height() > room.height()) {
    shown = shown.scaled(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  } else {
    // Small pictures are enlarged by a whole factor, pixels kept sharp, so a
    // thin gradient strip or a tiny tile can still be judged.
    const int factor = std::min({room.width() / shown.width(), room.height() / shown.height(), 8});
    if (factor > 1) shown = shown.scaled(shown.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  image_->setPixmap(QPixmap::fromImage(shown));
}

void PictureChooser::StartFrom(const QString& picture, const QString& textures) {
  const QFileInfo info(picture);
  if (!picture.isEmpty() && info.isFile()) {
    setDirectory(info.absolutePath());
    selectFile(info.absoluteFilePath());
  } else if (!textures.isEmpty()) {
    setDirectory(textures);
  }
}

QStringList PictureChooser::PictureFilters() {
  return {tr("All supported files (*.jpeg *.jpg *.bmp)"), tr("JPEG files (*.jpeg *.jpg)"), tr("Bitmap files (*.bmp)"),
          tr("All files (*)")};
}

PictureChooser::PictureChooser(QWidget* parent) : QFileDialog(parent) {
  setObjectName(QStringLiteral("pictureChooser"));
  setWindowTitle(tr("Open"));
  // Our own dialog, not the desktop's, so the preview pane can sit beside the
  // file list.
  setOption(QFileDialog::DontUseNativeDialog, true);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::ExistingFile);
  setNameFilters(PictureFilters());
  selectNameFilter(PictureFilters().front());
  setDefaultSuffix(DefaultExtension());

  preview_ = new PicturePreview(this);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(preview_, 0, grid->columnCount(), grid->rowCount(), 1);
  } else if (layout()) {
    layout()->addWidget(preview_);
  }
  connect(this, &QFileDialog::currentChanged, preview_, &PicturePreview::ShowPicture);
  // A name typed into the file name field is previewed as well.
  if (auto* nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    connect(nameEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
      const QString path = QDir(directory()).absoluteFilePath(text.trimmed());
      if (!text.trimmed().isEmpty() && QFileInfo(path).isFile()) preview_->ShowPicture(path);
    });
  }
  // The dialog's tool buttons (back, forward, parent folder, new folder, the
  // two views) show only pictures: a screen reader announces each by its
  // tool tip, and Tab reaches each.
  for (QToolButton* button : findChildren<QToolButton*>()) {
    if (button->accessibleName().isEmpty() && !button->toolTip().isEmpty()) {
      button->setAccessibleName(button->toolTip());
    }
    button->setFocusPolicy(Qt::TabFocus);
  }
  preview_->setAccessibleName(tr("Picture preview"));
  resize(sizeHint().width() + preview_->width(), sizeHint().height());
}

}  // namespace vorbel::ui

#include "ui/image_layer_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "document/layer_schema.h"
#include "ui/dialog_helpers.h"
#include "ui/dialog_seam.h"
#include "ui/picture_chooser.h"

namespace vorbel::ui {

ImageLayerDialog::ImageLayerDialog(QWidget* parent)
    : QDialog(parent), program_folder_(QCoreApplication::applicationDirPath()) {
  setObjectName(QStringLiteral("imageLayerDialog"));
  MakeFixedDialog(*this, tr("Image"), 354, 100);

  image_label_ = new QLabel(tr("Image"), this);
  image_label_->setObjectName(QStringLiteral("imageLabel"));
  image_label_->setGeometry(8, 6, 200, 16);

  image_edit_ = new QLineEdit(this);
  image_edit_->setObjectName(QStringLiteral("imageEdit"));
  image_edit_->setGeometry(8, 23, 312, 24);
  SetHint(*image_edit_, tr("|Get the background from a file"));
  image_label_->setBuddy(image_edit_);

  choose_image_button_ = new QToolButton(this);
  choose_image_button_->setObjectName(QStringLiteral("chooseImageButton"));
  choose_image_button_->setGeometry(322, 23, 24, 24);
  choose_image_button_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  choose_image_button_->setAutoRaise(true);
  choose_image_button_->setFocusPolicy(Qt::NoFocus);
  connect(choose_image_button_, &QToolButton::clicked, this, &ImageLayerDialog::ChooseImage);

  transparent_box_ = new QCheckBox(tr("Transparent"), this);
  transparent_box_->setObjectName(QStringLiteral("transparentBox"));
  transparent_box_->setGeometry(8, 56, 200, 20);

  ok_button_ = new QPushButton(tr("OK"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setGeometry(192, 68, 75, 25);
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  cancel_button_ = MakeCancelButton(*this, this, {271, 68, 75, 25});
}

void ImageLayerDialog::SetDataFolders(const QString& programFolder, const QString& sharedDataFolder) {
  program_folder_ = programFolder;
  shared_data_folder_ = sharedDataFolder;
}

void ImageLayerDialog::SetProperties(const std::string& text) {
  const document::ImageProperties props = document::ReadImageProperties(text, document::PropertyReader::Editor);
  image_edit_->setText(QString::fromStdString(props.image.Text()));
  transparent_box_->setChecked(props.transparent.Value());
}

std::string ImageLayerDialog::GetProperties() const {
  document::PropertyComposer props;
  props.Put(document::image_keys::kImage, image_edit_->text().toStdString());
  props.PutFlag(document::image_keys::kTransparent, transparent_box_->isChecked());
  return props.Compose(document::kImageSchema.keys);
}

PictureChooser& ImageLayerDialog::Chooser() {
  if (!picture_chooser_) picture_chooser_ = new PictureChooser(this);
  return *picture_chooser_;
}

void ImageLayerDialog::ChooseImage() {
  PictureChooser& chooser = Chooser();
  chooser.StartFrom(image_edit_->text(), FindTexturesFolder(program_folder_, shared_data_folder_));
  if (Dialogs().Exec(chooser) != QDialog::Accepted) return;
  const QStringList files = chooser.selectedFiles();
  if (!files.isEmpty()) image_edit_->setText(files.front());
}

void ImageLayerDialog::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

#include "ui/image_layer_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
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
  image_edit_ = new QLineEdit(this);
  image_edit_->setObjectName(QStringLiteral("imageEdit"));
  image_edit_->setMinimumWidth(300);
  SetHint(*image_edit_, tr("|Get the background from a file"));
  image_label_ = MakeBuddyLabel(tr("Image"), this, "imageLabel", image_edit_);

  choose_image_button_ = MakeChooseButton(this);
  connect(choose_image_button_, &QToolButton::clicked, this, &ImageLayerDialog::ChooseImage);

  transparent_box_ = new QCheckBox(tr("Transparent"), this);
  transparent_box_->setObjectName(QStringLiteral("transparentBox"));

  ok_button_ = new QPushButton(tr("OK"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  cancel_button_ = MakeCancelButton(*this, this);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(2);
  grid->addWidget(image_label_, 0, 0, 1, 2);
  grid->addWidget(image_edit_, 1, 0);
  grid->addWidget(choose_image_button_, 1, 1);
  grid->addWidget(transparent_box_, 2, 0, 1, 2);
  grid->addLayout(MakeOkCancelRow(ok_button_, cancel_button_), 3, 0, 1, 2);
  MakeFixedDialog(*this, tr("Image"), grid);
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

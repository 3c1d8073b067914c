#include "ui/image_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "document/property_string.h"
#include "ui/dialog_seam.h"
#include "ui/form_helpers.h"
#include "ui/open_pic_dialog.h"

namespace vorbel::ui {

TfrmImage::TfrmImage(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmImage"));
  MakeFixedDialog(*this, QStringLiteral("Image"), 354, 100);

  lblImage = new QLabel(QStringLiteral("Image"), this);
  lblImage->setObjectName(QStringLiteral("lblImage"));
  lblImage->setGeometry(8, 6, 200, 16);

  edtImage = new QLineEdit(this);
  edtImage->setObjectName(QStringLiteral("edtImage"));
  edtImage->setGeometry(8, 23, 312, 24);
  SetHint(*edtImage, QStringLiteral("|Get the background from a file"));
  lblImage->setBuddy(edtImage);

  sbtnSelectImage = new QToolButton(this);
  sbtnSelectImage->setObjectName(QStringLiteral("sbtnSelectImage"));
  sbtnSelectImage->setGeometry(322, 23, 24, 24);
  sbtnSelectImage->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  sbtnSelectImage->setAutoRaise(true);
  sbtnSelectImage->setFocusPolicy(Qt::NoFocus);
  connect(sbtnSelectImage, &QToolButton::clicked, this, &TfrmImage::sbtnSelectImageClick);

  cbxTransparent = new QCheckBox(QStringLiteral("Transparent"), this);
  cbxTransparent->setObjectName(QStringLiteral("cbxTransparent"));
  cbxTransparent->setGeometry(8, 56, 200, 20);

  btnOk = new QPushButton(QStringLiteral("OK"), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(271, 68, 75, 25);
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &TfrmImage::btnOkClick);
}

TfrmImage::~TfrmImage() = default;

void TfrmImage::SetProperties(const std::string& props) {
  edtImage->setText(QString::fromStdString(document::GetPropValue("Image", props, "")));
  cbxTransparent->setChecked(document::YesNoToBool(document::GetPropValue("Transparent", props, "N")));
}

std::string TfrmImage::GetProperties() const {
  std::string props = "Image=" + edtImage->text().toStdString() + ";";
  props += cbxTransparent->isChecked() ? "Transparent=Yes;" : "Transparent=No;";
  return props;
}

OpenPicDlg& TfrmImage::PictureDialog() {
  if (!openPicDlg_) openPicDlg_ = new OpenPicDlg(this);
  return *openPicDlg_;
}

void TfrmImage::sbtnSelectImageClick() {
  // The chooser keeps the folder and file name of its previous use.
  OpenPicDlg& dialog = PictureDialog();
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  const QStringList files = dialog.selectedFiles();
  if (!files.isEmpty()) edtImage->setText(files.front());
}

void TfrmImage::btnOkClick() { accept(); }

void TfrmImage::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

#include "ui/about_box.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "ui/dialog_helpers.h"
#include "ui/resources.h"
#include "ui/splash_window.h"

namespace vorbel::ui {

AboutBox::AboutBox(QWidget* parent, const QString& programFile) : QDialog(parent), program_file_(programFile) {
  InitResources();
  setObjectName(QStringLiteral("aboutBox"));
  setAttribute(Qt::WA_DeleteOnClose);
  MakeFixedDialog(*this, tr("About"), 291, 151);

  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("picture"));
  picture_->setGeometry(5, 5, 88, 80);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setPixmap(QPixmap(QStringLiteral(":/icons/vorbel_64.png")));

  product_label_ = new QLabel(QStringLiteral("Vorbelkit"), this);
  product_label_->setObjectName(QStringLiteral("productLabel"));
  QFont bold = product_label_->font();
  bold.setBold(true);
  product_label_->setFont(bold);
  product_label_->move(100, 5);
  product_label_->adjustSize();

  version_label_ = new QLabel(tr("No version number!!!!"), this);
  version_label_->setObjectName(QStringLiteral("versionLabel"));
  version_label_->move(100, 20);
  version_label_->adjustSize();

  copyright_label_ = new QLabel(tr("Copyright (C) 2026 The Vorbel developers"), this);
  copyright_label_->setObjectName(QStringLiteral("copyrightLabel"));
  copyright_label_->move(100, 40);
  copyright_label_->adjustSize();

  license_label_ = new QLabel(tr("Free software under the MIT License: you may use, change and share it."), this);
  license_label_->setObjectName(QStringLiteral("licenseLabel"));
  license_label_->setWordWrap(true);
  license_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  license_label_->setGeometry(100, 58, 185, 50);

  ok_button_ = new QPushButton(tr("Ok"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setGeometry(200, 115, 75, 25);
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::close);
}

void AboutBox::ShowVersion() {
  version_label_->setText(VersionCaption(program_file_));
  version_label_->adjustSize();
}

void AboutBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) ShowVersion();
  QDialog::changeEvent(event);
}

void AboutBox::showEvent(QShowEvent* event) {
  ShowVersion();
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

#include "ui/about_box.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "ui/form_helpers.h"
#include "ui/resources.h"
#include "ui/splash_form.h"

namespace vorbel::ui {

TAboutBox::TAboutBox(QWidget* parent, const QString& programFile) : QDialog(parent), program_file_(programFile) {
  InitResources();
  setObjectName(QStringLiteral("AboutBox"));
  setAttribute(Qt::WA_DeleteOnClose);
  MakeFixedDialog(*this, QStringLiteral("About"), 291, 151);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(5, 5, 88, 80);
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setPixmap(QPixmap(QStringLiteral(":/icons/vorbel_64.png")));

  Label1 = new QLabel(QStringLiteral("Vorbelkit"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label1->move(100, 5);
  Label1->adjustSize();

  lblVersion = new QLabel(QStringLiteral("No version number!!!!"), this);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblVersion->move(100, 20);
  lblVersion->adjustSize();

  lblCopyright = new QLabel(QStringLiteral("Copyright (C) 2026 The Vorbel developers"), this);
  lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
  lblCopyright->move(100, 40);
  lblCopyright->adjustSize();

  btnOk = new QPushButton(QStringLiteral("Ok"), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(200, 115, 75, 25);
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &TAboutBox::btnOkClick);
}

void TAboutBox::FormActivate() {
  lblVersion->setText(VersionCaption(program_file_));
  lblVersion->adjustSize();
}

void TAboutBox::btnOkClick() { close(); }

void TAboutBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QDialog::changeEvent(event);
}

void TAboutBox::showEvent(QShowEvent* event) {
  FormActivate();
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

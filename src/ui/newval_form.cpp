#include "ui/newval_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/spin_edit.h"
#include "ui/form_helpers.h"

namespace vorbel::ui {

TfrmNewValue::TfrmNewValue(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmNewValue"));
  MakeFixedDialog(*this, QStringLiteral("New value"), 162, 94);

  lblValue = new QLabel(QStringLiteral("New value"), this);
  lblValue->setObjectName(QStringLiteral("lblValue"));
  lblValue->setGeometry(5, 10, 151, 15);

  sedtValue = new SpinEdit(this);
  sedtValue->setObjectName(QStringLiteral("sedtValue"));
  ReadProgramIntegers(*sedtValue);
  sedtValue->setGeometry(5, 25, 151, 24);
  lblValue->setBuddy(sedtValue);

  btnOk = new QPushButton(QStringLiteral("OK"), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(5, 60, 75, 25);
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  Button1 = new QPushButton(QStringLiteral("Cancel"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(80, 60, 75, 25);
  Button1->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmNewValue::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  sedtValue->setFocus();
  sedtValue->selectAll();
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

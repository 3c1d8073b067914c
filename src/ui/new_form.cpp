#include "ui/new_form.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ui/form_helpers.h"

namespace vorbel::ui {

TfrmNew::TfrmNew(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmNew"));
  MakeFixedDialog(*this, QStringLiteral("New"), 241, 80);

  lblType = new QLabel(QStringLiteral("Type"), this);
  lblType->setObjectName(QStringLiteral("lblType"));
  lblType->setGeometry(10, 10, 28, 22);
  lblType->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  cboType = new QComboBox(this);
  cboType->setObjectName(QStringLiteral("cboType"));
  cboType->setEditable(false);
  cboType->setGeometry(40, 10, 191, 22);
  cboType->addItems({QStringLiteral("Background"), QStringLiteral("Bevel"), QStringLiteral("Text"),
                     QStringLiteral("Image")});
  lblType->setBuddy(cboType);

  btnOk = new QPushButton(QStringLiteral("OK"), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(80, 45, 75, 25);
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setGeometry(155, 45, 75, 25);
  btnCancel->setAutoDefault(false);
  // Esc closes a QDialog with Rejected, which is what Cancel does.
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  FormCreate();
}

void TfrmNew::FormCreate() { cboType->setCurrentIndex(0); }

QString TfrmNew::SelectedType() const { return cboType->currentText(); }

void TfrmNew::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  cboType->setFocus();
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

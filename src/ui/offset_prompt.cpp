#include "ui/offset_prompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/spin_edit.h"
#include "ui/dialog_helpers.h"

namespace vorbel::ui {

OffsetPrompt::OffsetPrompt(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("offsetPrompt"));
  MakeFixedDialog(*this, tr("New value"), 162, 94);

  value_label_ = new QLabel(tr("New value"), this);
  value_label_->setObjectName(QStringLiteral("valueLabel"));
  value_label_->setGeometry(5, 10, 151, 15);

  value_edit_ = new controls::SpinEdit(this);
  value_edit_->setObjectName(QStringLiteral("valueEdit"));
  ReadProgramIntegers(*value_edit_);
  value_edit_->setGeometry(5, 25, 151, 24);
  value_label_->setBuddy(value_edit_);

  ok_button_ = new QPushButton(tr("OK"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setGeometry(5, 60, 75, 25);
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);

  cancel_button_ = new QPushButton(tr("Cancel"), this);
  cancel_button_->setObjectName(QStringLiteral("cancelButton"));
  cancel_button_->setGeometry(80, 60, 75, 25);
  cancel_button_->setAutoDefault(false);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
}

int OffsetPrompt::Value() const { return value_edit_->Value(); }

void OffsetPrompt::SetValue(int value) { value_edit_->SetValue(value); }

void OffsetPrompt::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  value_edit_->setFocus();
  value_edit_->selectAll();
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

#include "ui/offset_prompt.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/spin_edit.h"
#include "ui/dialog_helpers.h"

namespace vorbel::ui {

OffsetPrompt::OffsetPrompt(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("offsetPrompt"));
  value_edit_ = new controls::SpinEdit(this);
  value_edit_->setObjectName(QStringLiteral("valueEdit"));
  ReadProgramIntegers(*value_edit_);
  value_edit_->setMinimumWidth(150);
  value_label_ = MakeBuddyLabel(tr("New value"), this, "valueLabel", value_edit_);

  ok_button_ = new QPushButton(tr("OK"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);

  cancel_button_ = new QPushButton(tr("Cancel"), this);
  cancel_button_->setObjectName(QStringLiteral("cancelButton"));
  cancel_button_->setAutoDefault(false);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout;
  layout->addWidget(value_label_);
  layout->addWidget(value_edit_);
  layout->addLayout(MakeOkCancelRow(ok_button_, cancel_button_));
  MakeFixedDialog(*this, tr("New value"), layout);
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

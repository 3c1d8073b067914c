#include "ui/layer_type_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "document/layer_type.h"
#include "ui/dialog_helpers.h"

namespace vorbel::ui {

LayerTypeDialog::LayerTypeDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("layerTypeDialog"));
  type_combo_ = new QComboBox(this);
  type_combo_->setObjectName(QStringLiteral("typeCombo"));
  type_combo_->setEditable(false);
  type_combo_->setMinimumWidth(180);
  // Each entry shows the kind in the user's language and holds the Type text
  // a new row gets.
  type_combo_->addItem(tr("Background"), QString::fromUtf8(document::kBackgroundType));
  type_combo_->addItem(tr("Bevel"), QString::fromUtf8(document::kBevelType));
  type_combo_->addItem(tr("Text"), QString::fromUtf8(document::kTextType));
  type_combo_->addItem(tr("Image"), QString::fromUtf8(document::kImageType));
  type_combo_->setCurrentIndex(0);
  type_label_ = MakeBuddyLabel(tr("Type"), this, "typeLabel", type_combo_);

  ok_button_ = new QPushButton(tr("OK"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);

  cancel_button_ = new QPushButton(tr("Cancel"), this);
  cancel_button_->setObjectName(QStringLiteral("cancelButton"));
  cancel_button_->setAutoDefault(false);
  // Esc closes a QDialog with Rejected, which is what Cancel does.
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(type_label_, type_combo_);
  form->addRow(MakeOkCancelRow(ok_button_, cancel_button_));
  MakeFixedDialog(*this, tr("New"), form);
}

QString LayerTypeDialog::SelectedType() const { return type_combo_->currentData().toString(); }

void LayerTypeDialog::SelectType(const QString& type) {
  const int index = type_combo_->findData(type);
  if (index >= 0) type_combo_->setCurrentIndex(index);
}

void LayerTypeDialog::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  type_combo_->setFocus();
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

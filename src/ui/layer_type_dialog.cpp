#include "ui/layer_type_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "document/layer_type.h"
#include "ui/dialog_helpers.h"

namespace vorbel::ui {

LayerTypeDialog::LayerTypeDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("layerTypeDialog"));
  MakeFixedDialog(*this, tr("New"), 241, 80);

  type_label_ = new QLabel(tr("Type"), this);
  type_label_->setObjectName(QStringLiteral("typeLabel"));
  type_label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // The label takes the room its text needs, and the list the rest of the
  // row, with a gap between them in any font.
  const int labelWidth = type_label_->sizeHint().width();
  type_label_->setGeometry(10, 10, labelWidth, 22);

  type_combo_ = new QComboBox(this);
  type_combo_->setObjectName(QStringLiteral("typeCombo"));
  type_combo_->setEditable(false);
  const int comboLeft = std::max(40, 10 + labelWidth + 6);
  type_combo_->setGeometry(comboLeft, 10, 231 - comboLeft, 22);
  // Each entry shows the kind in the user's language and holds the Type text
  // a new row gets.
  type_combo_->addItem(tr("Background"), QString::fromUtf8(document::kBackgroundType));
  type_combo_->addItem(tr("Bevel"), QString::fromUtf8(document::kBevelType));
  type_combo_->addItem(tr("Text"), QString::fromUtf8(document::kTextType));
  type_combo_->addItem(tr("Image"), QString::fromUtf8(document::kImageType));
  type_combo_->setCurrentIndex(0);
  type_label_->setBuddy(type_combo_);

  ok_button_ = new QPushButton(tr("OK"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setGeometry(80, 45, 75, 25);
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);

  cancel_button_ = new QPushButton(tr("Cancel"), this);
  cancel_button_->setObjectName(QStringLiteral("cancelButton"));
  cancel_button_->setGeometry(155, 45, 75, 25);
  cancel_button_->setAutoDefault(false);
  // Esc closes a QDialog with Rejected, which is what Cancel does.
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
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

#include "ui/bevel_layer_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "ui/dialog_helpers.h"
#include "ui/random_entry.h"

namespace vorbel::ui {

BevelLayerDialog::BevelLayerDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("bevelLayerDialog"));
  MakeFixedDialog(*this, tr("Bevel"), 347, 129);

  highlight_label_ = new QLabel(tr("Bevel highlight"), this);
  highlight_label_->setObjectName(QStringLiteral("highlightLabel"));
  highlight_label_->setGeometry(8, 8, 160, 16);
  highlight_combo_ = new controls::ColorComboBox(highlight_colors_, this);
  highlight_combo_->setObjectName(QStringLiteral("highlightCombo"));
  highlight_combo_->setGeometry(8, 26, 160, 22);
  SetHint(*highlight_combo_, tr("|Set the color of the bevel's lighter area"));
  highlight_label_->setBuddy(highlight_combo_);

  shadow_label_ = new QLabel(tr("Bevel shadow"), this);
  shadow_label_->setObjectName(QStringLiteral("shadowLabel"));
  shadow_label_->setGeometry(179, 8, 160, 16);
  shadow_combo_ = new controls::ColorComboBox(shadow_colors_, this);
  shadow_combo_->setObjectName(QStringLiteral("shadowCombo"));
  shadow_combo_->setGeometry(179, 26, 160, 22);
  SetHint(*shadow_combo_, tr("|Set the color of the bevel's darker area"));
  shadow_label_->setBuddy(shadow_combo_);

  pen_width_label_ = new QLabel(tr("Pen thickness"), this);
  pen_width_label_->setObjectName(QStringLiteral("penWidthLabel"));
  pen_width_label_->setGeometry(8, 58, 160, 16);
  pen_width_edit_ = new controls::SpinEdit(this);
  pen_width_edit_->setObjectName(QStringLiteral("penWidthEdit"));
  ReadProgramIntegers(*pen_width_edit_);
  pen_width_edit_->setGeometry(8, 76, 80, 24);
  pen_width_edit_->SetMinValue(1);
  pen_width_edit_->SetMaxValue(10);
  pen_width_edit_->SetValue(1);
  pen_width_label_->setBuddy(pen_width_edit_);

  // Enter anywhere in the dialog is OK, as in every editor.
  ok_button_ = new QPushButton(tr("OK"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setGeometry(185, 96, 75, 25);
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  cancel_button_ = MakeCancelButton(*this, this, {264, 96, 75, 25});

  document::FillColorList(highlight_colors_);
  document::FillColorList(shadow_colors_);
  highlight_colors_.SelectColor(base::Color::FromRgb(255, 255, 255));
  shadow_colors_.SelectColor(base::Color::FromRgb(128, 128, 128));
}

void BevelLayerDialog::SetProperties(const std::string& props) {
  highlight_colors_.SelectOrAddColor(
      document::StringToColor(document::GetPropValue("Highlight", props, "clBtnHighlight")));
  shadow_colors_.SelectOrAddColor(document::StringToColor(document::GetPropValue("Shadow", props, "clBtnShadow")));
  // A bad pen width is not worth an error: it reads as the thinnest pen.
  const int pen = document::TryStringToInt(document::GetPropValue("Pen", props, "2")).value_or(0);
  pen_width_edit_->SetValue(pen);
}

std::string BevelLayerDialog::GetProperties() const {
  return "Highlight=" + document::ColorToString(highlight_colors_.GetSelectedColor()) +
         ";Shadow=" + document::ColorToString(shadow_colors_.GetSelectedColor()) +
         ";Pen=" + std::to_string(pen_width_edit_->Value()) + ";";
}

std::string BevelLayerDialog::RandomProperties() {
  std::string props = "Highlight=" + document::ColorToString(SelectRandomEntry(highlight_colors_)) + ";";
  props += "Shadow=" + document::ColorToString(SelectRandomEntry(shadow_colors_)) + ";";
  props += "Pen=" + std::to_string(document::RandomUpTo(4)) + ";";
  return props;
}

void BevelLayerDialog::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

#include "ui/bevel_layer_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "document/layer_schema.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "ui/dialog_helpers.h"
#include "ui/random_entry.h"

namespace vorbel::ui {

BevelLayerDialog::BevelLayerDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("bevelLayerDialog"));
  highlight_combo_ = new controls::ColorComboBox(highlight_colors_, this);
  highlight_combo_->setObjectName(QStringLiteral("highlightCombo"));
  highlight_combo_->setMinimumWidth(160);
  SetHint(*highlight_combo_, tr("|Set the color of the bevel's lighter area"));
  highlight_label_ = MakeBuddyLabel(tr("Bevel highlight"), this, "highlightLabel", highlight_combo_);

  shadow_combo_ = new controls::ColorComboBox(shadow_colors_, this);
  shadow_combo_->setObjectName(QStringLiteral("shadowCombo"));
  shadow_combo_->setMinimumWidth(160);
  SetHint(*shadow_combo_, tr("|Set the color of the bevel's darker area"));
  shadow_label_ = MakeBuddyLabel(tr("Bevel shadow"), this, "shadowLabel", shadow_combo_);

  pen_width_edit_ = new controls::SpinEdit(this);
  pen_width_edit_->setObjectName(QStringLiteral("penWidthEdit"));
  ReadProgramIntegers(*pen_width_edit_);
  pen_width_edit_->setMinimumWidth(80);
  pen_width_edit_->SetMinValue(1);
  pen_width_edit_->SetMaxValue(10);
  pen_width_edit_->SetValue(document::StringToInt(document::bevel_keys::kPen.first_use));
  pen_width_label_ = MakeBuddyLabel(tr("Pen thickness"), this, "penWidthLabel", pen_width_edit_);

  // Enter anywhere in the dialog is OK, as in every editor.
  ok_button_ = new QPushButton(tr("OK"), this);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  cancel_button_ = MakeCancelButton(*this, this);

  auto* grid = new QGridLayout;
  grid->addWidget(highlight_label_, 0, 0);
  grid->addWidget(highlight_combo_, 1, 0);
  grid->addWidget(shadow_label_, 0, 1);
  grid->addWidget(shadow_combo_, 1, 1);
  grid->addWidget(pen_width_label_, 2, 0);
  grid->addWidget(pen_width_edit_, 3, 0, Qt::AlignLeft);
  grid->addLayout(MakeOkCancelRow(ok_button_, cancel_button_), 4, 0, 1, 2);
  MakeFixedDialog(*this, tr("Bevel"), grid);

  document::FillColorList(highlight_colors_);
  document::FillColorList(shadow_colors_);
  highlight_colors_.SelectColor(document::StringToColor(document::bevel_keys::kHighlight.first_use));
  shadow_colors_.SelectColor(document::StringToColor(document::bevel_keys::kShadow.first_use));
}

void BevelLayerDialog::SetProperties(const std::string& text) {
  const document::BevelProperties props = document::ReadBevelProperties(text, document::PropertyReader::Editor);
  highlight_colors_.SelectOrAddColor(props.highlight.Value());
  shadow_colors_.SelectOrAddColor(props.shadow.Value());
  // A bad pen width is not worth an error: it reads as the thinnest pen.
  pen_width_edit_->SetValue(props.pen.ValueOr(0));
}

std::string BevelLayerDialog::GetProperties() const {
  using namespace document::bevel_keys;
  document::PropertyComposer props;
  props.PutColor(kHighlight, highlight_colors_.GetSelectedColor());
  props.PutColor(kShadow, shadow_colors_.GetSelectedColor());
  props.PutInteger(kPen, pen_width_edit_->Value());
  return props.Compose(document::kBevelSchema.keys);
}

std::string BevelLayerDialog::RandomProperties() {
  using namespace document::bevel_keys;
  document::PropertyComposer props;
  props.PutColor(kHighlight, SelectRandomEntry(highlight_colors_));
  props.PutColor(kShadow, SelectRandomEntry(shadow_colors_));
  props.PutInteger(kPen, document::RandomUpTo(4));
  return props.Compose(document::kBevelSchema.random_order);
}

void BevelLayerDialog::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

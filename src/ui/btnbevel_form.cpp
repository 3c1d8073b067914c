#include "ui/btnbevel_form.h"

#include <QLabel>
#include <QPushButton>

#include "controls/fnp_combo_color.h"
#include "controls/spin_edit.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "ui/form_helpers.h"
#include "ui/random_entry.h"

namespace vorbel::ui {

TfrmBevel::TfrmBevel(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmBevel"));
  MakeFixedDialog(*this, QStringLiteral("Bevel"), 347, 129);

  lblHighlight = new QLabel(QStringLiteral("Bevel highlight"), this);
  lblHighlight->setObjectName(QStringLiteral("lblHighlight"));
  lblHighlight->setGeometry(8, 8, 160, 16);
  cclrBHighlight = new TFnpComboColor(highlightColors_, this);
  cclrBHighlight->setObjectName(QStringLiteral("cclrBHighlight"));
  cclrBHighlight->setGeometry(8, 26, 160, 22);
  SetHint(*cclrBHighlight, QStringLiteral("|Set the color of the bevels lighter area"));
  lblHighlight->setBuddy(cclrBHighlight);

  lblShadow = new QLabel(QStringLiteral("Bevel shadow"), this);
  lblShadow->setObjectName(QStringLiteral("lblShadow"));
  lblShadow->setGeometry(179, 8, 160, 16);
  cclrBShadow = new TFnpComboColor(shadowColors_, this);
  cclrBShadow->setObjectName(QStringLiteral("cclrBShadow"));
  cclrBShadow->setGeometry(179, 26, 160, 22);
  SetHint(*cclrBShadow, QStringLiteral("|Set the color of the bevels darker area"));
  lblShadow->setBuddy(cclrBShadow);

  lblPenWidth = new QLabel(QStringLiteral("Pen thickness"), this);
  lblPenWidth->setObjectName(QStringLiteral("lblPenWidth"));
  lblPenWidth->setGeometry(8, 58, 160, 16);
  sedtPenWidth = new SpinEdit(this);
  sedtPenWidth->setObjectName(QStringLiteral("sedtPenWidth"));
  ReadProgramIntegers(*sedtPenWidth);
  sedtPenWidth->setGeometry(8, 76, 80, 24);
  sedtPenWidth->SetMinValue(1);
  sedtPenWidth->SetMaxValue(10);
  sedtPenWidth->SetValue(1);
  lblPenWidth->setBuddy(sedtPenWidth);

  // Not the default button: Enter in the dialog does not close it, and the
  // click handler closes it.
  btnOk = new QPushButton(QStringLiteral("OK"), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(264, 96, 75, 25);
  btnOk->setAutoDefault(false);
  btnOk->setDefault(false);
  connect(btnOk, &QPushButton::clicked, this, &TfrmBevel::btnOkClick);

  FormCreate();
}

void TfrmBevel::FormCreate() {
  document::FillColorList(highlightColors_);
  document::FillColorList(shadowColors_);
  highlightColors_.SelectColor(base::Color::FromRgb(255, 255, 255));
  shadowColors_.SelectColor(base::Color::FromRgb(128, 128, 128));
}

void TfrmBevel::SetProperties(const std::string& props) {
  highlightColors_.SelectColor(document::StringToColor(document::GetPropValue("Highlight", props, "clBtnHighlight")));
  shadowColors_.SelectColor(document::StringToColor(document::GetPropValue("Shadow", props, "clBtnShadow")));
  // A bad pen width is not worth an error: it reads as the thinnest pen.
  const int pen = document::TryStringToInt(document::GetPropValue("Pen", props, "2")).value_or(0);
  sedtPenWidth->SetValue(pen);
}

std::string TfrmBevel::GetProperties() const {
  return "Highlight=" + document::ColorToString(highlightColors_.GetSelectedColor()) + ";Shadow=" +
         document::ColorToString(shadowColors_.GetSelectedColor()) + ";Pen=" + std::to_string(sedtPenWidth->Value()) + ";";
}

std::string TfrmBevel::RandomProperties() {
  std::string props = "Highlight=" + document::ColorToString(SelectRandomEntry(highlightColors_)) + ";";
  props += "Shadow=" + document::ColorToString(SelectRandomEntry(shadowColors_)) + ";";
  props += "Pen=" + std::to_string(document::RandomUpTo(4)) + ";";
  return props;
}

void TfrmBevel::btnOkClick() { accept(); }

void TfrmBevel::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

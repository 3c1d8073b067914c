#include "ui/ftext_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "base/ascii_text.h"
#include "controls/fnp_combo_color.h"
#include "controls/spin_edit.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "ui/font_list.h"
#include "ui/form_helpers.h"
#include "ui/random_entry.h"
#include "ui/text_sample.h"

namespace vorbel::ui {
namespace {

constexpr int kComboHeight = 22;

QLabel* MakeLabel(const QString& text, QWidget* parent, const char* name, QRect where) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(where);
  return label;
}

TFnpComboColor* MakeColorCombo(document::ColorList& list, QWidget* parent, const char* name, QRect where,
                               const QString& hint) {
  auto* combo = new TFnpComboColor(list, parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setGeometry(where);
  SetHint(*combo, hint);
  return combo;
}

QCheckBox* MakeEnabledBox(QWidget* parent, const char* name, QRect where) {
  auto* box = new QCheckBox(QStringLiteral("enabled"), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(where);
  return box;
}

}  // namespace

TfrmText::TfrmText(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmText"));
  MakeFixedDialog(*this, QStringLiteral("Text"), 347, 339);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(0, 0, 347, 309);

  BuildTextPage();
  BuildEffectsPage();

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 309, 347, 30);
  Panel2 = new QWidget(Panel1);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setGeometry(347 - 85, 0, 85, 30);
  btnOk = new QPushButton(QStringLiteral("OK"), Panel2);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(2, 3, 75, 25);
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate();
}

void TfrmText::BuildTextPage() {
  tbshtText = new QWidget;
  tbshtText->setObjectName(QStringLiteral("tbshtText"));
  PageControl1->addTab(tbshtText, QStringLiteral("Text"));

  lblCaption = MakeLabel(QStringLiteral("Text"), tbshtText, "lblCaption", {8, 6, 200, 16});
  edtButCaption = new QLineEdit(QStringLiteral("E-Mail me"), tbshtText);
  edtButCaption->setObjectName(QStringLiteral("edtButCaption"));
  edtButCaption->setGeometry(8, 23, 323, 24);
  lblCaption->setBuddy(edtButCaption);
  connect(edtButCaption, &QLineEdit::textChanged, this, &TfrmText::UpdateSample);

  lblFonts = MakeLabel(QStringLiteral("Font face"), tbshtText, "lblFonts", {8, 52, 190, 16});
  cboFonts = new QComboBox(tbshtText);
  cboFonts->setObjectName(QStringLiteral("cboFonts"));
  cboFonts->setEditable(false);
  cboFonts->setGeometry(8, 69, 190, kComboHeight);
  cboFonts->setMaxVisibleItems(16);
  SetHint(*cboFonts, QStringLiteral("|Set the font that will be used to draw the text caption"));
  lblFonts->setBuddy(cboFonts);
  connect(cboFonts, &QComboBox::currentIndexChanged, this, &TfrmText::UpdateSample);

  lblFontSize = MakeLabel(QStringLiteral("Font size"), tbshtText, "lblFontSize", {206, 52, 60, 16});
  sedtFontSize = new SpinEdit(tbshtText);
  sedtFontSize->setObjectName(QStringLiteral("sedtFontSize"));
  ReadProgramIntegers(*sedtFontSize);
  sedtFontSize->setGeometry(206, 68, 60, 24);
  sedtFontSize->SetValue(8);
  SetHint(*sedtFontSize, QStringLiteral("|Set the font size that will be used to draw the text caption"));
  lblFontSize->setBuddy(sedtFontSize);
  connect(sedtFontSize, &SpinEdit::changed, this, &TfrmText::UpdateSample);

  lblAngle = MakeLabel(QStringLiteral("Angle"), tbshtText, "lblAngle", {272, 52, 59, 16});
  sedtAngle = new SpinEdit(tbshtText);
  sedtAngle->setObjectName(QStringLiteral("sedtAngle"));
  ReadProgramIntegers(*sedtAngle);
  sedtAngle->setGeometry(272, 68, 59, 24);
  sedtAngle->SetMinValue(0);
  sedtAngle->SetMaxValue(360);
  sedtAngle->SetValue(0);
  lblAngle->setBuddy(sedtAngle);
  connect(sedtAngle, &SpinEdit::changed, this, &TfrmText::sedtAngleChange);

  lblColor = MakeLabel(QStringLiteral("Color"), tbshtText, "lblColor", {8, 96, 190, 16});
  cclrCaption = MakeColorCombo(captionColors_, tbshtText, "cclrCaption", {8, 113, 190, kComboHeight},
                               QStringLiteral("|Set the text caption's color"));
  lblColor->setBuddy(cclrCaption);
  caption_subscription_ = captionColors_.Subscribe(this);

  BuildAlignmentPad();

  lblSample = MakeLabel(QStringLiteral("Sample"), tbshtText, "lblSample", {8, 198, 200, 16});
  Panel3 = new QFrame(tbshtText);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  Panel3->setLineWidth(1);
  Panel3->setGeometry(6, 215, 331, 46);
  pbSample = new TextSample([this] { return SampleSettings(); }, Panel3);
  pbSample->setObjectName(QStringLiteral("pbSample"));
  pbSample->setGeometry(1, 1, 329, 44);
  lblSample->setBuddy(Panel3);
}

void TfrmText::BuildAlignmentPad() {
  grpAlignment = new QGroupBox(QStringLiteral("Alignment"), tbshtText);
  grpAlignment->setObjectName(QStringLiteral("grpAlignment"));
  grpAlignment->setGeometry(226, 96, 105, 98);

  // One group that allows every button up: pressing an up button puts it
  // down and releases the others; pressing the down button releases it.
  alignmentGroup = new QButtonGroup(this);
  alignmentGroup->setExclusive(false);
  static constexpr const char* kNames[9] = {"sbtnTop1", "sbtnTop2", "sbtnTop3", "sbtnMid1", "sbtnMid2",
                                            "sbtnMid3", "sbtnBot1", "sbtnBot2", "sbtnBot3"};
  // The middle-right button reads "LR".
  static constexpr const char* kCaptions[9] = {"TL", "TM", "TR", "ML", "MM", "LR", "BL", "BM", "BR"};
  constexpr int kButtonWidth = 23;
  constexpr int kButtonHeight = 22;
  const int left = (grpAlignment->width() - 3 * kButtonWidth) / 2;
  const int top = 24;
  for (int i = 0; i < 9; ++i) {
    auto* button = new QToolButton(grpAlignment);
    button->setObjectName(QString::fromLatin1(kNames[i]));
    button->setText(QString::fromLatin1(kCaptions[i]));
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left + (i % 3) * kButtonWidth, top + (i / 3) * kButtonHeight, kButtonWidth, kButtonHeight);
    alignmentGroup->addButton(button, i + 1);
    alignmentButtons_[static_cast<std::size_t>(i)] = button;
    connect(button, &QToolButton::clicked, this, [this, button] { AlignmentButtonClicked(button); });
  }
  sbtnTop1 = alignmentButtons_[0];
  sbtnTop2 = alignmentButtons_[1];
  sbtnTop3 = alignmentButtons_[2];
  sbtnMid1 = alignmentButtons_[3];
  sbtnMid2 = alignmentButtons_[4];
  sbtnMid3 = alignmentButtons_[5];
  sbtnBot1 = alignmentButtons_[6];
  sbtnBot2 = alignmentButtons_[7];
  sbtnBot3 = alignmentButtons_[8];
}

void TfrmText::BuildEffectsPage() {
  tbshtEffects = new QWidget;
  tbshtEffects->setObjectName(QStringLiteral("tbshtEffects"));
  PageControl1->addTab(tbshtEffects, QStringLiteral("Effects"));

  grpShadow = new QGroupBox(QStringLiteral("Shadow"), tbshtEffects);
  grpShadow->setObjectName(QStringLiteral("grpShadow"));
  grpShadow->setGeometry(6, 4, 329, 96);
  cbxDrawShadow = MakeEnabledBox(grpShadow, "cbxDrawShadow", {10, 22, 120, 20});
  lblShadowOffset = MakeLabel(QStringLiteral("Shadow offset"), grpShadow, "lblShadowOffset", {10, 46, 120, 16});
  sedtShadowOffset = new SpinEdit(grpShadow);
  sedtShadowOffset->setObjectName(QStringLiteral("sedtShadowOffset"));
  ReadProgramIntegers(*sedtShadowOffset);
  sedtShadowOffset->setGeometry(10, 63, 80, 24);
  sedtShadowOffset->SetValue(3);
  lblShadowOffset->setBuddy(sedtShadowOffset);
  lblShadowColor = MakeLabel(QStringLiteral("Shadow color"), grpShadow, "lblShadowColor", {160, 46, 160, 16});
  cclrShadowColor = MakeColorCombo(shadowColors_, grpShadow, "cclrShadowColor", {160, 64, 160, kComboHeight},
                                   QStringLiteral("|Set the caption's shadow color"));
  lblShadowColor->setBuddy(cclrShadowColor);

  grpOutline = new QGroupBox(QStringLiteral("Outline"), tbshtEffects);
  grpOutline->setObjectName(QStringLiteral("grpOutline"));
  grpOutline->setGeometry(6, 104, 329, 72);
  cbxOutline = MakeEnabledBox(grpOutline, "cbxOutline", {10, 40, 120, 20});
  lblOutlineColor = MakeLabel(QStringLiteral("Outline color"), grpOutline, "lblOutlineColor", {160, 22, 160, 16});
  cclrOutlineColor = MakeColorCombo(outlineColors_, grpOutline, "cclrOutlineColor", {160, 40, 160, kComboHeight},
                                    QStringLiteral("|Set the caption's outline color"));
  lblOutlineColor->setBuddy(cclrOutlineColor);

  grpGradient = new QGroupBox(QStringLiteral("Gradient"), tbshtEffects);
  grpGradient->setObjectName(QStringLiteral("grpGradient"));
  grpGradient->setGeometry(6, 180, 329, 92);
  cbxGradient = MakeEnabledBox(grpGradient, "cbxGradient", {10, 22, 120, 20});
  lblGradientStart = MakeLabel(QStringLiteral("Start color"), grpGradient, "lblGradientStart", {10, 44, 150, 16});
  cclrGradientStart = MakeColorCombo(gradientStartColors_, grpGradient, "cclrGradientStart",
                                     {10, 62, 146, kComboHeight}, QStringLiteral("|Set the gradient's start color"));
  lblGradientStart->setBuddy(cclrGradientStart);
  lblGradientEnd = MakeLabel(QStringLiteral("End color"), grpGradient, "lblGradientEnd", {160, 44, 160, 16});
  cclrGradientEnd = MakeColorCombo(gradientEndColors_, grpGradient, "cclrGradientEnd", {160, 62, 160, kComboHeight},
                                   QStringLiteral("|Set the gradient's end color"));
  lblGradientEnd->setBuddy(cclrGradientEnd);
}

void TfrmText::FormCreate() {
  PageControl1->setCurrentWidget(tbshtText);
  document::FillColorList(captionColors_);
  document::FillColorList(shadowColors_);
  document::FillColorList(outlineColors_);
  document::FillColorList(gradientStartColors_);
  document::FillColorList(gradientEndColors_);
  FillFontList(*cboFonts);
  captionColors_.SelectColor(base::Color::FromRgb(0, 0, 0));
  shadowColors_.SelectColor(base::Color::FromRgb(192, 192, 192));
  outlineColors_.SelectColor(base::Color::FromRgb(0, 0, 0));
  gradientStartColors_.SelectColor(base::Color::FromRgb(0, 255, 0));
  gradientEndColors_.SelectColor(base::Color::FromRgb(255, 255, 0));
  cboFonts->setCurrentIndex(cboFonts->count() > 0 ? 0 : -1);
}

void TfrmText::SetProperties(const std::string& props) {
  edtButCaption->setText(QString::fromStdString(document::GetPropValue("Text", props, "")));
  captionColors_.SelectColor(document::StringToColor(document::GetPropValue("Color", props, "clBlack")));

  const std::string face = document::GetPropValue("FontFace", props, "");
  int fontIndex = -1;
  for (int i = 0; i < cboFonts->count(); ++i) {
    if (base::EqualsIgnoringAsciiCase(cboFonts->itemText(i).toStdString(), face)) {
      fontIndex = i;
      break;
    }
  }
  cboFonts->setCurrentIndex(fontIndex);

  sedtFontSize->SetValue(document::StringToInt(document::GetPropValue("FontSize", props, "12")));
  cbxDrawShadow->setChecked(document::YesNoToBool(document::GetPropValue("Shadowed", props, "N")));
  shadowColors_.SelectColor(document::StringToColor(document::GetPropValue("ShadowColor", props, "clGray")));
  sedtShadowOffset->SetValue(document::StringToInt(document::GetPropValue("ShadowOffset", props, "2")));
  cbxOutline->setChecked(document::YesNoToBool(document::GetPropValue("Outlined", props, "N")));
  outlineColors_.SelectColor(document::StringToColor(document::GetPropValue("OutlineColor", props, "clBlack")));
  cbxGradient->setChecked(document::YesNoToBool(document::GetPropValue("Gradient", props, "N")));
  gradientStartColors_.SelectColor(document::StringToColor(document::GetPropValue("GradientStart", props, "clLime")));
  gradientEndColors_.SelectColor(document::StringToColor(document::GetPropValue("GradientEnd", props, "clYellow")));
  sedtAngle->SetText(QString::fromStdString(document::GetPropValue("Angle", props, "0")));
  sedtAngleChange();
}

std::string TfrmText::GetProperties() const {
  std::string props = "Text=" + edtButCaption->text().toStdString() + ";";
  props += "FontFace=" + cboFonts->currentText().toStdString() + ";";
  props += "FontSize=" + sedtFontSize->Text().toStdString() + ";";
  props += "Color=" + document::ColorToString(captionColors_.GetSelectedColor()) + ";";
  props += cbxDrawShadow->isChecked() ? "Shadowed=Yes;" : "Shadowed=No;";
  props += "ShadowOffset=" + sedtShadowOffset->Text().toStdString() + ";";
  props += "ShadowColor=" + document::ColorToString(shadowColors_.GetSelectedColor()) + ";";
  props += cbxOutline->isChecked() ? "Outlined=Yes;" : "Outlined=No;";
  props += "OutlineColor=" + document::ColorToString(outlineColors_.GetSelectedColor()) + ";";
  props += cbxGradient->isChecked() ? "Gradient=Yes;" : "Gradient=No;";
  props += "GradientStart=" + document::ColorToString(gradientStartColors_.GetSelectedColor()) + ";";
  props += "GradientEnd=" + document::ColorToString(gradientEndColors_.GetSelectedColor()) + ";";
  props += "Angle=" + sedtAngle->Text().toStdString() + ";";
  return props;
}

int TfrmText::GetAlignment() const {
  int code = 0;
  for (std::size_t i = 0; i < alignmentButtons_.size(); ++i) {
    if (alignmentButtons_[i]->isChecked()) code = static_cast<int>(i) + 1;
  }
  return code;
}

std::string TfrmText::RandomProperties() {
  std::string props = "Text=Text;";
  SelectRandomItem(*cboFonts);
  props += "FontFace=" + cboFonts->currentText().toStdString() + ";";
  int size = document::RandomUpTo(34);
  if (size < 12) size = document::RandomUpTo(36);
  if (size < 12) size = document::RandomUpTo(38);
  if (size < 12) size = 24;
  props += "FontSize=" + std::to_string(size) + ";";
  props += "Color=" + document::ColorToString(SelectRandomEntry(captionColors_)) + ";";
  props += document::RandomUpTo(1) == 1 ? "Shadowed=Yes;" : "Shadowed=No;";
  props += "ShadowOffset=" + std::to_string(document::RandomUpTo(3)) + ";";
  props += "ShadowColor=" + document::ColorToString(SelectRandomEntry(shadowColors_)) + ";";
  props += document::RandomUpTo(1) == 1 ? "Outlined=Yes;" : "Outlined=No;";
  props += "OutlineColor=" + document::ColorToString(SelectRandomEntry(outlineColors_)) + ";";
  props += document::RandomUpTo(1) == 1 ? "Gradient=Yes;" : "Gradient=No;";
  const base::Color start = SelectRandomEntry(gradientStartColors_);
  const base::Color end = SelectRandomEntry(gradientEndColors_);
  props += "GradientStart=" + document::ColorToString(start) + ";";
  props += "GradientEnd=" + document::ColorToString(end) + ";";
  return props;
}

TextSampleSettings TfrmText::SampleSettings() const {
  TextSampleSettings settings;
  settings.caption = edtButCaption->text().toStdString();
  settings.face = cboFonts->currentText().toStdString();
  settings.pointSize = document::TryStringToInt(sedtFontSize->Text().toStdString()).value_or(0);
  settings.color = captionColors_.GetSelectedColor();
  return settings;
}

bool TfrmText::EffectsTabVisible() const { return PageControl1->isTabVisible(PageControl1->indexOf(tbshtEffects)); }

void TfrmText::UpdateSample() { pbSample->update(); }

void TfrmText::sedtAngleChange() {
  PageControl1->setTabVisible(PageControl1->indexOf(tbshtEffects), sedtAngle->Value() == 0);
}

void TfrmText::AlignmentButtonClicked(QToolButton* button) {
  // The click has already toggled the button; a button that went down
  // releases the rest.
  if (!button->isChecked()) return;
  for (QToolButton* other : alignmentButtons_) {
    if (other != button) other->setChecked(false);
  }
}

void TfrmText::ColorSelectionChanged(document::SelectionSource /*source*/) { UpdateSample(); }

void TfrmText::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

#include "ui/backprop_form.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

#include "base/ascii_text.h"
#include "controls/fnp_combo_color.h"
#include "controls/spin_edit.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "ui/dialog_seam.h"
#include "ui/form_helpers.h"
#include "ui/open_pic_dialog.h"
#include "ui/random_entry.h"

namespace vorbel::ui {
namespace {

constexpr int kComboWidth = 160;
constexpr int kComboHeight = 22;
const QString kBackgroundHint = QStringLiteral("|Set the background of the button");

QLabel* MakeLabel(const QString& text, QWidget* parent, const char* name, QRect where) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(where);
  return label;
}

}  // namespace

TfrmBackProp::TfrmBackProp(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmBackProp"));
  MakeFixedDialog(*this, QStringLiteral("Background"), 354, 216);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(0, 0, 354, 186);
  PageControl1->setDocumentMode(false);

  BuildSettingsPage();
  BuildImagePage();
  BuildShapePage();
  Build3DPage();

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 186, 354, 30);
  btnOk = new QPushButton(QStringLiteral("OK"), Panel1);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(271, 3, 75, 25);
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  programFolder_ = QCoreApplication::applicationDirPath();
  FormCreate();
}

void TfrmBackProp::BuildSettingsPage() {
  tbshtSettings = new QWidget;
  tbshtSettings->setObjectName(QStringLiteral("tbshtSettings"));
  PageControl1->addTab(tbshtSettings, QStringLiteral("Settings"));

  lblBackground = MakeLabel(QStringLiteral("Background color"), tbshtSettings, "lblBackground", {8, 8, 160, 16});
  cclrBackground = new TFnpComboColor(backgroundColors_, tbshtSettings);
  cclrBackground->setObjectName(QStringLiteral("cclrBackground"));
  cclrBackground->setGeometry(8, 26, kComboWidth, kComboHeight);
  SetHint(*cclrBackground, kBackgroundHint);
  lblBackground->setBuddy(cclrBackground);

  cbxTransparent = new QCheckBox(QStringLiteral("Transparent background"), tbshtSettings);
  cbxTransparent->setObjectName(QStringLiteral("cbxTransparent"));
  cbxTransparent->setGeometry(8, 60, 170, 20);

  cbxEdge = new QCheckBox(QStringLiteral("Edge"), tbshtSettings);
  cbxEdge->setObjectName(QStringLiteral("cbxEdge"));
  cbxEdge->setGeometry(8, 86, 170, 20);
  // toggled fires for every change of the checked state, by the user or by
  // code, and never when the state is set to what it already is.
  connect(cbxEdge, &QCheckBox::toggled, this, &TfrmBackProp::cbxEdgeClick);

  grpEdgeColor = new QGroupBox(QStringLiteral("Edge color"), tbshtSettings);
  grpEdgeColor->setObjectName(QStringLiteral("grpEdgeColor"));
  grpEdgeColor->setGeometry(180, 8, 160, 60);
  cclrEdge = new TFnpComboColor(edgeColors_, grpEdgeColor);
  cclrEdge->setObjectName(QStringLiteral("cclrEdge"));
  cclrEdge->setGeometry(8, 26, 144, kComboHeight);
  SetHint(*cclrEdge, kBackgroundHint);
}

void TfrmBackProp::BuildImagePage() {
  tbshtImage = new QWidget;
  tbshtImage->setObjectName(QStringLiteral("tbshtImage"));
  PageControl1->addTab(tbshtImage, QStringLiteral("Image"));

  lblBGImage = MakeLabel(QStringLiteral("Background image"), tbshtImage, "lblBGImage", {8, 8, 200, 16});
  edtBGImage = new QLineEdit(tbshtImage);
  edtBGImage->setObjectName(QStringLiteral("edtBGImage"));
  edtBGImage->setGeometry(8, 26, 302, 24);
  SetHint(*edtBGImage, QStringLiteral("|Get the background from a file"));
  lblBGImage->setBuddy(edtBGImage);

  sbtnSelectImage = new QToolButton(tbshtImage);
  sbtnSelectImage->setObjectName(QStringLiteral("sbtnSelectImage"));
  sbtnSelectImage->setGeometry(312, 26, 24, 24);
  sbtnSelectImage->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  sbtnSelectImage->setAutoRaise(true);
  sbtnSelectImage->setFocusPolicy(Qt::NoFocus);
  connect(sbtnSelectImage, &QToolButton::clicked, this, &TfrmBackProp::sbtnSelectImageClick);

  btnNoBack = new QPushButton(QStringLiteral("Clear background"), tbshtImage);
  btnNoBack->setObjectName(QStringLiteral("btnNoBack"));
  btnNoBack->setGeometry(8, 58, 130, 25);
  btnNoBack->setAutoDefault(false);
  connect(btnNoBack, &QPushButton::clicked, this, &TfrmBackProp::btnNoBackClick);

  cbxStretch = new QCheckBox(QStringLiteral("Stretch image to match button"), tbshtImage);
  cbxStretch->setObjectName(QStringLiteral("cbxStretch"));
  cbxStretch->setGeometry(8, 94, 300, 20);
  cbxStretch->setChecked(true);
}

void TfrmBackProp::BuildShapePage() {
  tbshtShape = new QWidget;
  tbshtShape->setObjectName(QStringLiteral("tbshtShape"));
  PageControl1->addTab(tbshtShape, QStringLiteral("Shape"));

  // One parent, so checking one unchecks the others; none is checked until
  // the first load or the user's choice.
  rbNone = new QRadioButton(QStringLiteral("&None"), tbshtShape);
  rbNone->setObjectName(QStringLiteral("rbNone"));
  rbNone->setGeometry(8, 10, 150, 20);
  rbEllipse = new QRadioButton(QStringLiteral("&Ellipse"), tbshtShape);
  rbEllipse->setObjectName(QStringLiteral("rbEllipse"));
  rbEllipse->setGeometry(8, 36, 150, 20);
  rbRoundRect = new QRadioButton(QStringLiteral("&Round rectangle"), tbshtShape);
  rbRoundRect->setObjectName(QStringLiteral("rbRoundRect"));
  rbRoundRect->setGeometry(8, 62, 150, 20);
  // Only the round rectangle's state decides; its toggled signal covers every
  // change that EnableRound has to follow.
  connect(rbRoundRect, &QRadioButton::toggled, this, &TfrmBackProp::EnableRound);

  grpRound = new QGroupBox(QStringLiteral("Round rectangle properties"), tbshtShape);
  grpRound->setObjectName(QStringLiteral("grpRound"));
  grpRound->setGeometry(164, 8, 176, 64);
  lblRoundAmount = MakeLabel(QStringLiteral("Corner seed"), grpRound, "lblRoundAmount", {8, 28, 80, 24});
  lblRoundAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  sedtRoundAmount = new SpinEdit(grpRound);
  sedtRoundAmount->setObjectName(QStringLiteral("sedtRoundAmount"));
  ReadProgramIntegers(*sedtRoundAmount);
  sedtRoundAmount->setGeometry(96, 28, 70, 24);
  sedtRoundAmount->SetValue(20);
  lblRoundAmount->setBuddy(sedtRoundAmount);
  SetFieldEnabled(*sedtRoundAmount, false);
}

void TfrmBackProp::Build3DPage() {
  tbsht3D = new QWidget;
  tbsht3D->setObjectName(QStringLiteral("tbsht3D"));
  PageControl1->addTab(tbsht3D, QStringLiteral("3D Colors"));

  cbx3D = new QCheckBox(QStringLiteral("3D drawing"), tbsht3D);
  cbx3D->setObjectName(QStringLiteral("cbx3D"));
  cbx3D->setGeometry(8, 10, 200, 20);
  connect(cbx3D, &QCheckBox::toggled, this, &TfrmBackProp::cbx3DClick);

  lblHighlight = MakeLabel(QStringLiteral("Highlight"), tbsht3D, "lblHighlight", {8, 40, 160, 16});
  cclrHightlight = new TFnpComboColor(highlightColors_, tbsht3D);
  cclrHightlight->setObjectName(QStringLiteral("cclrHightlight"));
  cclrHightlight->setGeometry(8, 58, kComboWidth, kComboHeight);
  SetHint(*cclrHightlight, kBackgroundHint);
  lblHighlight->setBuddy(cclrHightlight);

  lblShadow = MakeLabel(QStringLiteral("Shadow"), tbsht3D, "lblShadow", {180, 40, 160, 16});
  cclrShadow = new TFnpComboColor(shadowColors_, tbsht3D);
  cclrShadow->setObjectName(QStringLiteral("cclrShadow"));
  cclrShadow->setGeometry(180, 58, kComboWidth, kComboHeight);
  SetHint(*cclrShadow, kBackgroundHint);
  lblShadow->setBuddy(cclrShadow);
}

void TfrmBackProp::FormCreate() {
  document::FillColorList(backgroundColors_);
  backgroundColors_.SelectColor(base::Color::FromRgb(192, 192, 192));
  PageControl1->setCurrentWidget(tbshtSettings);
  const std::vector<document::ColorEntry> entries = backgroundColors_.Entries();
  edgeColors_.AssignEntries(entries);
  edgeColors_.SelectColor(base::Color::FromRgb(0, 0, 0));
  highlightColors_.AssignEntries(entries);
  highlightColors_.SelectColor(base::Color::FromRgb(255, 255, 255));
  shadowColors_.AssignEntries(entries);
  shadowColors_.SelectColor(base::Color::FromRgb(128, 128, 128));
  // The edge colour starts disabled; the 3D colours start enabled although
  // "3D drawing" is unticked, and follow the box from its first change on.
  SetFieldEnabled(*cclrEdge, false);
  SetFieldEnabled(*cclrHightlight, true);
  SetFieldEnabled(*cclrShadow, true);
}

void TfrmBackProp::SetDataFolders(const QString& programFolder, const QString& sharedDataFolder) {
  programFolder_ = programFolder;
  sharedDataFolder_ = sharedDataFolder;
}

void TfrmBackProp::SetProperties(const std::string& props) {
  backgroundColors_.SelectColor(document::StringToColor(document::GetPropValue("Color", props, "clBtnFace")));
  cbxStretch->setChecked(document::YesNoToBool(document::GetPropValue("Stretch", props, "N")));
  cbxTransparent->setChecked(document::YesNoToBool(document::GetPropValue("Transparent", props, "N")));
  edtBGImage->setText(QString::fromStdString(document::GetPropValue("Image", props, "")));

  rbNone->setChecked(true);
  sedtRoundAmount->SetValue(0);
  const std::string shape = base::UpperCaseAscii(document::GetPropValue("Shape", props, "None"));
  if (shape == "ELLIPSE") {
    rbEllipse->setChecked(true);
  } else if (shape == "ROUNDRECT") {
    rbRoundRect->setChecked(true);
  }
  if (rbRoundRect->isChecked()) sedtRoundAmount->SetValue(document::StringToInt(document::GetPropValue("Seed", props, "20")));

  cbxEdge->setChecked(document::YesNoToBool(document::GetPropValue("EdgeDraw", props, "N")));
  edgeColors_.SelectColor(document::StringToColor(document::GetPropValue("Edge", props, "clBlack")));
  cbx3D->setChecked(document::YesNoToBool(document::GetPropValue("Draw3D", props, "N")));
  highlightColors_.SelectColor(document::StringToColor(document::GetPropValue("Highlight", props, "clBtnHighlight")));
  shadowColors_.SelectColor(document::StringToColor(document::GetPropValue("ShadowClr", props, "clBtnShadow")));
}

std::string TfrmBackProp::GetProperties() const {
  std::string props = "Color=" + document::ColorToString(backgroundColors_.GetSelectedColor()) + ";";
  props += "Image=" + edtBGImage->text().toStdString() + ";";
  props += cbxStretch->isChecked() ? "Stretch=Yes;" : "Stretch=No;";
  props += cbxTransparent->isChecked() ? "Transparent=Yes;" : "Transparent=No;";
  if (rbRoundRect->isChecked()) {
    props += "Shape=RoundRect;Seed=" + sedtRoundAmount->Text().toStdString() + ";";
  } else if (rbEllipse->isChecked()) {
    props += "Shape=Ellipse;";
  } else {
    props += "Shape=None;";
  }
  props += cbxEdge->isChecked() ? "EdgeDraw=Yes;" : "EdgeDraw=No;";
  props += "Edge=" + document::ColorToString(edgeColors_.GetSelectedColor()) + ";";
  props += cbx3D->isChecked() ? "Draw3D=Yes;" : "Draw3D=No;";
  props += "Highlight=" + document::ColorToString(highlightColors_.GetSelectedColor()) + ";";
  props += "ShadowClr=" + document::ColorToString(shadowColors_.GetSelectedColor()) + ";";
  return props;
}

std::string TfrmBackProp::RandomProperties() {
  std::string props = "Color=" + document::ColorToString(SelectRandomEntry(backgroundColors_)) + ";";
  props += "Image=" + edtBGImage->text().toStdString() + ";";
  props += cbxStretch->isChecked() ? "Stretch=Yes;" : "Stretch=No;";
  props += cbxTransparent->isChecked() ? "Transparent=Yes;" : "Transparent=No;";
  switch (document::RandomUpTo(3)) {
    case 0:
      props += "Shape=None;";
      break;
    case 1:
      props += "Shape=Ellipse;";
      break;
    default:
      props += "Shape=RoundRect;Seed=20;";
      break;
  }
  cbx3D->setChecked(false);
  if (document::RandomUpTo(2) > 0) cbx3D->setChecked(true);
  props += cbx3D->isChecked() ? "Draw3D=Yes;" : "Draw3D=No;";
  cbxEdge->setChecked(false);
  if (document::RandomUpTo(2) > 0) cbxEdge->setChecked(true);
  props += cbxEdge->isChecked() ? "EdgeDraw=Yes;" : "EdgeDraw=No;";
  props += "Edge=" + document::ColorToString(SelectRandomEntry(edgeColors_)) + ";";
  return props;
}

void TfrmBackProp::EnableRound() { SetFieldEnabled(*sedtRoundAmount, rbRoundRect->isChecked()); }

void TfrmBackProp::cbxEdgeClick() { SetFieldEnabled(*cclrEdge, cbxEdge->isChecked()); }

void TfrmBackProp::cbx3DClick() {
  SetFieldEnabled(*cclrHightlight, cbx3D->isChecked());
  SetFieldEnabled(*cclrShadow, cbx3D->isChecked());
}

void TfrmBackProp::btnNoBackClick() { edtBGImage->clear(); }

OpenPicDlg& TfrmBackProp::PictureDialog() {
  if (!openPicDlg_) openPicDlg_ = new OpenPicDlg(this);
  return *openPicDlg_;
}

void TfrmBackProp::sbtnSelectImageClick() {
  OpenPicDlg& dialog = PictureDialog();
  const QString path = edtBGImage->text();
  const QFileInfo picture(path);
  if (!path.isEmpty() && picture.exists() && !picture.isDir()) {
    dialog.setDirectory(picture.absolutePath());
    dialog.selectFile(picture.absoluteFilePath());
  } else {
    // The file name the chooser kept from its last use stays.
    const QString textures = FindTexturesFolder(programFolder_, sharedDataFolder_);
    if (!textures.isEmpty()) dialog.setDirectory(textures);
  }
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  const QStringList files = dialog.selectedFiles();
  if (!files.isEmpty()) edtBGImage->setText(files.front());
}

void TfrmBackProp::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

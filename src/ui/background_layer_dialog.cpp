#include "ui/background_layer_dialog.h"

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
#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "document/layer_schema.h"
#include "document/property_string.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "ui/dialog_helpers.h"
#include "ui/dialog_seam.h"
#include "ui/picture_chooser.h"
#include "ui/random_entry.h"

namespace vorbel::ui {
namespace {

constexpr int kComboWidth = 160;
constexpr int kComboHeight = 22;
// Translated where it is used: translations are installed after static
// initialisation.
QString BackgroundHint() {
  return QCoreApplication::translate("vorbel::ui::BackgroundLayerDialog", "|Set the background of the button");
}

QLabel* MakeLabel(const QString& text, QWidget* parent, const char* name, QRect where) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(where);
  return label;
}

}  // namespace

BackgroundLayerDialog::BackgroundLayerDialog(QWidget* parent)
    : QDialog(parent), program_folder_(QCoreApplication::applicationDirPath()) {
  setObjectName(QStringLiteral("backgroundLayerDialog"));
  MakeFixedDialog(*this, tr("Background"), 354, 216);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->setGeometry(0, 0, 354, 186);
  pages_->setDocumentMode(false);

  BuildSettingsPage();
  BuildImagePage();
  BuildShapePage();
  BuildShadingPage();

  button_panel_ = new QWidget(this);
  button_panel_->setObjectName(QStringLiteral("buttonPanel"));
  button_panel_->setGeometry(0, 186, 354, 30);
  ok_button_ = new QPushButton(tr("OK"), button_panel_);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setGeometry(192, 3, 75, 25);
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  cancel_button_ = MakeCancelButton(*this, button_panel_, {271, 3, 75, 25});

  document::FillColorList(background_colors_);
  background_colors_.SelectColor(document::StringToColor(document::background_keys::kColor.first_use));
  pages_->setCurrentWidget(settings_page_);
  const std::vector<document::ColorEntry> entries = background_colors_.Entries();
  edge_colors_.AssignEntries(entries);
  edge_colors_.SelectColor(document::StringToColor(document::background_keys::kEdge.first_use));
  highlight_colors_.AssignEntries(entries);
  highlight_colors_.SelectColor(document::StringToColor(document::background_keys::kHighlight.first_use));
  shadow_colors_.AssignEntries(entries);
  shadow_colors_.SelectColor(document::StringToColor(document::background_keys::kShadowClr.first_use));
  // The edge colour starts disabled; the 3D colours start enabled although
  // "3D drawing" is unticked, and follow the box from its first change on.
  SetFieldEnabled(*edge_combo_, false);
  SetFieldEnabled(*highlight_combo_, true);
  SetFieldEnabled(*shadow_combo_, true);
}

void BackgroundLayerDialog::BuildSettingsPage() {
  settings_page_ = new QWidget;
  settings_page_->setObjectName(QStringLiteral("settingsPage"));
  pages_->addTab(settings_page_, tr("Settings"));

  background_label_ = MakeLabel(tr("Background color"), settings_page_, "backgroundLabel", {8, 8, 160, 16});
  background_combo_ = new controls::ColorComboBox(background_colors_, settings_page_);
  background_combo_->setObjectName(QStringLiteral("backgroundCombo"));
  background_combo_->setGeometry(8, 26, kComboWidth, kComboHeight);
  SetHint(*background_combo_, BackgroundHint());
  background_label_->setBuddy(background_combo_);

  transparent_box_ = new QCheckBox(tr("Transparent background"), settings_page_);
  transparent_box_->setObjectName(QStringLiteral("transparentBox"));
  transparent_box_->setGeometry(8, 60, 170, 20);

  edge_box_ = new QCheckBox(tr("Edge"), settings_page_);
  edge_box_->setObjectName(QStringLiteral("edgeBox"));
  edge_box_->setGeometry(8, 86, 170, 20);
  // toggled fires for every change of the checked state, by the user or by
  // code, and never when the state is set to what it already is.
  connect(edge_box_, &QCheckBox::toggled, this, &BackgroundLayerDialog::UpdateEdgeCombo);

  edge_group_ = new QGroupBox(tr("Edge color"), settings_page_);
  edge_group_->setObjectName(QStringLiteral("edgeGroup"));
  edge_group_->setGeometry(180, 8, 160, 60);
  edge_combo_ = new controls::ColorComboBox(edge_colors_, edge_group_);
  edge_combo_->setObjectName(QStringLiteral("edgeCombo"));
  edge_combo_->setGeometry(8, 26, 144, kComboHeight);
  SetHint(*edge_combo_, BackgroundHint());
}

void BackgroundLayerDialog::BuildImagePage() {
  image_page_ = new QWidget;
  image_page_->setObjectName(QStringLiteral("imagePage"));
  pages_->addTab(image_page_, tr("Image"));

  image_label_ = MakeLabel(tr("Background image"), image_page_, "imageLabel", {8, 8, 200, 16});
  image_edit_ = new QLineEdit(image_page_);
  image_edit_->setObjectName(QStringLiteral("imageEdit"));
  image_edit_->setGeometry(8, 26, 302, 24);
  SetHint(*image_edit_, tr("|Get the background from a file"));
  image_label_->setBuddy(image_edit_);

  choose_image_button_ = new QToolButton(image_page_);
  choose_image_button_->setObjectName(QStringLiteral("chooseImageButton"));
  choose_image_button_->setGeometry(312, 26, 24, 24);
  choose_image_button_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  choose_image_button_->setAutoRaise(true);
  choose_image_button_->setFocusPolicy(Qt::NoFocus);
  connect(choose_image_button_, &QToolButton::clicked, this, &BackgroundLayerDialog::ChooseImage);

  clear_image_button_ = new QPushButton(tr("Clear background"), image_page_);
  clear_image_button_->setObjectName(QStringLiteral("clearImageButton"));
  clear_image_button_->setGeometry(8, 58, 130, 25);
  clear_image_button_->setAutoDefault(false);
  connect(clear_image_button_, &QPushButton::clicked, this, &BackgroundLayerDialog::ClearImage);

  stretch_box_ = new QCheckBox(tr("Stretch image to match button"), image_page_);
  stretch_box_->setObjectName(QStringLiteral("stretchBox"));
  stretch_box_->setGeometry(8, 94, 300, 20);
  stretch_box_->setChecked(document::YesNoToBool(document::background_keys::kStretch.first_use));
}

void BackgroundLayerDialog::BuildShapePage() {
  shape_page_ = new QWidget;
  shape_page_->setObjectName(QStringLiteral("shapePage"));
  pages_->addTab(shape_page_, tr("Shape"));

  // One parent, so checking one unchecks the others; none is checked until
  // the first load or the user's choice.
  no_shape_button_ = new QRadioButton(tr("&None"), shape_page_);
  no_shape_button_->setObjectName(QStringLiteral("noShapeButton"));
  no_shape_button_->setGeometry(8, 10, 150, 20);
  ellipse_button_ = new QRadioButton(tr("&Ellipse"), shape_page_);
  ellipse_button_->setObjectName(QStringLiteral("ellipseButton"));
  ellipse_button_->setGeometry(8, 36, 150, 20);
  round_rect_button_ = new QRadioButton(tr("&Round rectangle"), shape_page_);
  round_rect_button_->setObjectName(QStringLiteral("roundRectButton"));
  round_rect_button_->setGeometry(8, 62, 150, 20);
  // Only the round rectangle's state decides; its toggled signal covers every
  // change that UpdateCornerEdit has to follow.
  connect(round_rect_button_, &QRadioButton::toggled, this, &BackgroundLayerDialog::UpdateCornerEdit);

  corner_group_ = new QGroupBox(tr("Round rectangle properties"), shape_page_);
  corner_group_->setObjectName(QStringLiteral("cornerGroup"));
  corner_group_->setGeometry(164, 8, 176, 64);
  corner_label_ = MakeLabel(tr("Corner seed"), corner_group_, "cornerLabel", {8, 28, 80, 24});
  corner_label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  corner_edit_ = new controls::SpinEdit(corner_group_);
  corner_edit_->setObjectName(QStringLiteral("cornerEdit"));
  ReadProgramIntegers(*corner_edit_);
  corner_edit_->setGeometry(96, 28, 70, 24);
  corner_edit_->SetValue(document::StringToInt(document::background_keys::kSeed.first_use));
  corner_label_->setBuddy(corner_edit_);
  SetFieldEnabled(*corner_edit_, false);
}

void BackgroundLayerDialog::BuildShadingPage() {
  shading_page_ = new QWidget;
  shading_page_->setObjectName(QStringLiteral("shadingPage"));
  pages_->addTab(shading_page_, tr("3D Colors"));

  shading_box_ = new QCheckBox(tr("3D drawing"), shading_page_);
  shading_box_->setObjectName(QStringLiteral("shadingBox"));
  shading_box_->setGeometry(8, 10, 200, 20);
  connect(shading_box_, &QCheckBox::toggled, this, &BackgroundLayerDialog::UpdateShadingCombos);

  highlight_label_ = MakeLabel(tr("Highlight"), shading_page_, "highlightLabel", {8, 40, 160, 16});
  highlight_combo_ = new controls::ColorComboBox(highlight_colors_, shading_page_);
  highlight_combo_->setObjectName(QStringLiteral("highlightCombo"));
  highlight_combo_->setGeometry(8, 58, kComboWidth, kComboHeight);
  SetHint(*highlight_combo_, BackgroundHint());
  highlight_label_->setBuddy(highlight_combo_);

  shadow_label_ = MakeLabel(tr("Shadow"), shading_page_, "shadowLabel", {180, 40, 160, 16});
  shadow_combo_ = new controls::ColorComboBox(shadow_colors_, shading_page_);
  shadow_combo_->setObjectName(QStringLiteral("shadowCombo"));
  shadow_combo_->setGeometry(180, 58, kComboWidth, kComboHeight);
  SetHint(*shadow_combo_, BackgroundHint());
  shadow_label_->setBuddy(shadow_combo_);
}

void BackgroundLayerDialog::SetDataFolders(const QString& programFolder, const QString& sharedDataFolder) {
  program_folder_ = programFolder;
  shared_data_folder_ = sharedDataFolder;
}

void BackgroundLayerDialog::SetProperties(const std::string& text) {
  const document::BackgroundProperties props =
      document::ReadBackgroundProperties(text, document::PropertyReader::Editor);
  background_colors_.SelectColor(props.color.Value());
  stretch_box_->setChecked(props.stretch.Value());
  transparent_box_->setChecked(props.transparent.Value());
  image_edit_->setText(QString::fromStdString(props.image.Text()));

  no_shape_button_->setChecked(true);
  corner_edit_->SetValue(0);
  const std::string shape = base::UpperCaseAscii(props.shape.Text());
  if (shape == "ELLIPSE") {
    ellipse_button_->setChecked(true);
  } else if (shape == "ROUNDRECT") {
    round_rect_button_->setChecked(true);
  }
  if (round_rect_button_->isChecked()) corner_edit_->SetValue(props.seed.Value());

  edge_box_->setChecked(props.edge_draw.Value());
  edge_colors_.SelectColor(props.edge.Value());
  shading_box_->setChecked(props.draw_3d.Value());
  highlight_colors_.SelectColor(props.highlight.Value());
  shadow_colors_.SelectColor(props.shadow.Value());
}

namespace {

// The shape part of a background's string: "Shape=None;", "Shape=Ellipse;" or
// "Shape=RoundRect;Seed=<corner text>;".
void PutShape(document::PropertyComposer& props, bool roundRect, bool ellipse, const std::string& corner) {
  using namespace document::background_keys;
  if (roundRect) {
    props.Put(kShape, "RoundRect");
    props.Put(kSeed, corner);
  } else {
    props.Put(kShape, ellipse ? "Ellipse" : "None");
  }
}

}  // namespace

std::string BackgroundLayerDialog::GetProperties() const {
  using namespace document::background_keys;
  document::PropertyComposer props;
  props.PutColor(kColor, background_colors_.GetSelectedColor());
  props.Put(kImage, image_edit_->text().toStdString());
  props.PutFlag(kStretch, stretch_box_->isChecked());
  props.PutFlag(kTransparent, transparent_box_->isChecked());
  PutShape(props, round_rect_button_->isChecked(), ellipse_button_->isChecked(), corner_edit_->Text().toStdString());
  props.PutFlag(kEdgeDraw, edge_box_->isChecked());
  props.PutColor(kEdge, edge_colors_.GetSelectedColor());
  props.PutFlag(kDraw3D, shading_box_->isChecked());
  props.PutColor(kHighlight, highlight_colors_.GetSelectedColor());
  props.PutColor(kShadowClr, shadow_colors_.GetSelectedColor());
  return props.Compose(document::kBackgroundSchema.keys);
}

std::string BackgroundLayerDialog::RandomProperties() {
  using namespace document::background_keys;
  document::PropertyComposer props;
  props.PutColor(kColor, SelectRandomEntry(background_colors_));
  props.Put(kImage, image_edit_->text().toStdString());
  props.PutFlag(kStretch, stretch_box_->isChecked());
  props.PutFlag(kTransparent, transparent_box_->isChecked());
  const int shape = document::RandomUpTo(3);
  PutShape(props, shape >= 2, shape == 1, std::string(kSeed.first_use));
  shading_box_->setChecked(false);
  if (document::RandomUpTo(2) > 0) shading_box_->setChecked(true);
  props.PutFlag(kDraw3D, shading_box_->isChecked());
  edge_box_->setChecked(false);
  if (document::RandomUpTo(2) > 0) edge_box_->setChecked(true);
  props.PutFlag(kEdgeDraw, edge_box_->isChecked());
  props.PutColor(kEdge, SelectRandomEntry(edge_colors_));
  return props.Compose(document::kBackgroundSchema.random_order);
}

void BackgroundLayerDialog::UpdateCornerEdit() { SetFieldEnabled(*corner_edit_, round_rect_button_->isChecked()); }

void BackgroundLayerDialog::UpdateEdgeCombo() { SetFieldEnabled(*edge_combo_, edge_box_->isChecked()); }

void BackgroundLayerDialog::UpdateShadingCombos() {
  SetFieldEnabled(*highlight_combo_, shading_box_->isChecked());
  SetFieldEnabled(*shadow_combo_, shading_box_->isChecked());
}

void BackgroundLayerDialog::ClearImage() { image_edit_->clear(); }

PictureChooser& BackgroundLayerDialog::Chooser() {
  if (!picture_chooser_) picture_chooser_ = new PictureChooser(this);
  return *picture_chooser_;
}

void BackgroundLayerDialog::ChooseImage() {
  PictureChooser& chooser = Chooser();
  chooser.StartFrom(image_edit_->text(), FindTexturesFolder(program_folder_, shared_data_folder_));
  if (Dialogs().Exec(chooser) != QDialog::Accepted) return;
  const QStringList files = chooser.selectedFiles();
  if (!files.isEmpty()) image_edit_->setText(files.front());
}

void BackgroundLayerDialog::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui

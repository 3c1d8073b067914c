#include "ui/background_layer_dialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
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
// Translated where it is used: translations are installed after static
// initialisation.
QString BackgroundHint() {
  return QCoreApplication::translate("vorbel::ui::BackgroundLayerDialog", "|Set the background of the button");
}

controls::ColorComboBox* MakeColorCombo(document::ColorList& list, QWidget* parent, const char* name) {
  auto* combo = new controls::ColorComboBox(list, parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setMinimumWidth(kComboWidth);
  SetHint(*combo, BackgroundHint());
  return combo;
}

}  // namespace

BackgroundLayerDialog::BackgroundLayerDialog(QWidget* parent)
    : QDialog(parent), program_folder_(QCoreApplication::applicationDirPath()) {
  setObjectName(QStringLiteral("backgroundLayerDialog"));
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->setAccessibleName(tr("Background pages"));
  pages_->setDocumentMode(false);

  BuildSettingsPage();
  BuildImagePage();
  BuildShapePage();
  BuildShadingPage();

  button_panel_ = new QWidget(this);
  button_panel_->setObjectName(QStringLiteral("buttonPanel"));
  ok_button_ = new QPushButton(tr("OK"), button_panel_);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  cancel_button_ = MakeCancelButton(*this, button_panel_);
  QBoxLayout* buttons = MakeOkCancelRow(ok_button_, cancel_button_);
  buttons->setContentsMargins(0, 0, 0, 0);
  button_panel_->setLayout(buttons);

  auto* layout = new QVBoxLayout;
  layout->addWidget(pages_);
  layout->addWidget(button_panel_);
  MakeFixedDialog(*this, tr("Background"), layout);

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

  background_combo_ = MakeColorCombo(background_colors_, settings_page_, "backgroundCombo");
  background_label_ = MakeBuddyLabel(tr("Background color"), settings_page_, "backgroundLabel", background_combo_);

  transparent_box_ = new QCheckBox(tr("Transparent background"), settings_page_);
  transparent_box_->setObjectName(QStringLiteral("transparentBox"));

  edge_box_ = new QCheckBox(tr("Edge"), settings_page_);
  edge_box_->setObjectName(QStringLiteral("edgeBox"));
  // toggled fires for every change of the checked state, by the user or by
  // code, and never when the state is set to what it already is.
  connect(edge_box_, &QCheckBox::toggled, this, &BackgroundLayerDialog::UpdateEdgeCombo);

  edge_group_ = new QGroupBox(tr("Edge color"), settings_page_);
  edge_group_->setObjectName(QStringLiteral("edgeGroup"));
  edge_combo_ = MakeColorCombo(edge_colors_, edge_group_, "edgeCombo");
  Describe(*edge_combo_, tr("Edge color"));
  auto* edgeLayout = new QVBoxLayout(edge_group_);
  edgeLayout->addWidget(edge_combo_);

  auto* grid = new QGridLayout(settings_page_);
  grid->addWidget(background_label_, 0, 0);
  grid->addWidget(background_combo_, 1, 0);
  grid->addWidget(transparent_box_, 2, 0);
  grid->addWidget(edge_box_, 3, 0);
  grid->addWidget(edge_group_, 0, 1, 3, 1, Qt::AlignTop);
  grid->setRowStretch(4, 1);
}

void BackgroundLayerDialog::BuildImagePage() {
  image_page_ = new QWidget;
  image_page_->setObjectName(QStringLiteral("imagePage"));
  pages_->addTab(image_page_, tr("Image"));

  image_edit_ = new QLineEdit(image_page_);
  image_edit_->setObjectName(QStringLiteral("imageEdit"));
  image_edit_->setMinimumWidth(280);
  SetHint(*image_edit_, tr("|Get the background from a file"));
  image_label_ = MakeBuddyLabel(tr("Background image"), image_page_, "imageLabel", image_edit_);

  choose_image_button_ = MakeChooseButton(image_page_);
  connect(choose_image_button_, &QToolButton::clicked, this, &BackgroundLayerDialog::ChooseImage);

  clear_image_button_ = new QPushButton(tr("Clear background"), image_page_);
  clear_image_button_->setObjectName(QStringLiteral("clearImageButton"));
  clear_image_button_->setAutoDefault(false);
  connect(clear_image_button_, &QPushButton::clicked, this, &BackgroundLayerDialog::ClearImage);

  stretch_box_ = new QCheckBox(tr("Stretch image to match button"), image_page_);
  stretch_box_->setObjectName(QStringLiteral("stretchBox"));
  stretch_box_->setChecked(document::YesNoToBool(document::background_keys::kStretch.first_use));

  auto* grid = new QGridLayout(image_page_);
  grid->setHorizontalSpacing(2);
  grid->addWidget(image_label_, 0, 0, 1, 2);
  grid->addWidget(image_edit_, 1, 0);
  grid->addWidget(choose_image_button_, 1, 1);
  grid->addWidget(clear_image_button_, 2, 0, Qt::AlignLeft);
  grid->addWidget(stretch_box_, 3, 0, 1, 2);
  grid->setRowStretch(4, 1);
}

void BackgroundLayerDialog::BuildShapePage() {
  shape_page_ = new QWidget;
  shape_page_->setObjectName(QStringLiteral("shapePage"));
  pages_->addTab(shape_page_, tr("Shape"));

  // One parent, so checking one unchecks the others; none is checked until
  // the first load or the user's choice.
  no_shape_button_ = new QRadioButton(tr("&None"), shape_page_);
  no_shape_button_->setObjectName(QStringLiteral("noShapeButton"));
  ellipse_button_ = new QRadioButton(tr("&Ellipse"), shape_page_);
  ellipse_button_->setObjectName(QStringLiteral("ellipseButton"));
  round_rect_button_ = new QRadioButton(tr("&Round rectangle"), shape_page_);
  round_rect_button_->setObjectName(QStringLiteral("roundRectButton"));
  // Only the round rectangle's state decides; its toggled signal covers every
  // change that UpdateCornerEdit has to follow.
  connect(round_rect_button_, &QRadioButton::toggled, this, &BackgroundLayerDialog::UpdateCornerEdit);

  corner_group_ = new QGroupBox(tr("Round rectangle properties"), shape_page_);
  corner_group_->setObjectName(QStringLiteral("cornerGroup"));
  corner_edit_ = new controls::SpinEdit(corner_group_);
  corner_edit_->setObjectName(QStringLiteral("cornerEdit"));
  ReadProgramIntegers(*corner_edit_);
  corner_edit_->setMinimumWidth(70);
  corner_edit_->SetValue(document::StringToInt(document::background_keys::kSeed.first_use));
  corner_label_ = MakeBuddyLabel(tr("Corner seed"), corner_group_, "cornerLabel", corner_edit_);
  SetFieldEnabled(*corner_edit_, false);
  auto* cornerLayout = new QFormLayout(corner_group_);
  cornerLayout->addRow(corner_label_, corner_edit_);

  auto* shapes = new QVBoxLayout;
  shapes->addWidget(no_shape_button_);
  shapes->addWidget(ellipse_button_);
  shapes->addWidget(round_rect_button_);
  shapes->addStretch(1);
  auto* layout = new QHBoxLayout(shape_page_);
  layout->addLayout(shapes);
  layout->addWidget(corner_group_, 0, Qt::AlignTop);
}

void BackgroundLayerDialog::BuildShadingPage() {
  shading_page_ = new QWidget;
  shading_page_->setObjectName(QStringLiteral("shadingPage"));
  pages_->addTab(shading_page_, tr("3D Colors"));

  shading_box_ = new QCheckBox(tr("3D drawing"), shading_page_);
  shading_box_->setObjectName(QStringLiteral("shadingBox"));
  connect(shading_box_, &QCheckBox::toggled, this, &BackgroundLayerDialog::UpdateShadingCombos);

  highlight_combo_ = MakeColorCombo(highlight_colors_, shading_page_, "highlightCombo");
  highlight_label_ = MakeBuddyLabel(tr("Highlight"), shading_page_, "highlightLabel", highlight_combo_);
  shadow_combo_ = MakeColorCombo(shadow_colors_, shading_page_, "shadowCombo");
  shadow_label_ = MakeBuddyLabel(tr("Shadow"), shading_page_, "shadowLabel", shadow_combo_);

  auto* grid = new QGridLayout(shading_page_);
  grid->addWidget(shading_box_, 0, 0, 1, 2);
  grid->addWidget(highlight_label_, 1, 0);
  grid->addWidget(highlight_combo_, 2, 0);
  grid->addWidget(shadow_label_, 1, 1);
  grid->addWidget(shadow_combo_, 2, 1);
  grid->setRowStretch(3, 1);
}

void BackgroundLayerDialog::SetDataFolders(const QString& programFolder, const QString& sharedDataFolder) {
  program_folder_ = programFolder;
  shared_data_folder_ = sharedDataFolder;
}

void BackgroundLayerDialog::SetProperties(const std::string& text) {
  const document::BackgroundProperties props =
      document::ReadBackgroundProperties(text, document::PropertyReader::Editor);
  background_colors_.SelectOrAddColor(props.color.Value());
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
  edge_colors_.SelectOrAddColor(props.edge.Value());
  shading_box_->setChecked(props.draw_3d.Value());
  highlight_colors_.SelectOrAddColor(props.highlight.Value());
  shadow_colors_.SelectOrAddColor(props.shadow.Value());
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

#pragma once
// The editor of background layers: fill colour, transparency, a picture, an
// outline shape with its corner size, an edge line and 3D shading colours,
// on four pages.

#include <QDialog>
#include <QString>

#include <string>

#include "document/color_list.h"
#include "commands/random_layers.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace vorbel::controls {
class ColorComboBox;
class SpinEdit;
}  // namespace vorbel::controls

namespace vorbel::ui {

class PictureChooser;

class BackgroundLayerDialog : public QDialog, public commands::RandomLayerSource {
  Q_OBJECT

 public:
  explicit BackgroundLayerDialog(QWidget* parent = nullptr);

  // Loads the controls from a background property string, key by key in this
  // order: Color, Stretch, Transparent, Image, the shape (a round rectangle
  // also reads Seed), EdgeDraw, Edge, Draw3D, Highlight, ShadowClr. A colour
  // that is not in the lists keeps the combo's previous selection. A colour or
  // corner size that does not convert raises ConversionError: the controls
  // loaded before it keep their new states, the rest their old ones.
  void SetProperties(const std::string& props);
  // Every key, whatever the check boxes say; the corner size only after
  // "Shape=RoundRect;" and as the spin edit's text.
  std::string GetProperties() const;
  // A random fill, shape, 3D and edge setting, with the current picture path
  // and the Stretch and Transparent boxes as they are. Moves the fill and edge
  // combos and the 3D and edge boxes to match; writes no 3D colours.
  std::string RandomProperties() override;

  // Where the picture chooser looks for the Textures folder when the path names
  // no existing file (see FindTexturesFolder). By default the running
  // program's folder and the share folder derived from it.
  void SetDataFolders(const QString& programFolder, const QString& sharedDataFolder = {});
  // The picture chooser, made on first use and kept between uses.
  PictureChooser& Chooser();

  document::ColorList& BackgroundColors() { return background_colors_; }
  document::ColorList& EdgeColors() { return edge_colors_; }
  document::ColorList& HighlightColors() { return highlight_colors_; }
  document::ColorList& ShadowColors() { return shadow_colors_; }

 public slots:
  // Runs the picture chooser, starting at the picture the path names or in
  // the Textures folder, and takes the picture chosen with OK.
  void ChooseImage();
  // Empties the picture path ("Clear background").
  void ClearImage();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildSettingsPage();
  void BuildImagePage();
  void BuildShapePage();
  void BuildShadingPage();
  // The corner size is editable only for a round rectangle, the edge colour
  // only with an edge, the 3D colours only with 3D drawing.
  void UpdateCornerEdit();
  void UpdateEdgeCombo();
  void UpdateShadingCombos();

  // The entries of the colour combos.
  document::ColorList background_colors_;
  document::ColorList edge_colors_;
  document::ColorList highlight_colors_;
  document::ColorList shadow_colors_;
  QString program_folder_;
  QString shared_data_folder_;

  QTabWidget* pages_ = nullptr;
  QWidget* settings_page_ = nullptr;
  QWidget* image_page_ = nullptr;
  QWidget* shape_page_ = nullptr;
  QWidget* shading_page_ = nullptr;
  QWidget* button_panel_ = nullptr;

  QLabel* background_label_ = nullptr;
  controls::ColorComboBox* background_combo_ = nullptr;
  QCheckBox* transparent_box_ = nullptr;
  QCheckBox* edge_box_ = nullptr;
  QGroupBox* edge_group_ = nullptr;
  controls::ColorComboBox* edge_combo_ = nullptr;

  QLabel* image_label_ = nullptr;
  QLineEdit* image_edit_ = nullptr;
  QToolButton* choose_image_button_ = nullptr;
  QPushButton* clear_image_button_ = nullptr;
  QCheckBox* stretch_box_ = nullptr;

  QRadioButton* no_shape_button_ = nullptr;
  QRadioButton* ellipse_button_ = nullptr;
  QRadioButton* round_rect_button_ = nullptr;
  QGroupBox* corner_group_ = nullptr;
  QLabel* corner_label_ = nullptr;
  controls::SpinEdit* corner_edit_ = nullptr;

  QCheckBox* shading_box_ = nullptr;
  QLabel* highlight_label_ = nullptr;
  controls::ColorComboBox* highlight_combo_ = nullptr;
  QLabel* shadow_label_ = nullptr;
  controls::ColorComboBox* shadow_combo_ = nullptr;

  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  PictureChooser* picture_chooser_ = nullptr;
};

}  // namespace vorbel::ui

#pragma once
// The editor of background layers: fill colour, transparency, a picture, an
// outline shape with its corner size, an edge line and 3D shading colours,
// on four pages.

#include <QDialog>

#include <string>

#include "document/color_list.h"
#include "ui/random_layers.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace vorbel {
class SpinEdit;
class TFnpComboColor;
}  // namespace vorbel

namespace vorbel::ui {

class OpenPicDlg;

class TfrmBackProp : public QDialog, public RandomLayerSource {
  Q_OBJECT

 public:
  explicit TfrmBackProp(QWidget* parent = nullptr);

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
  OpenPicDlg& PictureDialog();

  document::ColorList& BackgroundColors() { return backgroundColors_; }
  document::ColorList& EdgeColors() { return edgeColors_; }
  document::ColorList& HighlightColors() { return highlightColors_; }
  document::ColorList& ShadowColors() { return shadowColors_; }

  QTabWidget* PageControl1 = nullptr;
  QWidget* tbshtSettings = nullptr;
  QWidget* tbshtImage = nullptr;
  QWidget* tbshtShape = nullptr;
  QWidget* tbsht3D = nullptr;
  QWidget* Panel1 = nullptr;

  QLabel* lblBackground = nullptr;
  TFnpComboColor* cclrBackground = nullptr;
  QCheckBox* cbxTransparent = nullptr;
  QCheckBox* cbxEdge = nullptr;
  QGroupBox* grpEdgeColor = nullptr;
  TFnpComboColor* cclrEdge = nullptr;

  QLabel* lblBGImage = nullptr;
  QLineEdit* edtBGImage = nullptr;
  QToolButton* sbtnSelectImage = nullptr;
  QPushButton* btnNoBack = nullptr;
  QCheckBox* cbxStretch = nullptr;

  QRadioButton* rbNone = nullptr;
  QRadioButton* rbEllipse = nullptr;
  QRadioButton* rbRoundRect = nullptr;
  QGroupBox* grpRound = nullptr;
  QLabel* lblRoundAmount = nullptr;
  SpinEdit* sedtRoundAmount = nullptr;

  QCheckBox* cbx3D = nullptr;
  QLabel* lblHighlight = nullptr;
  TFnpComboColor* cclrHightlight = nullptr;
  QLabel* lblShadow = nullptr;
  TFnpComboColor* cclrShadow = nullptr;

  QPushButton* btnOk = nullptr;

 public slots:
  void EnableRound();
  void cbxEdgeClick();
  void cbx3DClick();
  void sbtnSelectImageClick();
  void btnNoBackClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildSettingsPage();
  void BuildImagePage();
  void BuildShapePage();
  void Build3DPage();
  void FormCreate();

  // The entries of the colour combos.
  document::ColorList backgroundColors_;
  document::ColorList edgeColors_;
  document::ColorList highlightColors_;
  document::ColorList shadowColors_;
  QString programFolder_;
  QString sharedDataFolder_;
  OpenPicDlg* openPicDlg_ = nullptr;
};

}  // namespace vorbel::ui

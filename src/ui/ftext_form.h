#pragma once
// The editor of text layers: caption, font face, size, colour and angle with a
// live sample and the nine-button alignment pad on the "Text" page; shadow,
// outline and gradient on the "Effects" page, which is offered only while the
// angle is 0.

#include <QDialog>

#include <array>
#include <string>

#include "document/color_list.h"
#include "ui/random_layers.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace vorbel {
class SpinEdit;
class TFnpComboColor;
}  // namespace vorbel

namespace vorbel::ui {

class TextSample;
struct TextSampleSettings;

class TfrmText : public QDialog, public RandomLayerSource, private document::ColorListObserver {
  Q_OBJECT

 public:
  explicit TfrmText(QWidget* parent = nullptr);

  // Loads the controls from a text property string, key by key in this order:
  // Text, Color, FontFace, FontSize, Shadowed, ShadowColor, ShadowOffset,
  // Outlined, OutlineColor, Gradient, GradientStart, GradientEnd, Angle; then
  // shows or hides the "Effects" page for the angle. A colour not in the list
  // keeps the combo's previous selection; a face not in the font list (in any
  // letter case) leaves no face selected. A colour, FontSize or ShadowOffset
  // that does not convert raises ConversionError and stops the load there.
  // The Angle is taken as text, unconverted. The alignment pad is not touched.
  void SetProperties(const std::string& props);
  // Every key in the written order; the three spin edits as their texts.
  std::string GetProperties() const;
  // The pad's code: 1 to 9 from top left to bottom right by rows, 0 when no
  // button is down.
  int GetAlignment() const;
  // "Text=Text;", a random face, a size of 12 to 38 (or 24), random colours
  // and effects; no Angle. Moves the font and colour combos to match; the
  // caption, check boxes and spin edits are left alone.
  std::string RandomProperties() override;

  // What the sample shows now.
  TextSampleSettings SampleSettings() const;
  // Whether the "Effects" tab is offered.
  bool EffectsTabVisible() const;

  document::ColorList& CaptionColors() { return captionColors_; }
  document::ColorList& ShadowColors() { return shadowColors_; }
  document::ColorList& OutlineColors() { return outlineColors_; }
  document::ColorList& GradientStartColors() { return gradientStartColors_; }
  document::ColorList& GradientEndColors() { return gradientEndColors_; }

  QTabWidget* PageControl1 = nullptr;
  QWidget* tbshtText = nullptr;
  QWidget* tbshtEffects = nullptr;
  QWidget* Panel1 = nullptr;
  QWidget* Panel2 = nullptr;

  QLabel* lblCaption = nullptr;
  QLineEdit* edtButCaption = nullptr;
  QLabel* lblFonts = nullptr;
  QComboBox* cboFonts = nullptr;
  QLabel* lblFontSize = nullptr;
  SpinEdit* sedtFontSize = nullptr;
  QLabel* lblColor = nullptr;
  TFnpComboColor* cclrCaption = nullptr;
  QLabel* lblAngle = nullptr;
  SpinEdit* sedtAngle = nullptr;
  QLabel* lblSample = nullptr;
  QFrame* Panel3 = nullptr;
  TextSample* pbSample = nullptr;

  QGroupBox* grpAlignment = nullptr;
  QButtonGroup* alignmentGroup = nullptr;  // the pad's one group
  QToolButton* sbtnTop1 = nullptr;
  QToolButton* sbtnTop2 = nullptr;
  QToolButton* sbtnTop3 = nullptr;
  QToolButton* sbtnMid1 = nullptr;
  QToolButton* sbtnMid2 = nullptr;
  QToolButton* sbtnMid3 = nullptr;
  QToolButton* sbtnBot1 = nullptr;
  QToolButton* sbtnBot2 = nullptr;
  QToolButton* sbtnBot3 = nullptr;

  QGroupBox* grpShadow = nullptr;
  QCheckBox* cbxDrawShadow = nullptr;
  QLabel* lblShadowOffset = nullptr;
  SpinEdit* sedtShadowOffset = nullptr;
  QLabel* lblShadowColor = nullptr;
  TFnpComboColor* cclrShadowColor = nullptr;
  QGroupBox* grpOutline = nullptr;
  QCheckBox* cbxOutline = nullptr;
  QLabel* lblOutlineColor = nullptr;
  TFnpComboColor* cclrOutlineColor = nullptr;
  QGroupBox* grpGradient = nullptr;
  QCheckBox* cbxGradient = nullptr;
  QLabel* lblGradientStart = nullptr;
  TFnpComboColor* cclrGradientStart = nullptr;
  QLabel* lblGradientEnd = nullptr;
  TFnpComboColor* cclrGradientEnd = nullptr;

  QPushButton* btnOk = nullptr;

 public slots:
  void UpdateSample();
  void sedtAngleChange();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildTextPage();
  void BuildAlignmentPad();
  void BuildEffectsPage();
  void FormCreate();
  void AlignmentButtonClicked(QToolButton* button);
  // ColorListObserver: the caption colour feeds the sample.
  void ColorSelectionChanged(document::SelectionSource source) override;

  // The entries of the colour combos.
  document::ColorList captionColors_;
  document::ColorList shadowColors_;
  document::ColorList outlineColors_;
  document::ColorList gradientStartColors_;
  document::ColorList gradientEndColors_;
  document::ColorListSubscription caption_subscription_;
  // The pad in code order 1 to 9.
  std::array<QToolButton*, 9> alignmentButtons_{};
};

}  // namespace vorbel::ui

#pragma once
// The editor of text layers: caption, font face, size, colour and angle with a
// live sample and the nine-button alignment pad on the "Text" page; shadow,
// outline and gradient on the "Effects" page, which turn with the caption.

#include <QDialog>

#include <array>
#include <string>

#include "document/color_list.h"
#include "commands/random_layers.h"

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

namespace vorbel::controls {
class ColorComboBox;
class SpinEdit;
}  // namespace vorbel::controls

namespace vorbel::ui {

class TextSample;
struct TextSampleSettings;

class TextLayerDialog : public QDialog, public commands::RandomLayerSource, private document::ColorListObserver {
  Q_OBJECT

 public:
  explicit TextLayerDialog(QWidget* parent = nullptr);

  // Loads the controls from a text property string, key by key in this order:
  // Text, Color, FontFace, FontSize, Shadowed, ShadowColor, ShadowOffset,
  // Outlined, OutlineColor, Gradient, GradientStart, GradientEnd, Angle. A
  // colour not in the list keeps the combo's previous selection; a face not in
  // the font list (in any letter case) leaves no face selected. A colour, FontSize or ShadowOffset
  // that does not convert raises ConversionError and stops the load there.
  // The Angle is taken as text, unconverted. An Align of 1 to 9 presses that
  // position of the alignment pad; without one the pad is not touched.
  void SetProperties(const std::string& props);
  // Every key in the written order; the three spin edits as their texts; then
  // "Align=" and the pad's code when a position is pressed.
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

  document::ColorList& CaptionColors() { return caption_colors_; }
  document::ColorList& ShadowColors() { return shadow_colors_; }
  document::ColorList& OutlineColors() { return outline_colors_; }
  document::ColorList& GradientStartColors() { return gradient_start_colors_; }
  document::ColorList& GradientEndColors() { return gradient_end_colors_; }

 public slots:
  void UpdateSample();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildTextPage();
  void BuildAlignmentPad();
  void BuildEffectsPage();
  void AlignmentButtonClicked(QToolButton* button);
  // ColorListObserver: the caption colour feeds the sample.
  void ColorSelectionChanged(document::SelectionSource source) override;

  // The entries of the colour combos.
  document::ColorList caption_colors_;
  document::ColorList shadow_colors_;
  document::ColorList outline_colors_;
  document::ColorList gradient_start_colors_;
  document::ColorList gradient_end_colors_;
  document::ColorListSubscription caption_subscription_;

  QTabWidget* pages_ = nullptr;
  QWidget* text_page_ = nullptr;
  QWidget* effects_page_ = nullptr;
  QWidget* button_panel_ = nullptr;
  QWidget* ok_panel_ = nullptr;

  QLabel* caption_label_ = nullptr;
  QLineEdit* caption_edit_ = nullptr;
  QLabel* font_label_ = nullptr;
  QComboBox* font_combo_ = nullptr;
  QLabel* font_size_label_ = nullptr;
  controls::SpinEdit* font_size_edit_ = nullptr;
  QLabel* color_label_ = nullptr;
  controls::ColorComboBox* color_combo_ = nullptr;
  QLabel* angle_label_ = nullptr;
  controls::SpinEdit* angle_edit_ = nullptr;
  QLabel* sample_label_ = nullptr;
  QFrame* sample_frame_ = nullptr;
  TextSample* sample_ = nullptr;

  QGroupBox* alignment_group_ = nullptr;
  QButtonGroup* alignment_button_group_ = nullptr;
  // The pad in code order 1 to 9.
  std::array<QToolButton*, 9> alignment_buttons_{};

  QGroupBox* shadow_group_ = nullptr;
  QCheckBox* shadow_box_ = nullptr;
  QLabel* shadow_offset_label_ = nullptr;
  controls::SpinEdit* shadow_offset_edit_ = nullptr;
  QLabel* shadow_color_label_ = nullptr;
  controls::ColorComboBox* shadow_combo_ = nullptr;
  QGroupBox* outline_group_ = nullptr;
  QCheckBox* outline_box_ = nullptr;
  QLabel* outline_color_label_ = nullptr;
  controls::ColorComboBox* outline_combo_ = nullptr;
  QGroupBox* gradient_group_ = nullptr;
  QCheckBox* gradient_box_ = nullptr;
  QLabel* gradient_start_label_ = nullptr;
  controls::ColorComboBox* gradient_start_combo_ = nullptr;
  QLabel* gradient_end_label_ = nullptr;
  controls::ColorComboBox* gradient_end_combo_ = nullptr;

  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vorbel::ui

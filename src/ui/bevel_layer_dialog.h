#pragma once
// The editor of bevel layers: highlight colour, shadow colour and pen
// thickness.

#include <QDialog>

#include <string>

#include "document/color_list.h"
#include "commands/random_layers.h"

class QLabel;
class QPushButton;

namespace vorbel::controls {
class ColorComboBox;
class SpinEdit;
}  // namespace vorbel::controls

namespace vorbel::ui {

class BevelLayerDialog : public QDialog, public commands::RandomLayerSource {
  Q_OBJECT

 public:
  explicit BevelLayerDialog(QWidget* parent = nullptr);

  // Loads the controls from a bevel property string, in this order: Highlight
  // (default "clBtnHighlight"), Shadow (default "clBtnShadow"), Pen (default
  // "2"). A colour not in the list keeps the combo's previous selection. A
  // colour that does not convert raises ConversionError and stops the load
  // there. Pen is clamped to 1..10; a Pen that does not convert reads as 1 and
  // raises nothing.
  void SetProperties(const std::string& props);
  // "Highlight=<colour>;Shadow=<colour>;Pen=<n>;", the pen as the spin edit's
  // text read as an integer (1 when it does not convert), not clamped here.
  std::string GetProperties() const;
  // A random highlight and shadow entry (selected in the combos) and a pen of
  // 0 to 4; the spin edit is left alone.
  std::string RandomProperties() override;

  document::ColorList& HighlightColors() { return highlight_colors_; }
  document::ColorList& ShadowColors() { return shadow_colors_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The entries of the colour combos.
  document::ColorList highlight_colors_;
  document::ColorList shadow_colors_;

  QLabel* highlight_label_ = nullptr;
  controls::ColorComboBox* highlight_combo_ = nullptr;
  QLabel* shadow_label_ = nullptr;
  controls::ColorComboBox* shadow_combo_ = nullptr;
  QLabel* pen_width_label_ = nullptr;
  controls::SpinEdit* pen_width_edit_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vorbel::ui

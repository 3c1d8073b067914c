// The layer commands that need no editor dialog: delete, move up and down,
// toggle visibility, the offset steps, and the rules that enable the layer
// commands.

#include <QAction>
#include <QMenu>

#include <algorithm>

#include <cstdint>
#include <limits>
#include <string>

#include "base/translation.h"
#include "document/layer_type.h"
#include "document/value_conversion.h"
#include "ui/dialog_seam.h"
#include "ui/main_window.h"

namespace vorbel::ui {

void MainWindow::DeleteLayer() {
  if (doc_.SelectedRow() < 0) return;
  Dialogs().Beep();
  if (!Dialogs().AskYesNo(this, tr("Confirm"), tr("Delete this layer?"))) return;
  {
    const document::DocumentHistory::Step step(history_, VORBEL_TRANSLATABLE("Delete Layer"));
    doc_.DeleteSelected();
  }
  // The preview never shows a layer that is gone.
  RenderButton();
}

void MainWindow::MoveLayerUp() {
  bool moved = false;
  {
    const document::DocumentHistory::Step step(history_, VORBEL_TRANSLATABLE("Move Layer Up"));
    moved = doc_.MoveSelectedUp();
  }
  if (moved) RenderButton();
}

void MainWindow::MoveLayerDown() {
  bool moved = false;
  {
    const document::DocumentHistory::Step step(history_, VORBEL_TRANSLATABLE("Move Layer Down"));
    moved = doc_.MoveSelectedDown();
  }
  if (moved) RenderButton();
}

void MainWindow::ToggleVisibility() {
  const document::LayerRow* layer = doc_.SelectedLayer();
  if (layer == nullptr) return;
  {
    const document::DocumentHistory::Step step(history_, layer->IsVisible() ? "Hide Layer" : "Show Layer");
    doc_.ToggleSelectedVisibility();
  }
  RenderButton();
}

void MainWindow::StepOffset(document::SubItem sub_item, int delta) {
  const int row = doc_.SelectedRow();
  if (row < 0) return;
  // Text that is no number counts as 0; the value stops at the ends of the
  // integer range rather than wrapping round.
  const std::int64_t value =
      static_cast<std::int64_t>(document::ReadOffset(doc_.Row(row).SubItemText(sub_item))) + delta;
  const std::int64_t clamped = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max());
  {
    // The steps of one press of an arrow, auto-repeat included, are one step
    // of the history (the arrows break the run when a press begins).
    const bool left = sub_item == document::SubItem::Left;
    const document::DocumentHistory::Step step(
        history_, left ? VORBEL_TRANSLATABLE("Change Left Offset") : VORBEL_TRANSLATABLE("Change Top Offset"),
        left ? "Left offset" : "Top offset");
    doc_.SetRowSubItem(row, sub_item, std::to_string(clamped));
  }
  RenderButton();
}

void MainWindow::IncreaseLeft() { StepOffset(document::SubItem::Left, +1); }
void MainWindow::DecreaseLeft() { StepOffset(document::SubItem::Left, -1); }
void MainWindow::IncreaseTop() { StepOffset(document::SubItem::Top, +1); }
void MainWindow::DecreaseTop() { StepOffset(document::SubItem::Top, -1); }

void MainWindow::UpdateLayerCommands() {
  const document::LayerRow* layer = doc_.SelectedLayer();
  const bool selected = layer != nullptr;
  offset_panel_->setEnabled(selected && document::HasOffsetControls(layer->type));
  delete_layer_action_->setEnabled(selected);
  move_up_action_->setEnabled(selected);
  move_down_action_->setEnabled(selected);
}

void MainWindow::UpdatePopupItems() {
  const bool selected = doc_.SelectedRow() >= 0;
  edit_popup_item_->setEnabled(selected);
  delete_popup_item_->setEnabled(selected);
  toggle_visibility_item_->setEnabled(selected);
  add_popup_item_->setEnabled(true);
}

void MainWindow::UpdateLayerMenu() {
  move_up_item_->setEnabled(move_up_action_->isEnabled());
  move_down_item_->setEnabled(move_down_action_->isEnabled());
  delete_layer_item_->setEnabled(delete_layer_action_->isEnabled());
  new_layer_item_->setEnabled(true);
}

}  // namespace vorbel::ui

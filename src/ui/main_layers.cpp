// The layer commands that need no editor dialog: delete, move up and down,
// toggle visibility, the offset steps, and the rules that enable the layer
// commands.

#include <QAction>
#include <QMenu>

#include <cstdint>
#include <limits>
#include <string>

#include "document/layer_type.h"
#include "document/value_conversion.h"
#include "ui/dialog_seam.h"
#include "ui/main_form.h"

namespace vorbel::ui {

void TMainForm::tbtnDeleteLayerClick() {
  if (doc_.SelectedRow() < 0) return;
  Dialogs().Beep();
  if (!Dialogs().AskYesNo(this, QStringLiteral("Confirm"), QStringLiteral("Delete this layer?"))) return;
  // No redraw: the preview shows the deleted layer until the next one.
  doc_.DeleteSelected();
}

void TMainForm::tbtnUpClick() { doc_.MoveSelectedUp(); }

void TMainForm::tbtnDownClick() { doc_.MoveSelectedDown(); }

void TMainForm::Togglevisiblity1Click() {
  if (doc_.ToggleSelectedVisibility()) RenderButton();
}

void TMainForm::StepOffset(int sub_item, int delta) {
  const int row = doc_.SelectedRow();
  if (row < 0) return;
  // Text that is no number counts as 0; the value stops at the ends of the
  // integer range rather than wrapping round.
  const std::int64_t value =
      static_cast<std::int64_t>(document::ReadOffset(doc_.Row(row).SubItemText(sub_item))) + delta;
  const std::int64_t clamped = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max());
  doc_.SetRowSubItem(row, sub_item, std::to_string(clamped));
  RenderButton();
}

void TMainForm::sbtnXUpClick() { StepOffset(document::kLeftItem, +1); }
void TMainForm::sbtnXDownClick() { StepOffset(document::kLeftItem, -1); }
void TMainForm::sbtnYUpClick() { StepOffset(document::kTopItem, +1); }
void TMainForm::sbtnYDownClick() { StepOffset(document::kTopItem, -1); }

void TMainForm::lvItemsChange() {
  const document::LayerRow* layer = doc_.SelectedLayer();
  const bool selected = layer != nullptr;
  pnlOffset->setEnabled(selected && document::HasOffsetControls(layer->type));
  tbtnDeleteLayer->setEnabled(selected);
  tbtnUp->setEnabled(selected);
  tbtnDown->setEnabled(selected);
}

void TMainForm::pmnuLayersPopup() {
  const bool selected = doc_.SelectedRow() >= 0;
  Edit1->setEnabled(selected);
  Delete2->setEnabled(selected);
  Togglevisiblity1->setEnabled(selected);
  Add1->setEnabled(true);
}

void TMainForm::Layer1Click() {
  Moveup1->setEnabled(tbtnUp->isEnabled());
  Movedown1->setEnabled(tbtnDown->isEnabled());
  Delete1->setEnabled(tbtnDeleteLayer->isEnabled());
  New2->setEnabled(true);
}

}  // namespace vorbel::ui

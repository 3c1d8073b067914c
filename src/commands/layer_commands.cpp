#include "commands/layer_commands.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/translation.h"
#include "document/layer_type.h"
#include "document/value_conversion.h"

namespace vorbel::commands {
namespace {

using document::SubItem;
using Step = document::DocumentHistory::Step;

const char* OffsetLabel(SubItem sub_item) {
  return sub_item == SubItem::Left ? VORBEL_TRANSLATABLE("Change Left Offset")
                                   : VORBEL_TRANSLATABLE("Change Top Offset");
}

}  // namespace

bool Enabled(LayerCommand command, const document::ButtonDocument& doc, int selected) {
  const bool current = selected >= 0 && selected < doc.RowCount();
  switch (command) {
    case LayerCommand::Add:
    case LayerCommand::Random: return true;
    case LayerCommand::Edit:
    case LayerCommand::Delete:
    case LayerCommand::MoveUp:
    case LayerCommand::MoveDown:
    case LayerCommand::ToggleVisibility: return current;
    case LayerCommand::IncreaseLeft:
    case LayerCommand::DecreaseLeft:
    case LayerCommand::IncreaseTop:
    case LayerCommand::DecreaseTop:
    case LayerCommand::AskLeft:
    case LayerCommand::AskTop: return current && document::HasOffsetControls(doc.Row(selected).type);
  }
  return false;
}

LayerCommands::LayerCommands(document::ButtonDocument& doc, document::DocumentHistory& history,
                             render::ButtonRenderer& renderer, LayerDialogs& dialogs)
    : doc_(doc), history_(history), renderer_(renderer), dialogs_(dialogs) {}

LayerCommands::Outcome LayerCommands::Run(LayerCommand command) {
  if (!Enabled(command)) return {};
  switch (command) {
    case LayerCommand::Add: return Add();
    case LayerCommand::Edit: return Edit();
    case LayerCommand::Delete: return Delete();
    case LayerCommand::MoveUp: return Move(true);
    case LayerCommand::MoveDown: return Move(false);
    case LayerCommand::ToggleVisibility: return ToggleVisibility();
    case LayerCommand::IncreaseLeft: return StepOffset(SubItem::Left, +1);
    case LayerCommand::DecreaseLeft: return StepOffset(SubItem::Left, -1);
    case LayerCommand::IncreaseTop: return StepOffset(SubItem::Top, +1);
    case LayerCommand::DecreaseTop: return StepOffset(SubItem::Top, -1);
    case LayerCommand::AskLeft: return AskOffset(SubItem::Left);
    case LayerCommand::AskTop: return AskOffset(SubItem::Top);
    case LayerCommand::Random: return Random();
  }
  return {};
}

LayerCommands::Outcome LayerCommands::Add() {
  // A cancelled chooser adds nothing, but the preview is drawn again.
  const std::optional<std::string> type = dialogs_.ChooseLayerType();
  if (!type) return {true, nullptr};
  const bool nothingSelected = doc_.SelectedRow() < 0;
  Outcome outcome{true, nullptr};
  Step step(history_, VORBEL_TRANSLATABLE("Add Layer"));
  // The new row waits without sub-items while its editor is open; a repaint
  // meanwhile draws nothing for it.
  const int row = doc_.AppendRow(document::LayerRow{*type, {}, document::kVisibleImage});

  // The editor is not loaded first: a new layer starts from the settings the
  // editor was left with.
  std::string properties;
  std::string left;
  std::string top;
  bool cancelled = false;
  // Runs an editor; false when it or one before it was cancelled.
  auto run = [&](LayerKind kind) {
    if (cancelled) return false;
    std::optional<std::string> composed = dialogs_.RunEditor(kind, nullptr);
    cancelled = !composed;
    if (composed) properties = std::move(*composed);
    return !cancelled;
  };
  try {
    const document::LayerKinds kinds = document::KindsForAdd(*type);
    if (kinds.background) run(LayerKind::Background);
    if (kinds.text && run(LayerKind::Text)) {
      // Measuring fails for a font size that is no number; the layer is kept
      // then, with its properties and without offsets.
      std::string placedLeft;
      std::string placedTop;
      renderer_.PlaceTextLayer(doc_, properties, dialogs_.TextAlignment(), placedLeft, placedTop);
      left = std::move(placedLeft);
      top = std::move(placedTop);
    }
    if (kinds.bevel) run(LayerKind::Bevel);
    if (kinds.image) run(LayerKind::Image);
  } catch (...) {
    outcome.error = std::current_exception();
  }
  if (cancelled) {
    // A cancelled editor adds nothing.
    if (row < doc_.RowCount()) doc_.RemoveRow(row);
  } else if (row < doc_.RowCount()) {
    // Whatever happened in the editors, the row never stays incomplete.
    doc_.SetRowSubItems(row, std::move(properties), std::move(left), std::move(top));
    // A layer added to a list without a selection becomes the current one,
    // so that the next command acts on what the user sees marked.
    if (nothingSelected) doc_.SelectRow(row);
  }
  step.Commit();
  return outcome;
}

LayerCommands::Outcome LayerCommands::Edit() {
  const int row = doc_.SelectedRow();
  const document::LayerKinds kinds = document::KindsForEdit(doc_.Row(row).type);
  Step step(history_, VORBEL_TRANSLATABLE("Edit Layer"));
  // Each editor is loaded from the row as it is now, so a row of two kinds
  // hands the second editor what the first one wrote. A string an editor
  // cannot load stops the command before its dialog shows; cancelling any
  // editor gives the row back what it had before the command.
  auto run = [&](LayerKind kind) {
    const std::string properties = doc_.Row(row).Properties();
    std::optional<std::string> composed = dialogs_.RunEditor(kind, &properties);
    if (composed) doc_.SetRowSubItem(row, SubItem::Properties, std::move(*composed));
    return composed.has_value();
  };
  if (kinds.background && !run(LayerKind::Background)) return {};
  if (kinds.text) {
    if (!run(LayerKind::Text)) return {};
    // Without an alignment the offsets stay as they are. With one, a font
    // size that is no number fails here: the new properties stay, the old
    // offsets too, and nothing is redrawn.
    const int alignment = dialogs_.TextAlignment();
    if (alignment > 0) {
      std::string left;
      std::string top;
      try {
        renderer_.PlaceTextLayer(doc_, doc_.Row(row).Properties(), alignment, left, top);
      } catch (...) {
        step.Commit();
        return {false, std::current_exception()};
      }
      doc_.SetRowSubItem(row, SubItem::Left, std::move(left));
      doc_.SetRowSubItem(row, SubItem::Top, std::move(top));
    }
  }
  if (kinds.bevel && !run(LayerKind::Bevel)) return {};
  if (kinds.image && !run(LayerKind::Image)) return {};
  step.Commit();
  return {true, nullptr};
}

LayerCommands::Outcome LayerCommands::Delete() {
  if (!dialogs_.ConfirmDelete()) return {};
  Step step(history_, VORBEL_TRANSLATABLE("Delete Layer"));
  doc_.DeleteSelected();
  step.Commit();
  // The preview never shows a layer that is gone.
  return {true, nullptr};
}

LayerCommands::Outcome LayerCommands::Move(bool up) {
  Step step(history_, up ? VORBEL_TRANSLATABLE("Move Layer Up") : VORBEL_TRANSLATABLE("Move Layer Down"));
  const bool moved = up ? doc_.MoveSelectedUp() : doc_.MoveSelectedDown();
  step.Commit();
  return {moved, nullptr};
}

LayerCommands::Outcome LayerCommands::ToggleVisibility() {
  const bool visible = doc_.SelectedLayer()->IsVisible();
  Step step(history_, visible ? VORBEL_TRANSLATABLE("Hide Layer") : VORBEL_TRANSLATABLE("Show Layer"));
  doc_.ToggleSelectedVisibility();
  step.Commit();
  return {true, nullptr};
}

LayerCommands::Outcome LayerCommands::StepOffset(SubItem sub_item, int delta) {
  const int row = doc_.SelectedRow();
  // Text that is no number counts as 0; the value stops at the ends of the
  // integer range rather than wrapping round.
  const std::int64_t value =
      static_cast<std::int64_t>(document::ReadOffset(doc_.Row(row).SubItemText(sub_item))) + delta;
  const std::int64_t clamped = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max());
  // The steps of one press of an arrow, auto-repeat included, are one step
  // of the history (the arrows break the run when a press begins).
  Step step(history_, OffsetLabel(sub_item), sub_item == SubItem::Left ? "Left offset" : "Top offset");
  doc_.SetRowSubItem(row, sub_item, std::to_string(clamped));
  step.Commit();
  return {true, nullptr};
}

LayerCommands::Outcome LayerCommands::AskOffset(SubItem sub_item) {
  const int row = doc_.SelectedRow();
  // Text that is no number opens the prompt with 0.
  const std::optional<std::int32_t> value =
      dialogs_.AskOffset(document::ReadOffset(doc_.Row(row).SubItemText(sub_item)));
  if (!value) return {};
  Step step(history_, OffsetLabel(sub_item));
  doc_.SetRowSubItem(row, sub_item, std::to_string(*value));
  step.Commit();
  return {true, nullptr};
}

LayerCommands::Outcome LayerCommands::Random() {
  Step step(history_, VORBEL_TRANSLATABLE("Random Button"));
  RandomButton(doc_, dialogs_.RandomSource(LayerKind::Background), dialogs_.RandomSource(LayerKind::Bevel),
               dialogs_.RandomSource(LayerKind::Text));
  step.Commit();
  return {true, nullptr};
}

}  // namespace vorbel::commands

// The commands of the main window that run the layer editor dialogs: Add
// layer, Edit, the "Left" and "Top" value prompts and the random button.
//
// Each dialog is created once by CreateDialogs and reused, so it keeps its
// settings between uses. While an editor is open the preview shows the layer
// as the editor has it; Cancel gives the layer back what it had. The commands reach the document through doc_, the
// render pass through RenderButton() (or renderer_ for measuring text with
// PlaceTextLayer), and run every dialog modally through Dialogs().Exec.

#include <QDialog>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "base/translation.h"
#include "controls/spin_edit.h"
#include "document/layer_row.h"
#include "document/layer_type.h"
#include "document/value_conversion.h"
#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
#include "ui/dialog_helpers.h"
#include "ui/dialog_seam.h"
#include "ui/image_layer_dialog.h"
#include "ui/layer_type_dialog.h"
#include "ui/main_window.h"
#include "ui/offset_prompt.h"
#include "ui/random_layers.h"
#include "ui/text_layer_dialog.h"

namespace vorbel::ui {
namespace {

// The Left and Top a text layer gets from the editor's alignment, or nothing
// when it has none or the caption cannot be measured (a font size that is
// no number).
std::optional<std::pair<std::string, std::string>> PlacedOffsets(render::ButtonRenderer& renderer,
                                                                 const document::ButtonDocument& doc,
                                                                 const std::string& properties, int alignment) {
  if (alignment <= 0) return std::nullopt;
  std::string left;
  std::string top;
  try {
    renderer.PlaceTextLayer(doc, properties, alignment, left, top);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return std::pair{std::move(left), std::move(top)};
}

}  // namespace

void MainWindow::CreateDialogs() {
  // The main window owns them; none is shown yet.
  layer_type_dialog_ = new LayerTypeDialog(this);
  background_dialog_ = new BackgroundLayerDialog(this);
  text_dialog_ = new TextLayerDialog(this);
  bevel_dialog_ = new BevelLayerDialog(this);
  image_dialog_ = new ImageLayerDialog(this);
  offset_prompt_ = new OffsetPrompt(this);
}

void MainWindow::EnsureDialogs() {
  if (layer_type_dialog_ == nullptr) CreateDialogs();
}

void MainWindow::AddLayer() {
  EnsureDialogs();
  if (Dialogs().Exec(*layer_type_dialog_) != QDialog::Accepted) {
    RenderButton();
    return;
  }
  const std::string type = layer_type_dialog_->SelectedType().toStdString();
  const bool nothingSelected = doc_.SelectedRow() < 0;
  QString error;
  {
    const document::DocumentHistory::Step step(history_, VORBEL_TRANSLATABLE("Add Layer"));
    // The new row waits without sub-items while its editor is open; a repaint
    // meanwhile draws nothing for it.
    const int row = doc_.AppendRow(document::LayerRow{type, {}, document::kVisibleImage});

    // The editor is not loaded first: a new layer starts from the settings the
    // editor was left with.
    std::string properties;
    std::string left;
    std::string top;
    bool cancelled = false;
    // Runs an editor; false when the user cancelled it. Meanwhile the new row
    // shows what the editor holds, from the moment it opens.
    auto run = [&](QDialog& editor, const std::function<std::string()>& edited) {
      const auto show = [&] {
        if (row >= doc_.RowCount()) return;
        const std::string shown = edited();
        std::optional<std::pair<std::string, std::string>> offsets;
        if (&editor == text_dialog_) {
          offsets = PlacedOffsets(renderer_, doc_, shown, text_dialog_->GetAlignment());
          if (!offsets) offsets.emplace();
        }
        doc_.SetRowSubItem(row, document::SubItem::Properties, shown);
        if (offsets) {
          doc_.SetRowSubItem(row, document::SubItem::Left, offsets->first);
          doc_.SetRowSubItem(row, document::SubItem::Top, offsets->second);
        }
        RenderButton();
      };
      show();
      FocusFirstControl(editor);
      const ControlWatch watch(editor, show);
      cancelled = cancelled || Dialogs().Exec(editor) != QDialog::Accepted;
      return !cancelled;
    };
    try {
      const document::LayerKinds kinds = document::KindsForAdd(type);
      if (kinds.background && run(*background_dialog_, [this] { return background_dialog_->GetProperties(); })) {
        properties = background_dialog_->GetProperties();
      }
      if (kinds.text && run(*text_dialog_, [this] { return text_dialog_->GetProperties(); })) {
        properties = text_dialog_->GetProperties();
        // Measuring fails for a font size that is no number; the layer is
        // kept then, with its properties and without offsets.
        std::string placedLeft;
        std::string placedTop;
        renderer_.PlaceTextLayer(doc_, properties, text_dialog_->GetAlignment(), placedLeft, placedTop);
        left = std::move(placedLeft);
        top = std::move(placedTop);
      }
      if (kinds.bevel && run(*bevel_dialog_, [this] { return bevel_dialog_->GetProperties(); })) {
        properties = bevel_dialog_->GetProperties();
      }
      if (kinds.image && run(*image_dialog_, [this] { return image_dialog_->GetProperties(); })) {
        properties = image_dialog_->GetProperties();
      }
    } catch (...) {
      error = CaughtErrorText();
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
  }
  RenderButton();
  if (!error.isEmpty()) Dialogs().ShowError(this, error);
}

void MainWindow::EditLayer() {
  if (doc_.SelectedRow() < 0) return;
  EnsureDialogs();
  Guarded([this] {
    const int row = doc_.SelectedRow();
    const document::LayerRow original = doc_.Row(row);
    const document::LayerKinds kinds = document::KindsForEdit(original.type);
    const document::DocumentHistory::Step step(history_, VORBEL_TRANSLATABLE("Edit Layer"));
    // Runs an editor, the preview showing the row as the editor has it;
    // when the user cancels it, the row gets back what it had before the
    // command (a row of two kinds may have been changed by the first editor
    // already).
    auto run = [&](QDialog& editor, const std::function<std::string()>& edited) {
      const document::LayerRow before = doc_.Row(row);
      const auto show = [&] {
        const std::string shown = edited();
        doc_.SetRowSubItem(row, document::SubItem::Properties, shown);
        if (&editor == text_dialog_) {
          // Offsets follow an alignment chosen; without one they stay.
          std::optional<std::pair<std::string, std::string>> offsets =
              PlacedOffsets(renderer_, doc_, shown, text_dialog_->GetAlignment());
          doc_.SetRowSubItem(row, document::SubItem::Left, offsets ? offsets->first : before.Left());
          doc_.SetRowSubItem(row, document::SubItem::Top, offsets ? offsets->second : before.Top());
        }
        RenderButton();
      };
      FocusFirstControl(editor);
      bool accepted = false;
      {
        const ControlWatch watch(editor, show);
        accepted = Dialogs().Exec(editor) == QDialog::Accepted;
      }
      if (accepted) {
        // What the dialog ends with is stored below, as without a preview.
        doc_.SetRow(row, before);
        return true;
      }
      doc_.SetRow(row, original);
      RenderButton();
      return false;
    };
    // Each editor is loaded from the row as it is now, so a row of two kinds
    // hands the second editor what the first one wrote. A string an editor
    // cannot load stops the command before its dialog shows: the row keeps
    // its texts and nothing is redrawn.
    if (kinds.background) {
      background_dialog_->SetProperties(doc_.Row(row).Properties());
      if (!run(*background_dialog_, [this] { return background_dialog_->GetProperties(); })) return;
      doc_.SetRowSubItem(row, document::SubItem::Properties, background_dialog_->GetProperties());
    }
    if (kinds.text) {
      text_dialog_->SetProperties(doc_.Row(row).Properties());
      if (!run(*text_dialog_, [this] { return text_dialog_->GetProperties(); })) return;
      const std::string properties = text_dialog_->GetProperties();
      doc_.SetRowSubItem(row, document::SubItem::Properties, properties);
      // Without an alignment the offsets stay as they are. With one, a font
      // size that is no number fails here: the new properties stay, the old
      // offsets too.
      const int alignment = text_dialog_->GetAlignment();
      if (alignment > 0) {
        std::string left;
        std::string top;
        renderer_.PlaceTextLayer(doc_, properties, alignment, left, top);
        doc_.SetRowSubItem(row, document::SubItem::Left, std::move(left));
        doc_.SetRowSubItem(row, document::SubItem::Top, std::move(top));
      }
    }
    if (kinds.bevel) {
      bevel_dialog_->SetProperties(doc_.Row(row).Properties());
      if (!run(*bevel_dialog_, [this] { return bevel_dialog_->GetProperties(); })) return;
      doc_.SetRowSubItem(row, document::SubItem::Properties, bevel_dialog_->GetProperties());
    }
    if (kinds.image) {
      image_dialog_->SetProperties(doc_.Row(row).Properties());
      if (!run(*image_dialog_, [this] { return image_dialog_->GetProperties(); })) return;
      doc_.SetRowSubItem(row, document::SubItem::Properties, image_dialog_->GetProperties());
    }
    RenderButton();
  });
}

void MainWindow::AskOffset(document::SubItem sub_item) {
  const int row = doc_.SelectedRow();
  if (row < 0) return;
  EnsureDialogs();
  // Text that is no number opens the prompt with 0.
  offset_prompt_->SetValue(document::ReadOffset(doc_.Row(row).SubItemText(sub_item)));
  if (Dialogs().Exec(*offset_prompt_) != QDialog::Accepted) return;
  {
    // The prompt's text reads as 0 when it is no integer.
    const document::DocumentHistory::Step step(history_, sub_item == document::SubItem::Left
                                                             ? VORBEL_TRANSLATABLE("Change Left Offset")
                                                             : VORBEL_TRANSLATABLE("Change Top Offset"));
    doc_.SetRowSubItem(row, sub_item, std::to_string(offset_prompt_->Value()));
  }
  RenderButton();
}

void MainWindow::AskLeft() { AskOffset(document::SubItem::Left); }

void MainWindow::AskTop() { AskOffset(document::SubItem::Top); }

void MainWindow::Randomize() {
  EnsureDialogs();
  {
    const document::DocumentHistory::Step step(history_, VORBEL_TRANSLATABLE("Random Button"));
    RandomButton(doc_, *background_dialog_, *bevel_dialog_, *text_dialog_);
  }
  RenderButton();
}

}  // namespace vorbel::ui

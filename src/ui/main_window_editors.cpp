// The commands of the main window that run the layer editor dialogs: Add
// layer, Edit, the "left" and "top" value prompts and the random button.
//
// Each dialog is created once by CreateDialogs and reused, so it keeps its
// settings between uses. The commands reach the document through doc_, the
// render pass through RenderButton() (or renderer_ for measuring text with
// PlaceTextLayer), and run every dialog modally through Dialogs().Exec.

#include <QDialog>

#include <exception>
#include <string>
#include <utility>

#include "base/translation.h"
#include "controls/spin_edit.h"
#include "document/layer_row.h"
#include "document/layer_type.h"
#include "document/value_conversion.h"
#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
#include "ui/dialog_seam.h"
#include "ui/image_layer_dialog.h"
#include "ui/layer_type_dialog.h"
#include "ui/main_window.h"
#include "ui/offset_prompt.h"
#include "ui/random_layers.h"
#include "ui/text_layer_dialog.h"

namespace vorbel::ui {

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
    // Runs an editor; false when the user cancelled it.
    auto run = [&](QDialog& editor) {
      cancelled = cancelled || Dialogs().Exec(editor) != QDialog::Accepted;
      return !cancelled;
    };
    try {
      const document::LayerKinds kinds = document::KindsForAdd(type);
      if (kinds.background && run(*background_dialog_)) properties = background_dialog_->GetProperties();
      if (kinds.text && run(*text_dialog_)) {
        properties = text_dialog_->GetProperties();
        // Measuring fails for a font size that is no number; the layer is
        // kept then, with its properties and without offsets.
        std::string placedLeft;
        std::string placedTop;
        renderer_.PlaceTextLayer(doc_, properties, text_dialog_->GetAlignment(), placedLeft, placedTop);
        left = std::move(placedLeft);
        top = std::move(placedTop);
      }
      if (kinds.bevel && run(*bevel_dialog_)) properties = bevel_dialog_->GetProperties();
      if (kinds.image && run(*image_dialog_)) properties = image_dialog_->GetProperties();
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
    // Runs an editor; when the user cancels it, the row gets back what it
    // had before the command (a row of two kinds may have been changed by the
    // first editor already).
    auto run = [&](QDialog& editor) {
      if (Dialogs().Exec(editor) == QDialog::Accepted) return true;
      doc_.SetRow(row, original);
      return false;
    };
    // Each editor is loaded from the row as it is now, so a row of two kinds
    // hands the second editor what the first one wrote. A string an editor
    // cannot load stops the command before its dialog shows: the row keeps
    // its texts and nothing is redrawn.
    if (kinds.background) {
      background_dialog_->SetProperties(doc_.Row(row).Properties());
      if (!run(*background_dialog_)) return;
      doc_.SetRowSubItem(row, document::SubItem::Properties, background_dialog_->GetProperties());
    }
    if (kinds.text) {
      text_dialog_->SetProperties(doc_.Row(row).Properties());
      if (!run(*text_dialog_)) return;
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
      if (!run(*bevel_dialog_)) return;
      doc_.SetRowSubItem(row, document::SubItem::Properties, bevel_dialog_->GetProperties());
    }
    if (kinds.image) {
      image_dialog_->SetProperties(doc_.Row(row).Properties());
      if (!run(*image_dialog_)) return;
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

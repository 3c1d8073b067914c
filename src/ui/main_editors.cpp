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

#include "controls/spin_edit.h"
#include "document/layer_row.h"
#include "document/layer_type.h"
#include "document/value_conversion.h"
#include "ui/backprop_form.h"
#include "ui/btnbevel_form.h"
#include "ui/dialog_seam.h"
#include "ui/ftext_form.h"
#include "ui/image_form.h"
#include "ui/main_form.h"
#include "ui/new_form.h"
#include "ui/newval_form.h"
#include "ui/random_layers.h"

namespace vorbel::ui {

void TMainForm::CreateDialogs() {
  // The main window owns them; none is shown yet.
  frmNew = new TfrmNew(this);
  frmBackProp = new TfrmBackProp(this);
  frmText = new TfrmText(this);
  frmBevel = new TfrmBevel(this);
  frmImage = new TfrmImage(this);
  frmNewValue = new TfrmNewValue(this);
}

void TMainForm::EnsureDialogs() {
  if (frmNew == nullptr) CreateDialogs();
}

void TMainForm::tbtnAddLayerClick() {
  EnsureDialogs();
  if (Dialogs().Exec(*frmNew) == QDialog::Accepted) {
    const std::string type = frmNew->SelectedType().toStdString();
    // The new row waits without sub-items while its editor is open; a repaint
    // meanwhile draws nothing for it. The selection stays where it was.
    const int row = doc_.AppendRow(document::LayerRow{type, {}, document::kVisibleImage});

    // The editor is not loaded first: a new layer starts from the settings the
    // editor was left with.
    std::string properties;
    std::string left;
    std::string top;
    QString error;
    try {
      const document::LayerKinds kinds = document::KindsForAdd(type);
      if (kinds.background) {
        Dialogs().Exec(*frmBackProp);
        properties = frmBackProp->GetProperties();
      }
      if (kinds.text) {
        Dialogs().Exec(*frmText);
        properties = frmText->GetProperties();
        // Measuring fails for a font size that is no number; the layer is
        // kept then, with its properties and without offsets.
        std::string placedLeft;
        std::string placedTop;
        renderer_.PlaceTextLayer(doc_, properties, frmText->GetAlignment(), placedLeft, placedTop);
        left = std::move(placedLeft);
        top = std::move(placedTop);
      }
      if (kinds.bevel) {
        Dialogs().Exec(*frmBevel);
        properties = frmBevel->GetProperties();
      }
      if (kinds.image) {
        Dialogs().Exec(*frmImage);
        properties = frmImage->GetProperties();
      }
    } catch (...) {
      error = CaughtErrorText();
    }
    // Whatever happened in the editors, the row never stays incomplete.
    if (row < doc_.RowCount()) doc_.SetRowSubItems(row, std::move(properties), std::move(left), std::move(top));
    RenderButton();
    if (!error.isEmpty()) Dialogs().ShowError(this, error);
    return;
  }
  RenderButton();
}

void TMainForm::lvItemsDblClick() {
  if (doc_.SelectedRow() < 0) return;
  EnsureDialogs();
  Guarded([this] {
    const int row = doc_.SelectedRow();
    const document::LayerKinds kinds = document::KindsForEdit(doc_.Row(row).type);
    // Each editor is loaded from the row as it is now, so a row of two kinds
    // hands the second editor what the first one wrote. A string an editor
    // cannot load stops the command before its dialog shows: the row keeps
    // its texts and nothing is redrawn.
    if (kinds.background) {
      frmBackProp->SetProperties(doc_.Row(row).Properties());
      Dialogs().Exec(*frmBackProp);
      doc_.SetRowSubItem(row, document::kPropertiesItem, frmBackProp->GetProperties());
    }
    if (kinds.text) {
      frmText->SetProperties(doc_.Row(row).Properties());
      Dialogs().Exec(*frmText);
      const std::string properties = frmText->GetProperties();
      doc_.SetRowSubItem(row, document::kPropertiesItem, properties);
      // Without an alignment the offsets stay as they are. With one, a font
      // size that is no number fails here: the new properties stay, the old
      // offsets too.
      const int alignment = frmText->GetAlignment();
      if (alignment > 0) {
        std::string left;
        std::string top;
        renderer_.PlaceTextLayer(doc_, properties, alignment, left, top);
        doc_.SetRowSubItem(row, document::kLeftItem, std::move(left));
        doc_.SetRowSubItem(row, document::kTopItem, std::move(top));
      }
    }
    if (kinds.bevel) {
      frmBevel->SetProperties(doc_.Row(row).Properties());
      Dialogs().Exec(*frmBevel);
      doc_.SetRowSubItem(row, document::kPropertiesItem, frmBevel->GetProperties());
    }
    if (kinds.image) {
      frmImage->SetProperties(doc_.Row(row).Properties());
      Dialogs().Exec(*frmImage);
      doc_.SetRowSubItem(row, document::kPropertiesItem, frmImage->GetProperties());
    }
    RenderButton();
  });
}

void TMainForm::Edit1Click() { lvItemsDblClick(); }

void TMainForm::AskOffset(int sub_item) {
  const int row = doc_.SelectedRow();
  if (row < 0) return;
  EnsureDialogs();
  // Text that is no number opens the prompt with 0.
  frmNewValue->sedtValue->SetValue(document::ReadOffset(doc_.Row(row).SubItemText(sub_item)));
  if (Dialogs().Exec(*frmNewValue) != QDialog::Accepted) return;
  // The prompt's text reads as 0 when it is no integer.
  doc_.SetRowSubItem(row, sub_item, std::to_string(frmNewValue->sedtValue->Value()));
  RenderButton();
}

void TMainForm::btnLeftClick() { AskOffset(document::kLeftItem); }

void TMainForm::btnTopClick() { AskOffset(document::kTopItem); }

void TMainForm::btnRandomizeClick() {
  EnsureDialogs();
  RandomButton(doc_, *frmBackProp, *frmBevel, *frmText);
  RenderButton();
}

}  // namespace vorbel::ui
